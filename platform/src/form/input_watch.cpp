#include "form/input_watch.h"

#include <QCoreApplication>
#include <QEvent>

namespace forms {

namespace {

bool keyLast = false;

class InputWatch final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
            keyLast = true;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::TouchBegin:
            keyLast = false;
            break;
        default:
            break;
        }
        return false;
    }
};

}  // namespace

void watchInput()
{
    static InputWatch* watch = nullptr;
    if (watch || !QCoreApplication::instance())
        return;
    watch = new InputWatch(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watch);
}

bool lastInputWasKey() { return keyLast; }

}  // namespace forms
