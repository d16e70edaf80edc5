// The widget of a picture box.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace forms {

// A sunken two-pixel frame with the picture at natural size from the inner
// top-left corner, clipped to the inside of the frame; the style's focus
// rectangle inside the frame while it has the keyboard focus.
class PictureBoxWidget final : public QWidget {
public:
    PictureBoxWidget(QPixmap picture, QWidget* parent);
    static constexpr int frameWidth = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

}  // namespace forms
