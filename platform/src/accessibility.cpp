// The accessible interfaces of a form's window. Qt's own serve the buttons and
// text boxes, named in prepare(); the runtime's serve the window (a frame named
// by its caption), option buttons (whose actions click), picture boxes (graphics)
// and the client area, whose children include the labels, pictures and printed
// lines it paints itself, each an interface of its own.
#include "accessibility.h"

#include "forms/form.h"
#include "forms/look.h"
#include "widgets.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPointer>

#include <map>

namespace forms::accessibility {

namespace {

// Something the client area paints rather than a widget: a label, a picture or
// a printed line. Its position is the client area's, in global coordinates.
class PaintedItem : public QAccessibleInterface {
public:
    explicit PaintedItem(ClientArea* client) : client_(client) {}

    bool isValid() const override { return !client_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return client_->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(client_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return { client_->mapToGlobal(area().topLeft()), area().size() }; }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !shown() || !client_->isVisible();
        // Off the client area, or wholly beneath a windowed control: no one sees it.
        state.offscreen = !client_->rect().intersects(area()) || covered();
        return state;
    }

protected:
    // Where it is drawn on the client area, in pixels.
    virtual QRect area() const = 0;
    virtual bool shown() const = 0;

    QPointer<ClientArea> client_;

private:
    bool covered() const
    {
        for (const auto& control : client_->form().controls())
            if (control->widget() && control->visible() && control->widget()->geometry().contains(area()))
                return true;
        return false;
    }
};

// A label (static text with its caption) or an image (a graphic named by its
// description).
class PaintedControl final : public PaintedItem, public QAccessibleImageInterface {
public:
    PaintedControl(ClientArea* client, const Control& control)
        : PaintedItem(client)
        , control_(control)
        , name_(nameOf(client->form().windowDescription(), control.row()))
    {
    }

    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? name_ : QString(); }
    QAccessible::Role role() const override { return isImage() ? QAccessible::Graphic : QAccessible::StaticText; }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ImageInterface && isImage() ? static_cast<QAccessibleImageInterface*>(this) : nullptr;
    }

    QString imageDescription() const override { return name_; }
    QSize imageSize() const override { return area().size(); }
    QPoint imagePosition() const override { return rect().topLeft(); }

protected:
    QRect area() const override
    {
        return isImage() ? static_cast<const Image&>(control_).rect() : pixelRect(control_.row());
    }
    bool shown() const override { return control_.visible(); }

private:
    bool isImage() const { return control_.kind() == Kind::Image; }

    const Control& control_;
    const QString name_;
};

// A printed line: static text, read-only, with no cursor or selection.
class PrintedLine final : public PaintedItem, public QAccessibleTextInterface {
public:
    PrintedLine(ClientArea* client, Form::PrintedLine line)
        : PaintedItem(client)
        , line_(std::move(line))
        , metrics_(resolveFont(std::nullopt))
    {
    }

    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? line_.text : QString(); }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this) : nullptr;
    }

    QString text(int start, int end) const override { return line_.text.mid(start, end - start); }
    int characterCount() const override { return int(line_.text.size()); }
    QRect characterRect(int offset) const override
    {
        const QPoint left = client_->mapToGlobal(QPoint(line_.x + advance(offset), line_.y));
        return { left, QSize(advance(offset + 1) - advance(offset), metrics_.height()) };
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        const QPoint at = client_->mapFromGlobal(point);
        if (!area().contains(at))
            return -1;
        int offset = 0;
        while (offset + 1 < characterCount() && line_.x + advance(offset + 1) <= at.x())
            ++offset;
        return offset;
    }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}

protected:
    QRect area() const override { return { line_.x, line_.y, advance(characterCount()), metrics_.height() }; }
    bool shown() const override { return true; }

private:
    // The width of the line's first `count` characters, as Print draws them.
    int advance(int count) const { return metrics_.horizontalAdvance(line_.text.left(count)); }

    const Form::PrintedLine line_;
    const QFontMetrics metrics_;
};

