// The menu bar of a window, built from its menu records.
#pragma once

#include "forms/controls.h"
#include "forms/description.h"

#include <functional>
#include <memory>
#include <vector>

class QVBoxLayout;
class QWidget;

namespace forms {

// The menu bar of `menus` at the top of `layout`, its items raising `chosen`;
// none when there are no menus. Returns the items in stored order.
std::vector<std::unique_ptr<MenuItem>> buildMenuBar(QWidget* window, QVBoxLayout* layout, const std::vector<MenuRow>& menus,
                                                    const std::function<void(const MenuItem&)>& chosen);

}  // namespace forms
