// Reading the images compiled into a program or into Qt.
#pragma once

#include <QPixmap>
#include <QString>

#include <string_view>

namespace forms {

// An image compiled into the program or into Qt, read as the format it is
// ("BMP", "PNG") with detection off, so that no image-format plugin is loaded
// to be asked whether it knows the file. Null when it cannot be read.
QPixmap readImage(const QString& path, const char* format);

// The picture a description names; a missing picture is a fault in the build.
QPixmap loadPicture(std::string_view path);

}  // namespace forms
