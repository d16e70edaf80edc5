#include "forms/fonts.h"

#include "forms/text.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QSet>

#include <cstdio>

namespace forms {

namespace {

// Fonts are sized for the 120-dpi screen the descriptions were laid out on, in
// logical pixels, so text fits its controls at any DPI.
int pixelSize(double points) { return qRound(points * 120.0 / 72.0); }

}  // namespace

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
