#include "forms/form.h"

#include "widgets.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStyleFactory>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace forms {

namespace {

QString qstring(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// A caption is shown verbatim: an '&' is a character, not an access-key mark.
QString literalCaption(std::string_view caption) { return qstring(caption).replace(QStringLiteral("&"), QStringLiteral("&&")); }

// One look everywhere: the Fusion style and the standard font, set once per process.
void installStandardLook()
{
    static const bool installed = [] {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setFont(resolveFont(std::nullopt));
        return true;
    }();
    (void)installed;
}

class StandardReporter final : public ErrorReporter {
public:
    void report(const Form& form, const RuntimeError& error) override
    {
        const QString program = QCoreApplication::applicationName();
        std::fprintf(stderr, "%s: run-time error %d: %s\n", qPrintable(program), int(error.number()), error.what());
        QMessageBox box(QMessageBox::Critical, program,
                        QStringLiteral("Run-time error '%1':\n\n%2").arg(int(error.number())).arg(QString::fromUtf8(error.what())),
                        QMessageBox::Ok, form.visible() ? form.window() : nullptr);
        box.exec();
    }
};

}  // namespace

struct Form::Widgets {
    std::unique_ptr<TopLevel> top;
    ClientArea* client = nullptr;
};

// ---- Controls ---------------------------------------------------------------

Control::Control(Form& form, const ControlRow& row)
    : form_(form)
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
    if (widget_)
        widget_->setVisible(visible);
    else
        form_.changed();
}

namespace {

// Places a windowed control on the client area at its described rectangle.
template <class W>
W* place(W* widget, const ControlRow& row)
{
    widget->setGeometry(pixelRect(row));
    widget->setFont(resolveFont(row.font));
    widget->setEnabled(row.enabled);
    widget->setVisible(row.visible);
    // Windowed controls are opaque: printed text beneath them is hidden.
    widget->setAutoFillBackground(true);
    return widget;
}

}  // namespace

CommandButton::CommandButton(Form& form, const ControlRow& row)
    : Control(form, row)
{
    auto* button = place(new QPushButton(literalCaption(row.caption), form.clientArea()), row);
    // Enter presses the focused button, as the space bar does.
    button->setAutoDefault(true);
    button->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(button, &QPushButton::clicked, button, [this] { form_.dispatch(event_); });
    widget_ = button;
}

OptionButton::OptionButton(Form& form, const ControlRow& row)
    : Control(form, row)
{
    // All option buttons are children of the client area, which makes them one
    // exclusive group; none is selected at start.
    auto* option = place(new OptionButtonWidget(literalCaption(row.caption), form.clientArea()), row);
    option->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(option, &QRadioButton::clicked, option, [this] { form_.dispatch(event_); });
    widget_ = option;
}

bool OptionButton::value() const { return static_cast<QRadioButton*>(widget_)->isChecked(); }

TextBox::TextBox(Form& form, const ControlRow& row)
    : Control(form, row)
{
    auto* edit = place(new QLineEdit(qstring(row.caption), form.clientArea()), row);
    edit->setFocusPolicy(Qt::StrongFocus);
    edit->setCursorPosition(0);
    widget_ = edit;
}

QString TextBox::text() const { return static_cast<QLineEdit*>(widget_)->text(); }

void TextBox::setText(const QString& text)
{
    auto* edit = static_cast<QLineEdit*>(widget_);
    edit->setText(text);
    edit->setCursorPosition(0);
}

PictureBox::PictureBox(Form& form, const ControlRow& row)
    : Control(form, row)
{
    auto* box = place(new PictureBoxWidget(loadPicture(row.picture), form.clientArea()), row);
    box->setFocusPolicy(Qt::StrongFocus);
    widget_ = box;
}

Label::Label(Form& form, const ControlRow& row)
    : Control(form, row)
{
}

Image::Image(Form& form, const ControlRow& row)
    : Control(form, row)
    , left_(float(row.left))
    , picture_(std::make_unique<QPixmap>(loadPicture(row.picture)))
{
}

Image::~Image() = default;

QRect Image::rect() const
{
    const int x = int(std::lround(double(left_) / twipsPerPixel));
    if (row_.stretch)
        return { x, toPixels(row_.top), toPixels(row_.width), toPixels(row_.height) };
    return { QPoint(x, toPixels(row_.top)), picture_->size() };
}

void Image::setLeft(float twips)
{
    // Positions live in the 16-bit twip range; anything else cannot be shown.
    if (!std::isfinite(twips) || std::fabs(twips) > 1.0e9f)
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    const QRect before = rect();
    left_ = twips;
    // A picture that stays on its pixels needs no repaint.
    if (visible_ && rect() != before)
        form_.clientArea()->update(before.united(rect()));
}

