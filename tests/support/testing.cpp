#include "testing.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QMetaEnum>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace forms::testing {

namespace {

// What was last flushed to the window for `area` of one of its widgets. Pending
// events run first, so that updates already asked for are painted and flushed;
// then the pixels come from the window system (on the offscreen platform, the
// backing store the window was flushed to), not from a fresh render: a change
// that never asked for a repaint is not seen, as on a real screen.
QImage flushed(const Form& form, const QWidget* widget)
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QWidget* top = form.window();
    QWindow* window = top->windowHandle();
    if (!window || !window->screen() || !top->isVisible())
        return {};
    const QRect area(widget->mapTo(top, QPoint(0, 0)), widget->size());
    QImage image = window->screen()
                       ->grabWindow(window->winId(), area.x(), area.y(), area.width(), area.height())
                       .toImage()
                       .convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image;
}

}  // namespace

QImage grabClient(const Form& form) { return flushed(form, &form.surface()); }

QImage grabWindow(const Form& form) { return flushed(form, form.window()); }

unsigned rgbAt(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

void clickAt(const Form& form, QPoint pos)
{
    QWidget* top = form.window();
    const QPoint inWindow = form.surface().mapTo(top, pos);
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
}

void click(const Form& form, const Control& control) { clickAt(form, control.widget()->geometry().center()); }

QStringList printedTexts(const Form& form)
{
    QStringList texts;
    for (const auto& line : form.printedLines())
        texts << line.text;
    return texts;
}

QImage withPrintedLines(const Form& form, QImage image, const QStringList& lines)
{
    QPainter painter(&image);
    painter.setFont(form.surface().font());
    painter.setPen(form.surface().palette().color(QPalette::WindowText));
    const QFontMetrics metrics(painter.font());
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QPoint(0, i * metrics.height() + metrics.ascent()), lines[i]);
    return image;
}

QImage masked(QImage image, const QList<QRect>& areas)
{
    QPainter painter(&image);
    for (const QRect& area : areas)
        painter.fillRect(area, Qt::magenta);
    return image;
}

QImage surfaceOnly(const Form& form, QImage image)
{
    QList<QRect> controls;
    for (const QWidget* child : form.surface().findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        controls << child->geometry();
    return masked(std::move(image), controls);
}

QString describeAccessible(QAccessibleInterface* item)
{
    const QAccessible::State state = item->state();
    const char* role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(item->role());
    return QString::fromLatin1(role) + u' ' + item->text(QAccessible::Name)
        + (state.invisible ? ", invisible" : state.offscreen ? ", offscreen" : "");
}

QStringList describeChildren(QAccessibleInterface* parent)
{
    QStringList children;
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        children << describeAccessible(child)
                + (child->childCount() ? " {" + describeChildren(child).join(", ") + "}" : QString());
    }
    return children;
}

void showForm(Form& form)
{
    form.load();
    form.show();
    if (form.window()->isVisible())
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
}

ChildEnd runInChild(const std::function<void()>& body)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return {};
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        // The test framework's crash handler would report the fault as its own.
        for (int fatal : { SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL })
            std::signal(fatal, SIG_DFL);
        const rlimit noCore { 0, 0 };
        setrlimit(RLIMIT_CORE, &noCore);
        ::dup2(pipe[1], 2);
        ::close(pipe[0]);
        body();
        std::fflush(nullptr);
        _exit(0);
    }
    ::close(pipe[1]);
    QByteArray errors;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        errors.append(buffer, n);
    ::close(pipe[0]);
    int wstatus = 0;
    waitpid(child, &wstatus, 0);
    ChildEnd end;
    end.errors = QString::fromUtf8(errors);
    if (WIFEXITED(wstatus))
        end.status = WEXITSTATUS(wstatus);
    else if (WIFSIGNALED(wstatus))
        end.signal = WTERMSIG(wstatus);
    return end;
}

}  // namespace forms::testing
