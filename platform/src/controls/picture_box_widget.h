// The widget of a picture box.
#pragma once

#include "forms/picture_density.h"

#include <QWidget>

namespace forms {

// A sunken two-pixel frame with the picture at natural size from the inner
// top-left corner, clipped to the inside of the frame, at the density that
// fits the screen's device pixel ratio; the style's focus rectangle inside the
// frame while it has the keyboard focus.
class PictureBoxWidget final : public QWidget {
public:
    PictureBoxWidget(PictureSet picture, QWidget* parent);
    static constexpr int frameWidth = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PictureSet picture_;
};

}  // namespace forms