Line::Line(Form& form, const ControlRow& row)
    : Control(form, row)
{
}

Timer::Timer(Form& form, const ControlRow& row)
    : Control(form, row)
    , enabled_(false)
{
    setEnabled(row.enabled);
}

Timer::~Timer() = default;

void Timer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled)
        ticker_.reset();
    else if (!ticker_ && row_.interval > 0)
        ticker_ = form_.clock().every(std::chrono::milliseconds(row_.interval), [this] { form_.dispatch(event_); });
}

MenuItem::MenuItem(const MenuRow& row)
    : row_(row)
{
}

// ---- The form ---------------------------------------------------------------

Form::Form(Description description, Services services)
    : description_(std::move(description))
    , clock_(services.clock)
    , reporter_(services.reporter)
    // Without a colour of its own the window takes the desktop's button-face colour.
    , backColor_(description_.window.backColor.value_or(0x80000000u | 15u))
    , widgets_(std::make_unique<Widgets>())
{
    installStandardLook();
    if (!clock_) {
        ownClock_ = std::make_unique<SystemClock>();
        clock_ = ownClock_.get();
    }
    if (!reporter_) {
        ownReporter_ = std::make_unique<StandardReporter>();
        reporter_ = ownReporter_.get();
    }
    const WindowRow& w = description_.window;
    Qt::WindowFlags flags = Qt::Window;
    if (w.borderStyle == BorderStyle::None)
        flags |= Qt::FramelessWindowHint;
    widgets_->top = std::make_unique<TopLevel>(*this, flags);
    QWidget* top = widgets_->top.get();
    top->setWindowTitle(qstring(w.caption));
    top->setObjectName(qstring(w.name));

    auto* layout = new QVBoxLayout(top);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    widgets_->client = new ClientArea(*this, top);
    layout->addWidget(widgets_->client);

    // The runtime binds Alt+F4 itself, so that a window without a frame can be
    // closed where no window manager does it.
    auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), top);
    closeKey->setContext(Qt::WindowShortcut);
    QObject::connect(closeKey, &QShortcut::activated, top, [top] { top->close(); });

    int highest = 0;
    for (const auto& row : description_.controls)
        highest = std::max(highest, row.index);
    for (const auto& row : description_.menus)
        highest = std::max(highest, row.index);
    byIndex_.assign(size_t(highest) + 1, nullptr);

    for (const auto& row : description_.controls) {
        std::unique_ptr<Control> control;
        switch (row.kind) {
        case Kind::CommandButton: control = std::make_unique<CommandButton>(*this, row); break;
        case Kind::OptionButton: control = std::make_unique<OptionButton>(*this, row); break;
        case Kind::TextBox: control = std::make_unique<TextBox>(*this, row); break;
        case Kind::PictureBox: control = std::make_unique<PictureBox>(*this, row); break;
        case Kind::Label: control = std::make_unique<Label>(*this, row); break;
        case Kind::Image: control = std::make_unique<Image>(*this, row); break;
        case Kind::Line: control = std::make_unique<Line>(*this, row); break;
        case Kind::Timer: control = std::make_unique<forms::Timer>(*this, row); break;
        }
        byIndex_[size_t(row.index)] = control.get();
        controls_.push_back(std::move(control));
    }

    // Keyboard order: the focusable controls in ascending TabIndex.
    std::vector<Control*> focusable;
    for (const auto& control : controls_)
        if (control->widget() && control->row().tabIndex)
            focusable.push_back(control.get());
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const Control* a, const Control* b) { return *a->row().tabIndex < *b->row().tabIndex; });
    for (size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1]->widget(), focusable[i]->widget());

    if (!description_.menus.empty()) {
        auto* bar = new QMenuBar(top);
        bar->setNativeMenuBar(false);  // the menu bar stays inside the window on every desktop
        bar->setFocusPolicy(Qt::NoFocus);
        layout->setMenuBar(bar);
        QMenu* menu = nullptr;
        for (const auto& row : description_.menus) {
            if (row.level == 0) {
                menu = bar->addMenu(literalCaption(row.caption));
                continue;
            }
            auto item = std::make_unique<MenuItem>(row);
            QAction* action = menu ? menu->addAction(literalCaption(row.caption))
                                   : bar->addAction(literalCaption(row.caption));
            MenuItem* raw = item.get();
            QObject::connect(action, &QAction::triggered, top, [this, raw] { dispatch(raw->event_); });
            menuItems_.push_back(std::move(item));
        }
    }

    // The window's hint includes the menu bar, so the client area keeps its described size below it.
    top->resize(top->sizeHint());
}

Form::~Form()
{
    // Timers stop before the widgets they would touch go away.
    controls_.clear();
}