// The client area: its children are the controls in reading order, windowed or
// painted, then the printed lines in print order.
class SurfaceInterface final : public QAccessibleWidget {
public:
    explicit SurfaceInterface(ClientArea* client) : QAccessibleWidget(client, QAccessible::Client) {}
    ~SurfaceInterface() override
    {
        for (const auto& [control, id] : painted_)
            QAccessible::deleteAccessibleInterface(id);
        for (QAccessible::Id id : lines_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return int(order().size() + lines_.size()); }
    QAccessibleInterface* child(int index) const override
    {
        const auto& controls = order();
        if (index < 0 || index >= childCount())
            return nullptr;
        if (size_t(index) < controls.size())
            return interfaceOf(*controls[size_t(index)]);
        return QAccessible::accessibleInterface(lines_[size_t(index) - controls.size()]);
    }
    int indexOfChild(const QAccessibleInterface* wanted) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (child(i) == wanted)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override;

    // The interface of a control: its widget's, or for a label or picture one
    // of the surface's own; null for lines and timers.
    QAccessibleInterface* interfaceOf(const Control& control) const;

    // Creates and announces an item for each line printed since the last call;
    // destroys the items of lines that Cls removed.
    void followPrintedLines();

private:
    ClientArea* client() const { return static_cast<ClientArea*>(widget()); }
    const std::vector<const Control*>& order() const;

    mutable std::vector<const Control*> order_;
    mutable std::map<const Control*, QAccessible::Id> painted_;
    std::vector<QAccessible::Id> lines_;
};

const std::vector<const Control*>& SurfaceInterface::order() const
{
    // Worked out once every control of the description has been built.
    const Form& form = client()->form();
    if (order_.empty() || form.controls().size() != form.windowDescription().controls.size())
        order_ = readingOrder(form.controls());
    return order_;
}

QAccessibleInterface* SurfaceInterface::interfaceOf(const Control& control) const
{
    if (control.widget())
        return QAccessible::queryAccessibleInterface(control.widget());
    if (control.kind() != Kind::Label && control.kind() != Kind::Image)
        return nullptr;
    auto found = painted_.find(&control);
    if (found == painted_.end())
        found = painted_.emplace(&control, QAccessible::registerAccessibleInterface(new PaintedControl(client(), control))).first;
    return QAccessible::accessibleInterface(found->second);
}

// The topmost child at a point, as the surface is drawn: a windowed control,
// else the last printed line there, else the label or picture painted last
// (controls are painted in stored order).
QAccessibleInterface* SurfaceInterface::childAt(int x, int y) const
{
    const auto seenAt = [x, y](QAccessibleInterface* item) {
        return item && !item->state().invisible && item->rect().contains(x, y);
    };
    QAccessibleInterface* painted = nullptr;
    for (const auto& control : client()->form().controls()) {
        QAccessibleInterface* item = interfaceOf(*control);
        if (seenAt(item) && control->widget())
            return item;
        if (seenAt(item))
            painted = item;
    }
    for (auto line = lines_.rbegin(); line != lines_.rend(); ++line)
        if (seenAt(QAccessible::accessibleInterface(*line)))
            return QAccessible::accessibleInterface(*line);
    return painted;
}

void SurfaceInterface::followPrintedLines()
{
    const std::vector<Form::PrintedLine>& printed = client()->form().printedLines();
    while (lines_.size() > printed.size()) {
        const QAccessible::Id id = lines_.back();
        QAccessibleEvent gone(QAccessible::accessibleInterface(id), QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&gone);
        lines_.pop_back();
        QAccessible::deleteAccessibleInterface(id);
    }
    while (lines_.size() < printed.size()) {
        auto* line = new PrintedLine(client(), printed[lines_.size()]);
        lines_.push_back(QAccessible::registerAccessibleInterface(line));
        // A new child of the surface, and its text inserted, so that a screen
        // reader can say the line as it appears.
        QAccessibleEvent created(line, QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&created);
        QAccessibleTextInsertEvent inserted(line, 0, line->text(QAccessible::Name));
        QAccessible::updateAccessibility(&inserted);
    }
}

// An option button: a radio button named by its label, whose press and toggle
// actions select it as a mouse click does, focus first, raising Click.
class OptionButtonInterface final : public QAccessibleWidget {
public:
    explicit OptionButtonInterface(OptionButtonWidget* option) : QAccessibleWidget(option, QAccessible::RadioButton) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = option()->isChecked();
        state.pressed = option()->isDown();
        return state;
    }
    QStringList actionNames() const override
    {
        QStringList names;
        if (option()->isEnabled())
            names << pressAction() << toggleAction();
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action != pressAction() && action != toggleAction())
            return QAccessibleWidget::doAction(action);
        option()->setFocus(Qt::OtherFocusReason);
        option()->click();
    }

private:
    QRadioButton* option() const { return static_cast<QRadioButton*>(widget()); }
};

// A picture box: a graphic named by its description.
class PictureBoxInterface final : public QAccessibleWidget, public QAccessibleImageInterface {
public:
    explicit PictureBoxInterface(PictureBoxWidget* box) : QAccessibleWidget(box, QAccessible::Graphic) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ImageInterface)
            return static_cast<QAccessibleImageInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString imageDescription() const override { return text(QAccessible::Name); }
    QSize imageSize() const override { return rect().size(); }
    QPoint imagePosition() const override { return rect().topLeft(); }
};

QAccessibleInterface* runtimeInterface(const QString&, QObject* object)
{
    if (auto* top = dynamic_cast<TopLevel*>(object))
        return new QAccessibleWidget(top, QAccessible::Window);
    if (auto* client = dynamic_cast<ClientArea*>(object))
        return new SurfaceInterface(client);
    if (auto* option = dynamic_cast<OptionButtonWidget*>(object))
        return new OptionButtonInterface(option);
    if (auto* box = dynamic_cast<PictureBoxWidget*>(object))
        return new PictureBoxInterface(box);
    return nullptr;
}

SurfaceInterface* surfaceOf(const Form& form)
{
    return dynamic_cast<SurfaceInterface*>(QAccessible::queryAccessibleInterface(form.clientArea()));
}

}  // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(runtimeInterface);
        return true;
    }();
    (void)installed;
}

void prepare(const Form& form)
{
    nameControls(form);
    // The surface's interface exists from here on, so it sees every line printed.
    surfaceOf(form);
}

void printedLinesChanged(const Form& form)
{
    if (SurfaceInterface* surface = surfaceOf(form))
        surface->followPrintedLines();
}

void visibilityChanged(const Form& form, const Control& control)
{
    SurfaceInterface* surface = surfaceOf(form);
    if (QAccessibleInterface* item = surface ? surface->interfaceOf(control) : nullptr) {
        QAccessibleEvent event(item, control.visible() ? QAccessible::ObjectShow : QAccessible::ObjectHide);
        QAccessible::updateAccessibility(&event);
    }
}

}  // namespace forms::accessibility
