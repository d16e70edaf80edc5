#include "forms/colours.h"

#include <QStyle>
#include <QStyleFactory>

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

}  // namespace forms
