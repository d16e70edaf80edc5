#include "accessibility/option_group.h"

#include "accessibility/names.h"
#include "controls/surface.h"

#include <QWidget>
#include <QWindow>

namespace forms::accessibility {

OptionGroup::OptionGroup(Surface* surface, std::function<std::vector<const Control*>()> options)
    : surface_(surface)
    , options_(std::move(options))
    , name_(optionGroupName(surface->description()))
{
}

QWindow* OptionGroup::window() const { return surface_->window()->windowHandle(); }

QAccessibleInterface* OptionGroup::parent() const { return QAccessible::queryAccessibleInterface(surface_); }

QAccessibleInterface* OptionGroup::child(int index) const
{
    const std::vector<const Control*> options = options_();
    if (index < 0 || size_t(index) >= options.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(options[size_t(index)]->widget());
}

int OptionGroup::childCount() const { return int(options_().size()); }

int OptionGroup::indexOfChild(const QAccessibleInterface* wanted) const
{
    for (int i = 0; i < childCount(); ++i)
        if (child(i) == wanted)
            return i;
    return -1;
}

QAccessibleInterface* OptionGroup::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i)
        if (QAccessibleInterface* option = child(i); !option->state().invisible && option->rect().contains(x, y))
            return option;
    return nullptr;
}

QString OptionGroup::text(QAccessible::Text t) const { return t == QAccessible::Name ? name_ : QString(); }

QRect OptionGroup::rect() const
{
    QRect all;
    for (int i = 0; i < childCount(); ++i)
        all = all.united(child(i)->rect());
    return all;
}

}  // namespace forms::accessibility
