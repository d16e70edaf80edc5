// The form: its window built from the description, the accessors' binding,
// the window's properties, printing and the clock services.
#include "forms/form.h"

#include "accessibility/accessibility.h"
#include "controls/menu_bar.h"
#include "controls/surface.h"
#include "controls/tab_order.h"
#include "form/input_watch.h"
#include "form/window.h"
#include "forms/fonts.h"
#include "forms/style.h"
#include "forms/text.h"

#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>

namespace forms {

Form::Form(Description description, Services services)
    : description_(std::move(description))
    , ownClock_(services.clock ? nullptr : std::make_unique<SystemClock>())
    , ownReporter_(services.reporter ? nullptr : std::make_unique<StandardReporter>())
    , clock_(services.clock ? services.clock : ownClock_.get())
    , reporter_(services.reporter ? services.reporter : ownReporter_.get())
{
    stopOnProblems(description_);
    installStandardLook();
    accessibility::install();
    watchInput();
    warnMissingFaces(description_);
    window_ = std::make_unique<Window>(description_.window, [this] { close(); });
    surface_ = new Surface(*this, description_, controls_, window_.get());
    window_->column()->addWidget(surface_);
    for (const ControlRow& row : description_.controls)
        controls_.push_back(makeControl(*this, row));
    applyTabOrder(controls_);
    accessibility::prepare(*surface_);
    menuItems_ = buildMenuBar(window_.get(), window_->column(), description_.menus,
                              [this](const MenuItem& item) { dispatch(Trigger::UserAction, item.event()); });
    // The window's hint includes the menu bar, so the surface keeps its described size below it.
    window_->resize(window_->sizeHint());
}

Form::~Form()
{
    // Timers stop before the widgets they would touch go away.
    controls_.clear();
}

QWidget* Form::window() const { return window_.get(); }
QWidget& Form::surface() const { return *surface_; }
const std::vector<PrintedLine>& Form::printedLines() const { return surface_->printedLines(); }

Control& Form::bindControl(std::string_view name, Kind kind)
{
    Control* control = find(name);
    if (!control || control->kind() != kind) {
        std::fprintf(stderr, "forms: window %s: the accessor %.*s finds %s\n", qPrintable(qstring(description_.window.name)),
                     int(name.size()), name.data(),
                     control ? qPrintable(QStringLiteral("a %1, not a %2").arg(qstring(kindName(control->kind())), qstring(kindName(kind))))
                             : "no control of that name in the description");
        std::abort();
    }
    return *control;
}

MenuItem& Form::bindMenuItem(std::string_view name)
{
    for (const auto& item : menuItems_)
        if (item->row().name == name)
            return *item;
    std::fprintf(stderr, "forms: window %s: the accessor %.*s finds no menu item of that name in the description\n",
                 qPrintable(qstring(description_.window.name)), int(name.size()), name.data());
    std::abort();
}

Control* Form::find(std::string_view name) const
{
    for (const auto& control : controls_)
        if (control->row().name == name)
            return control.get();
    return nullptr;
}

bool Form::visible() const { return !hidden_; }

void Form::setVisible(bool visible)
{
    hidden_ = !visible;
    window()->setVisible(visible);
}

Colour Form::backColor() const { return surface_->backColor(); }

void Form::setBackColor(Colour colour) { surface_->setBackColor(colour); }

void Form::visibilityChanged(const Control&) { accessibility::visibilityChanged(*surface_); }

void Form::printedLinesChanged() { accessibility::printedLinesChanged(*surface_); }

void Form::textSet(const Control& box, const std::function<void()>& set) { accessibility::textSet(*surface_, box, set); }

void Form::Print(const QString& text) { surface_->print(text); }

void Form::Cls() { surface_->cls(); }

double Form::Timer() const
{
    lastReading_ = { clock_->now().time().msecsSinceStartOfDay() / 1000.0, clock_->monotonic(), true };
    return lastReading_.timer;
}

DateValue Form::Date() const { return { clock_->now().date(), QTime(0, 0) }; }

DateValue Form::Time() const { return { DateValue::dayZero(), clock_->now().time() }; }

}  // namespace forms
