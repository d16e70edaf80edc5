#include "forms/style.h"

#include "forms/colours.h"
#include "forms/fonts.h"
#include "forms/pictures.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace forms {

namespace {

// Fusion, but for the one icon it reads by a file name: the arrow of the menu
// bar's overflow button, which every menu bar makes whether it shows or not.
class Style final : public QProxyStyle {
public:
    Style() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override
    {
        if (icon != SP_ToolBarHorizontalExtensionButton)
            return QProxyStyle::standardIcon(icon, option, widget);
        const bool rtl = (option ? option->direction : QApplication::layoutDirection()) == Qt::RightToLeft;
        QIcon arrow;
        for (int size : { 8, 16, 32 })
            arrow.addPixmap(readImage(QStringLiteral(":/qt-project.org/styles/commonstyle/images/toolbar-ext-h-%1%2.png")
                                        .arg(rtl ? QStringLiteral("rtl-") : QString())
                                        .arg(size), "PNG"));
        return arrow;
    }
};

}  // namespace

void installStandardLook()
{
    static const bool installed = [] {
        QApplication::setStyle(new Style);
        // For what the runtime does not build itself, such as a text box's context menu.
        QApplication::setPalette(standardPalette());
        QApplication::setFont(resolveFont(std::nullopt));
        return true;
    }();
    (void)installed;
}

}  // namespace forms
