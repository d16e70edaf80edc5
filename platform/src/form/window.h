// The top-level window of a form: its frame, and a column holding the menu bar
// above the surface.
#pragma once

#include "forms/description.h"

#include <QWidget>

#include <functional>

class QVBoxLayout;

namespace forms {

class Window final : public QWidget {
public:
    // `closing` runs when the window is closed, by its title bar or by Alt+F4,
    // which the window binds itself so that a window without a frame can be
    // closed where no window manager does it.
    Window(const WindowRow& row, std::function<void()> closing);
    // The column the surface and the menu bar go into.
    QVBoxLayout* column() const { return column_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> closing_;
    QVBoxLayout* column_;
};

}  // namespace forms