Control& Form::checkedControl(int index, Kind kind)
{
    Control* control = index >= 0 && size_t(index) < byIndex_.size() ? byIndex_[size_t(index)] : nullptr;
    if (!control || control->kind() != kind) {
        std::fprintf(stderr, "forms: no control of the expected kind has creation index %d\n", index);
        std::abort();
    }
    return *control;
}

MenuItem& Form::menuItem(int index)
{
    for (const auto& item : menuItems_)
        if (item->row().index == index)
            return *item;
    std::fprintf(stderr, "forms: no menu item has creation index %d\n", index);
    std::abort();
}

QWidget* Form::window() const { return widgets_->top.get(); }
QWidget* Form::clientArea() const { return widgets_->client; }

bool Form::visible() const { return !hidden_; }

void Form::setVisible(bool visible)
{
    hidden_ = !visible;
    window()->setVisible(visible);
}

void Form::setBackColor(Colour colour)
{
    backColor_ = colour;
    changed();
}

void Form::changed() { clientArea()->update(); }

void Form::Print(const QString& text)
{
    const QFontMetrics metrics(resolveFont(std::nullopt));
    printed_.push_back({ 0, printY_, text });
    printY_ += metrics.height();
    const auto& line = printed_.back();
    clientArea()->update(QRect(line.x, line.y, metrics.horizontalAdvance(text) + metrics.maxWidth(), metrics.height()));
}

void Form::Cls()
{
    printed_.clear();
    printY_ = 0;
    changed();
}

double Form::Timer() const
{
    return clock().now().time().msecsSinceStartOfDay() / 1000.0;
}

DateValue Form::Date() const
{
    return { clock().now().date(), QTime(0, 0) };
}

DateValue Form::Time() const
{
    return { DateValue::dayZero(), clock().now().time() };
}

void Form::DoEvents()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const bool dispatched = dispatcher && dispatcher->processEvents(QEventLoop::AllEvents);
    // Nothing was pending: wait briefly for the next event rather than let a
    // caller that polls the clock through DoEvents spin a core.
    if (!dispatched && !exitStatus_)
        clock().idle(std::chrono::milliseconds(1));
    if (exitStatus_)
        throw ProgramEnding {};
}

void Form::DoEventsUntil(double timer)
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const bool dispatched = dispatcher && dispatcher->processEvents(QEventLoop::AllEvents);
    if (!dispatched && !exitStatus_) {
        // Seconds from now to the deadline on the clock that restarts at
        // midnight, the short way round: 86400.07 is 0.07 s after midnight.
        const double left = std::remainder(timer - Timer(), 24 * 60 * 60);
        // In whole milliseconds, rounded up (less a nanosecond of rounding in
        // the caller's sum), and at least one: the clock reads in milliseconds,
        // so a caller whose test still says "wait" at the deadline is answered
        // by the next reading, not by a spin until it.
        const double ms = std::ceil(left * 1000 - 1e-6);
        clock().idle(std::chrono::milliseconds(ms >= 1 ? qint64(ms) : 1));
    }
    if (exitStatus_)
        throw ProgramEnding {};
}

void Form::load()
{
    if (load_)
        dispatch(load_);
}

void Form::show()
{
    if (exitStatus_)
        return;
    // Focus goes to the first control in TabIndex order that can take it now.
    Control* first = nullptr;
    for (const auto& control : controls_) {
        const ControlRow& row = control->row();
        if (control->widget() && row.tabIndex && control->visible() && row.enabled
            && (!first || *row.tabIndex < *first->row().tabIndex))
            first = control.get();
    }
    if (first)
        first->widget()->setFocus();
    hidden_ = false;
    window()->show();
}

void Form::close()
{
    end(0);
    window()->hide();
}

void Form::end(int status)
{
    if (exitStatus_)
        return;
    exitStatus_ = status;
    QCoreApplication::exit(status);
}

void Form::dispatch(const std::function<void()>& handler) noexcept
{
    // Events that arrive once the program has ended, or nested too deeply
    // inside DoEvents for the stack, are dropped.
    if (!handler || exitStatus_ || nesting_ >= maxNesting)
        return;
    ++nesting_;
    try {
        handler();
    } catch (const RuntimeError& error) {
        if (!exitStatus_) {
            exitStatus_ = 1;  // no handler runs from here on, not even during the report
            reporter_->report(*this, error);
            QCoreApplication::exit(1);
        }
    } catch (const ProgramEnding&) {
        // The program ended while this handler waited in DoEvents.
    } catch (const std::exception& error) {
        std::fprintf(stderr, "forms: internal error: %s\n", error.what());
        std::abort();
    } catch (...) {
        std::fprintf(stderr, "forms: internal error\n");
        std::abort();
    }
    --nesting_;
    if (hidden_)
        end(0);
}

}  // namespace forms
