// The window's own surface, its client area: the BackColor fill, then labels,
// images and lines in stored order, then the printed text. Windowed controls
// are its child widgets and so are drawn above all of it.
#pragma once

#include "forms/controls.h"
#include "forms/description.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace forms {

class FormHost;

class Surface final : public QWidget {
public:
    // `controls` is the form's list in stored order, filled once the surface
    // exists, since windowed controls are its children.
    Surface(FormHost& host, const Description& description, const std::vector<std::unique_ptr<Control>>& controls,
            QWidget* parent);
    QSize sizeHint() const override;

    const Description& description() const { return description_; }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    Colour backColor() const { return backColor_; }
    void setBackColor(Colour colour);

    // Draws one line of text at the print position, in the window's font,
    // above labels, images and lines, then moves the position to the next line.
    void print(const QString& text);
    // Erases the printed text and moves the print position back to the top.
    void cls();
    const std::vector<PrintedLine>& printedLines() const { return printed_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FormHost& host_;
    const Description& description_;
    const std::vector<std::unique_ptr<Control>>& controls_;
    Colour backColor_;
    std::vector<PrintedLine> printed_;
    int printY_ = 0;
};

}  // namespace forms
