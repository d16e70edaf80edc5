// A picture at each pixel density it is shipped at, and the choice of the one
// a screen shows.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

#include <array>
#include <optional>
#include <string_view>

namespace forms {

// The densities a picture is shipped at besides its own, as <name>@2x.bmp and
// <name>@3x.bmp beside <name>.bmp, each two or three times as many pixels each
// way: the same drawing with finer detail.
inline constexpr int maxPictureDensity = 3;

// The density of picture that a device of `ratio` device pixels per pixel
// shows: 1 up to a ratio of 1, then 2 up to 2 and 3 up to 3. Above 3 none is
// drawn for it and the 1× picture is shown, enlarged as at any other ratio.
int pictureDensityFor(qreal ratio);

// Where the picture of `path` at `density` is: "x.bmp" at 2 is "x@2x.bmp";
// at 1 it is `path` itself.
QString picturePathAt(const QString& path, int density);

// The picture a description names, at every density it is shipped at. The 1×
// picture is read when the control is built, and a missing one is a fault in
// the build; another density is read the first time a screen asks for it,
// and where it is missing the 1× picture stands in.
class PictureSet {
public:
    explicit PictureSet(std::string_view path);

    // Its size in pixels: the 1× picture's, whatever the density shown.
    QSize size() const { return standard().size(); }
    // The 1× picture.
    const QPixmap& standard() const { return *loaded_[0]; }
    // The picture for a device of `ratio`, its devicePixelRatio set to its
    // density so that it covers size() pixels wherever it is drawn.
    const QPixmap& forRatio(qreal ratio) const;

private:
    QString path_;
    mutable std::array<std::optional<QPixmap>, maxPictureDensity> loaded_;
};

}  // namespace forms
