#include "testing.h"

#include "opened.h"

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

Paper::Paper(QRgb colour) : blank_([colour](QRgb p, int, int) { return (p & 0xFFFFFFu) == (colour & 0xFFFFFFu); }) {}

Paper::Paper(const QImage& background)
    : blank_([background](QRgb p, int x, int y) { return background.valid(x, y) && p == background.pixel(x, y); })
{
}

Paper Paper::lighterThan(int gray) { return Paper([gray](QRgb p, int, int) { return qGray(p) >= gray; }); }

Paper Paper::anyBut(QRgb ink)
{
    return Paper([ink](QRgb p, int, int) { return (p & 0xFFFFFFu) != (ink & 0xFFFFFFu); });
}

int inkIn(const QImage& image, const QRect& area, const Paper& paper)
{
    const QRect inside = area & image.rect();
    int ink = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ink += !paper.blank(image, x, y);
    return ink;
}

QList<int> inkedRows(const QImage& image, const QRect& area, const Paper& paper)
{
    QList<int> rows;
    for (int y = area.top(); y <= area.bottom(); ++y)
        if (inkIn(image, QRect(area.left(), y, area.width(), 1), paper))
            rows << y;
    return rows;
}

QList<int> inkedColumns(const QImage& image, const QRect& area, const Paper& paper)
{
    QList<int> columns;
    for (int x = area.left(); x <= area.right(); ++x)
        if (inkIn(image, QRect(x, area.top(), 1, area.height()), paper))
            columns << x;
    return columns;
}

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

void showForm(Form& form) { bringTo(form, Stage::Shown); }

void bringTo(Form& form, Stage stage)
{
    if (stage == Stage::Built)
        return;
    form.load();
    if (stage == Stage::Loaded)
        return;
    form.show();
    if (!form.window()->isVisible())
        return;
    if (!QTest::qWaitForWindowExposed(form.window()))
        return failUnlessFailed("the window was never exposed", forms::testing::SourcePlace::current());
    if (stage == Stage::Active) {
        form.window()->activateWindow();
        if (!QTest::qWaitForWindowActive(form.window()))
            failUnlessFailed("the window never became active", forms::testing::SourcePlace::current());
    }
}

void failUnlessFailed(const QString& message, forms::testing::SourcePlace where)
{
    if (!QTest::currentTestFunction())
        qFatal("%s:%d: %s", where.file_name(), int(where.line()), qPrintable(message));
    if (!QTest::currentTestFailed())
        QTest::qFail(qPrintable(message), where.file_name(), int(where.line()));
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
    return { WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1, WIFSIGNALED(wstatus) ? WTERMSIG(wstatus) : 0,
             QString::fromUtf8(errors) };
}

}  // namespace forms::testing
