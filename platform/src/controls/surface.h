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
    // The printed lines that can still be seen, top to bottom: a line that
    // starts below the tallest client area any screen allows is never shown,
    // however the window is resized, so it is not kept. Printing and
    // repainting so cost the same after ten lines or after a million.
    const std::vector<PrintedLine>& printedLines() const { return printed_; }
    // The last line printed, kept or not, and how many lines were printed
    // since the last cls() but not kept.
    const QString& lastPrinted() const { return lastPrinted_; }
    std::size_t linesNotKept() const { return notKept_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FormHost& host_;
    const Description& description_;
    const std::vector<std::unique_ptr<Control>>& controls_;
    Colour backColor_;
    std::vector<PrintedLine> printed_;
    QString lastPrinted_;
    std::size_t notKept_ = 0;
    int printY_ = 0;
};

}  // namespace forms
