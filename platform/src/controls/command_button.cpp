// A command button: a push button that raises Click, named by its caption.
#include "forms/controls.h"

#include "controls/caption.h"
#include "controls/host.h"
#include "controls/place.h"
#include "forms/text.h"

#include <QPushButton>

namespace forms {

CommandButton::CommandButton(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
    auto* button = new QPushButton(literalCaption(row.caption), &host.surface());
    place(*button, row);
    // Enter presses the focused button, as the space bar does.
    button->setAutoDefault(true);
    QObject::connect(button, &QPushButton::clicked, button, [this] { raise(); });
    widget_ = button;
}

QString CommandButton::accessibleName(const Description&) const { return qstring(row_.caption); }

}  // namespace forms
