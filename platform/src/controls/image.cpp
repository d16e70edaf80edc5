// An image: a picture painted on the surface at its own size or stretched to
// its rectangle, moved by Left, named by its description.
#include "forms/controls.h"

#include "controls/host.h"
#include "forms/errors.h"
#include "forms/picture_density.h"
#include "forms/text.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

#include <cmath>

namespace forms {

Image::Image(FormHost& host, const ControlRow& row)
    : Control(host, row)
    , left_(float(row.left))
    , picture_(std::make_unique<PictureSet>(row.picture))
{
}

Image::~Image() = default;

const QPixmap& Image::picture() const { return picture_->standard(); }

const QPixmap& Image::picture(qreal ratio) const { return picture_->forRatio(ratio); }

QRect Image::rect() const
{
    const int x = int(std::lround(double(left_) / twipsPerPixel));
    if (row_.stretch)
        return { x, toPixels(row_.top), toPixels(row_.width), toPixels(row_.height) };
    return { QPoint(x, toPixels(row_.top)), picture_->size() };
}

void Image::setLeft(float twips)
{
    // Positions live in the 16-bit twip range; anything else cannot be shown.
    if (!std::isfinite(twips) || std::fabs(twips) > 1.0e9f)
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    const QRect before = rect();
    left_ = twips;
    // A picture that stays on its pixels needs no repaint.
    if (visible_ && rect() != before)
        host_.surface().update(before.united(rect()));
}

// At the density that fits the device painted on: the surface's backing store.
void Image::paint(QPainter& painter, const QPalette&) const
{
    painter.drawPixmap(rect(), picture(painter.device()->devicePixelRatioF()));
}

QString Image::accessibleName(const Description&) const { return qstring(row_.description); }

}  // namespace forms
