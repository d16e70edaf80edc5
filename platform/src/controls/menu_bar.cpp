#include "controls/menu_bar.h"

#include "controls/caption.h"
#include "forms/colours.h"

#include <QMenuBar>
#include <QVBoxLayout>

namespace forms {

std::vector<std::unique_ptr<MenuItem>> buildMenuBar(QWidget* window, QVBoxLayout* layout, const std::vector<MenuRow>& menus,
                                                    const std::function<void(const MenuItem&)>& chosen)
{
    std::vector<std::unique_ptr<MenuItem>> items;
    if (menus.empty())
        return items;
    auto* bar = new QMenuBar(window);
    bar->setNativeMenuBar(false);  // the menu bar stays inside the window on every desktop
    bar->setFocusPolicy(Qt::NoFocus);
    layout->setMenuBar(bar);
    QMenu* menu = nullptr;
    for (const MenuRow& row : menus) {
        if (row.level == 0) {
            menu = bar->addMenu(literalCaption(row.caption));
            menu->setPalette(standardPalette());  // a pop-up window inherits none from the bar
            continue;
        }
        auto item = std::make_unique<MenuItem>(row);
        QAction* action = menu ? menu->addAction(literalCaption(row.caption)) : bar->addAction(literalCaption(row.caption));
        const MenuItem* raw = item.get();
        QObject::connect(action, &QAction::triggered, window, [raw, chosen] { chosen(*raw); });
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace forms
