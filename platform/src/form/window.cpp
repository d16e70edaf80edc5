#include "form/window.h"

#include "forms/colours.h"
#include "forms/text.h"

#include <QCloseEvent>
#include <QShortcut>
#include <QVBoxLayout>

namespace forms {

namespace {

Qt::WindowFlags flagsOf(const WindowRow& row)
{
    return row.borderStyle == BorderStyle::None ? Qt::Window | Qt::FramelessWindowHint : Qt::Window;
}

}  // namespace

Window::Window(const WindowRow& row, std::function<void()> closing)
    : QWidget(nullptr, flagsOf(row))
    , closing_(std::move(closing))
    , column_(new QVBoxLayout(this))
{
    setWindowTitle(qstring(row.caption));
    setObjectName(qstring(row.name));
    // Set on the window itself, so that its controls keep the standard palette
    // whatever becomes of the application's.
    setPalette(standardPalette());
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(0);

    auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    closeKey->setContext(Qt::WindowShortcut);
    QObject::connect(closeKey, &QShortcut::activated, this, [this] { close(); });
}

void Window::closeEvent(QCloseEvent* event)
{
    event->accept();
    closing_();
}

}  // namespace forms
