// The top-level window of a form: its frame, the client surface and the menu bar.
#include "widgets.h"

#include "accessibility.h"
#include "forms/form.h"
#include "forms/look.h"

#include <QCloseEvent>
#include <QShortcut>
#include <QVBoxLayout>

namespace forms {

TopLevel::TopLevel(Form& form, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , form_(form)
{
}

void TopLevel::closeEvent(QCloseEvent* event)
{
    event->accept();
    form_.close();
}

struct Form::Window {
    std::unique_ptr<TopLevel> top;
    ClientArea* client = nullptr;
    QVBoxLayout* layout = nullptr;
};

void Form::buildWindow()
{
    installStandardLook();
    accessibility::install();
    warnMissingFaces(description_);
    const WindowRow& w = description_.window;
    window_ = std::make_unique<Window>();
    Qt::WindowFlags flags = Qt::Window;
    if (w.borderStyle == BorderStyle::None)
        flags |= Qt::FramelessWindowHint;
    window_->top = std::make_unique<TopLevel>(*this, flags);
    QWidget* top = window_->top.get();
    top->setWindowTitle(qstring(w.caption));
    top->setObjectName(qstring(w.name));
    // Set on the window itself, so that its controls keep the standard palette
    // whatever becomes of the application's.
    top->setPalette(standardPalette());

    window_->layout = new QVBoxLayout(top);
    window_->layout->setContentsMargins(0, 0, 0, 0);
    window_->layout->setSpacing(0);
    window_->client = new ClientArea(*this, top);
    window_->layout->addWidget(window_->client);

    // The runtime binds Alt+F4 itself, so that a window without a frame can be
    // closed where no window manager does it.
    auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), top);
    closeKey->setContext(Qt::WindowShortcut);
    QObject::connect(closeKey, &QShortcut::activated, top, [top] { top->close(); });
}

QWidget* Form::window() const { return window_->top.get(); }
QWidget* Form::clientArea() const { return window_->client; }

Form::Form(Description description, Services services)
    : description_(std::move(description))
    , ownClock_(services.clock ? nullptr : std::make_unique<SystemClock>())
    , ownReporter_(services.reporter ? nullptr : std::make_unique<StandardReporter>())
    , clock_(services.clock ? services.clock : ownClock_.get())
    , reporter_(services.reporter ? services.reporter : ownReporter_.get())
    // Without a colour of its own the window takes the desktop's button-face colour.
    , backColor_(description_.window.backColor.value_or(0x80000000u | 15u))
{
    stopOnProblems(description_);
    buildWindow();
    for (const ControlRow& row : description_.controls)
        controls_.push_back(makeControl(*this, row));
    applyTabOrder(controls_);
    accessibility::prepare(*this);
    menuItems_ = buildMenuBar(window(), window_->layout, description_.menus,
                              [this](const MenuItem& item) { dispatch(item.event()); });
    // The window's hint includes the menu bar, so the client area keeps its described size below it.
    window()->resize(window()->sizeHint());
}

Form::~Form()
{
    // Timers stop before the widgets they would touch go away.
    controls_.clear();
}

}  // namespace forms
