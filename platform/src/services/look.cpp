#include "forms/look.h"

#include "forms/text.h"

#include <QApplication>
#include <QImageReader>
#include <QFontInfo>
#include <QPalette>
#include <QSet>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace forms {

namespace {

// The desktop colours a description may name, as palette roles:
//   4 menu bar -> Window, 5 window background -> Base, 8 window text -> Text,
//   9 title-bar text -> HighlightedText, 15 button face -> Button,
//   18 button text -> ButtonText. Any other number -> Window.
QPalette::ColorRole systemColourRole(unsigned number)
{
    switch (number) {
    case 4: return QPalette::Window;
    case 5: return QPalette::Base;
    case 8: return QPalette::Text;
    case 9: return QPalette::HighlightedText;
    case 15: return QPalette::Button;
    case 18: return QPalette::ButtonText;
    default: return QPalette::Window;
    }
}

// Fonts are sized for the 120-dpi screen the descriptions were laid out on, in
// logical pixels, so text fits its controls at any DPI.
int pixelSize(double points) { return qRound(points * 120.0 / 72.0); }

}  // namespace

const QPalette& standardPalette()
{
    static const QPalette palette = [] {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette standard = fusion->standardPalette();
        // Every role counts as set, so none is filled in from the desktop's palette.
        standard.setResolveMask(~QPalette::ResolveMask(0));
        return standard;
    }();
    return palette;
}

QColor resolveColour(Colour colour)
{
    if (colour & 0x80000000u)
        return standardPalette().color(QPalette::Active, systemColourRole(colour & 0xFFu));
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QFont resolveFont(const std::optional<Font>& font)
{
    QFont result(font ? qstring(font->face) : QStringLiteral("DejaVu Sans"));
    result.setPixelSize(pixelSize(font ? font->points() : 8.0));
    result.setWeight(QFont::Weight(font ? font->weight : 400));
    if (font) {
        result.setItalic(font->italic);
        result.setUnderline(font->underline);
        result.setStrikeOut(font->strikethrough);
    }
    return result;
}

QRect pixelRect(const ControlRow& row)
{
    return { toPixels(row.left), toPixels(row.top), toPixels(row.width), toPixels(row.height) };
}

QPixmap loadPicture(std::string_view path)
{
    const QString name = qstring(path);
    // Every picture is a BMP, which Qt reads itself. Named and with detection
    // off, no image-format plugin is loaded to be asked whether it knows the file.
    QImageReader reader(name, "BMP");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "forms: picture %s is missing from the build (%s)\n", qPrintable(name),
                     qPrintable(reader.errorString()));
        std::abort();
    }
    return QPixmap::fromImage(image);
}

void installStandardLook()
{
    static const bool installed = [] {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        // For what the runtime does not build itself, such as a text box's context menu.
        QApplication::setPalette(standardPalette());
        QApplication::setFont(resolveFont(std::nullopt));
        return true;
    }();
    (void)installed;
}

void warnMissingFaces(const Description& description)
{
    static QSet<QString> checked;
    std::vector<std::optional<Font>> fonts { std::nullopt };
    for (const ControlRow& row : description.controls)
        fonts.push_back(row.font);
    for (const std::optional<Font>& font : fonts) {
        const QFont wanted = resolveFont(font);
        if (checked.contains(wanted.family()))
            continue;
        checked.insert(wanted.family());
        // (A family installed twice is told apart by its foundry: "P052 [UKWN]".)
        const QString found = QFontInfo(wanted).family().section(QStringLiteral(" ["), 0, 0);
        if (found.compare(wanted.family(), Qt::CaseInsensitive) == 0)
            continue;
        const QString instead = found.isEmpty() ? QStringLiteral("no other font is installed either")
                                                : QStringLiteral("its text is drawn in \"%1\"").arg(found);
        std::fprintf(stderr, "%s: font \"%s\" is not installed; %s\n", QCoreApplication::applicationName().toLocal8Bit().constData(),
                     wanted.family().toLocal8Bit().constData(), instead.toLocal8Bit().constData());
    }
}

}  // namespace forms
