#include "forms/pictures.h"

#include "forms/text.h"

#include <QImageReader>

#include <cstdio>
#include <cstdlib>

namespace forms {

QPixmap readImage(const QString& path, const char* format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QPixmap loadPicture(std::string_view path)
{
    // Every picture is a BMP, which Qt reads itself.
    const QPixmap picture = readImage(qstring(path), "BMP");
    if (picture.isNull()) {
        std::fprintf(stderr, "forms: picture %.*s is missing from the build\n", int(path.size()), path.data());
        std::abort();
    }
    return picture;
}

}  // namespace forms
