// What every control shares, and the one place a row becomes its kind's control.
#include "forms/controls.h"

#include "controls/host.h"
#include "controls/place.h"
#include "forms/fonts.h"
#include "forms/geometry.h"
#include "forms/text.h"

#include <QWidget>

namespace forms {

Control::Control(FormHost& host, const ControlRow& row)
    : host_(host)
    , row_(row)
    , visible_(row.visible)
{
}

Control::~Control() = default;

void Control::setVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    if (widget_) {
        // Cleared first, so that the focus makes no stop on whichever control
        // Qt would pick while the handler is still changing the window.
        const bool hadFocus = !visible && widget_->hasFocus();
        if (hadFocus)
            widget_->clearFocus();
        widget_->setVisible(visible);
        if (hadFocus)
            host_.focusLost(*this);
    } else {
        host_.surface().update();
    }
    host_.visibilityChanged(*this);
}

void Control::raise(Trigger trigger) { host_.dispatch(trigger, event_); }

QRect Control::area() const { return pixelRect(row_); }

void Control::paint(QPainter&, const QPalette&) const {}

QString Control::accessibleName(const Description&) const { return qstring(row_.name); }

QString Control::labelledName(const Description& description) const
{
    if (const ControlRow* label = labelOf(description, row_))
        return qstring(label->caption);
    return qstring(row_.name);
}

void place(QWidget& widget, const ControlRow& row)
{
    widget.setGeometry(pixelRect(row));
    widget.setFont(resolveFont(row.font));
    widget.setEnabled(row.enabled);
    widget.setVisible(row.visible);
    widget.setFocusPolicy(Qt::StrongFocus);
    // Windowed controls are opaque: printed text beneath them is hidden.
    widget.setAutoFillBackground(true);
}

namespace {

template <class K>
std::unique_ptr<Control> make(FormHost& host, const ControlRow& row)
{
    return std::make_unique<K>(host, row);
}

using Maker = std::unique_ptr<Control> (*)(FormHost&, const ControlRow&);

// One maker per kind, in the order of FORMS_KINDS, so indexed by the kind.
constexpr Maker makers[] = {
#define FORMS_KIND_MAKER(kind, placement, needs) &make<kind>,
    FORMS_KINDS(FORMS_KIND_MAKER)
#undef FORMS_KIND_MAKER
};

#define FORMS_KIND_CLASS(kind, placement, needs) \
    static_assert(kind::staticKind == Kind::kind, "the class of " #kind " is the control of its kind");
FORMS_KINDS(FORMS_KIND_CLASS)
#undef FORMS_KIND_CLASS

}  // namespace

std::unique_ptr<Control> makeControl(FormHost& host, const ControlRow& row)
{
    return makers[static_cast<std::size_t>(row.kind)](host, row);
}

MenuItem::MenuItem(const MenuRow& row)
    : row_(row)
{
}

}  // namespace forms
