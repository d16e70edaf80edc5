#include "forms/picture_density.h"

#include "forms/pictures.h"
#include "forms/text.h"

namespace forms {

int pictureDensityFor(qreal ratio)
{
    if (ratio <= 1)
        return 1;
    for (int density = 2; density <= maxPictureDensity; ++density)
        if (ratio <= density)
            return density;
    return 1;
}

QString picturePathAt(const QString& path, int density)
{
    if (density == 1)
        return path;
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype stemEnd = dot > slash ? dot : path.size();
    return path.left(stemEnd) + u'@' + QString::number(density) + u'x' + path.mid(stemEnd);
}

PictureSet::PictureSet(std::string_view path)
    : path_(qstring(path))
{
    loaded_[0] = loadPicture(path);
}

const QPixmap& PictureSet::forRatio(qreal ratio) const
{
    const int density = pictureDensityFor(ratio);
    std::optional<QPixmap>& slot = loaded_[std::size_t(density - 1)];
    if (!slot) {
        QPixmap dense = readImage(picturePathAt(path_, density), "BMP");
        // Only a picture of exactly the density's size can stand in its
        // place; anything else is shown as the 1× picture.
        if (dense.size() == standard().size() * density)
            dense.setDevicePixelRatio(density);
        else
            dense = standard();
        slot = std::move(dense);
    }
    return *slot;
}

}  // namespace forms
