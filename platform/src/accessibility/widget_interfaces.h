// The accessible interfaces of the runtime's own widgets: the window, option
// buttons and picture boxes.
#pragma once

#include "controls/option_button_widget.h"
#include "controls/picture_box_widget.h"

#include <QAccessibleWidget>

namespace forms::accessibility {

// An option button: a radio button named by its label, whose press and toggle
// actions select it as a mouse click does, focus first, raising Click.
class OptionButtonInterface final : public QAccessibleWidget {
public:
    explicit OptionButtonInterface(OptionButtonWidget* option);

    // The group of the window's option buttons.
    QAccessibleInterface* parent() const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    OptionButtonWidget* option() const { return static_cast<OptionButtonWidget*>(widget()); }
};

// A picture box: a graphic named by its description.
class PictureBoxInterface final : public QAccessibleWidget, public QAccessibleImageInterface {
public:
    explicit PictureBoxInterface(PictureBoxWidget* box);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString imageDescription() const override { return text(QAccessible::Name); }
    QSize imageSize() const override { return rect().size(); }
    QPoint imagePosition() const override { return rect().topLeft(); }
};

}  // namespace forms::accessibility
