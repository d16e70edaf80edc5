#include "accessibility/widget_interfaces.h"

#include "accessibility/surface_interface.h"

namespace forms::accessibility {

OptionButtonInterface::OptionButtonInterface(OptionButtonWidget* option)
    : QAccessibleWidget(option, QAccessible::RadioButton)
{
}

QAccessibleInterface* OptionButtonInterface::parent() const
{
    auto* surface = dynamic_cast<SurfaceInterface*>(QAccessibleWidget::parent());
    return surface ? surface->optionGroup() : QAccessibleWidget::parent();
}

QAccessible::State OptionButtonInterface::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = option()->isChecked();
    state.pressed = option()->isDown();
    return state;
}

QStringList OptionButtonInterface::actionNames() const
{
    QStringList names;
    if (option()->isEnabled())
        names << pressAction() << toggleAction();
    return names + QAccessibleWidget::actionNames();
}

void OptionButtonInterface::doAction(const QString& action)
{
    if (action != pressAction() && action != toggleAction())
        return QAccessibleWidget::doAction(action);
    option()->setFocus(Qt::OtherFocusReason);
    option()->click();
}

PictureBoxInterface::PictureBoxInterface(PictureBoxWidget* box)
    : QAccessibleWidget(box, QAccessible::Graphic)
{
}

void* PictureBoxInterface::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ImageInterface)
        return static_cast<QAccessibleImageInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

}  // namespace forms::accessibility
