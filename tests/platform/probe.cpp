// A program started through forms::run, as every program's generated main()
// starts its form, for the tests of run() and of how a program meets the
// environment it is started in. Its window names every face the programs use.
// It says on stdout, one line each, what happened and in what order; the first
// argument chooses how it ends:
//   close          the window is closed as soon as it shows (status 0);
//   load-error     Load raises Overflow, reported to a reporter that records;
//   timer-error    a timer on the system clock raises Division by zero while the
//                  event loop runs, reported by the standard reporter, whose box
//                  is dismissed as soon as it shows;
//   error <file>   Load writes to <file> where descriptors 0, 1 and 2 lead, then
//                  raises Type mismatch, and the text of the standard reporter's
//                  box is written to <file> before its OK button is pressed.
#include <forms/arithmetic.h>
#include <forms/form.h>
#include <forms/run.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void append(const QString& file, const QString& line)
{
    QFile out(file);
    if (out.open(QIODevice::Append | QIODevice::Text))
        out.write((line + u'\n').toUtf8());
}

// Once the error box shows (the timer fires inside the box's own loop), lets
// `seen` look at it, or at null where there is none, and presses its OK button.
void pressOkOnTheBox(std::function<void(const QMessageBox*)> seen)
{
    QTimer::singleShot(0, [seen = std::move(seen)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        seen(box);
        if (box)
            box->button(QMessageBox::Ok)->click();
    });
}

forms::Description description()
{
    using forms::Kind;
    auto label = [](std::string_view name, int index, std::string_view face) {
        return forms::ControlRow { .kind = Kind::Label, .name = name, .index = index, .caption = "Ωω",
                                   .top = 300 * (index - 1), .width = 1200, .height = 300,
                                   .font = forms::Font { .face = face, .size = 78000 } };
    };
    return {
        .window = { .name = "Form1", .caption = "Probe", .clientWidth = 2400, .clientHeight = 1200 },
        .controls = {
            label("Sans", 1, "Liberation Sans"),
            label("Narrow", 2, "Liberation Sans Narrow"),
            label("Serif", 3, "P052"),
            label("Comic", 4, "Comic Neue"),
            { .kind = Kind::Timer, .name = "Timer1", .index = 5, .enabled = false, .interval = 1 },
        },
    };
}

class Recorder final : public forms::ErrorReporter {
public:
    void report(const QString& program, const forms::RuntimeError& error, QWidget* window) override
    {
        say(QStringLiteral("report %1 %2 %3").arg(program).arg(int(error.number()))
                .arg(!window ? "without a window" : window->isVisible() ? "over the window" : "over a hidden window"));
    }
};

class Probe final : public forms::Form {
public:
    Probe(QString how, QString report, forms::Services services)
        : Form(description(), services)
        , how_(std::move(how))
        , report_(std::move(report))
    {
        onLoad(&Probe::Form_Load);
        connect(Timer1(), &Probe::Timer1_Timer);
        window()->installEventFilter(&shows_);
        shows_.probe = this;
    }

    FORMS_CONTROL(Timer, Timer1);

private:
    void Form_Load()
    {
        say(QStringLiteral("load %1 %2 %3, window %4")
                .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion(),
                     QGuiApplication::desktopFileName(), window()->isVisible() ? "shown" : "not shown"));
        if (how_ == QLatin1String("load-error"))
            forms::toInt16(40000.0);
        if (how_ == QLatin1String("timer-error"))
            Timer1().setEnabled(true);
        if (how_ == QLatin1String("error")) {
            for (int fd = 0; fd <= 2; ++fd)
                append(report_, QStringLiteral("fd%1 %2").arg(fd).arg(QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd))));
            pressOkOnTheBox([report = report_](const QMessageBox* box) {
                append(report, QStringLiteral("box ") + (box ? box->text().replace(u'\n', u'|') : QStringLiteral("none")));
            });
            forms::toDouble(QStringLiteral("not a number"));
        }
    }

    void Timer1_Timer()
    {
        say(QStringLiteral("timer"));
        pressOkOnTheBox([](const QMessageBox* box) {
            if (box)
                say(QStringLiteral("box dismissed"));
        });
        forms::divide(1.0, 0.0);
    }

    struct Shows final : QObject {
        Probe* probe = nullptr;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Show) {
                say(QStringLiteral("shown"));
                if (probe->how_ == QLatin1String("close"))
                    QTimer::singleShot(0, probe->window(), [this] { probe->window()->close(); });
            }
            return false;
        }
    };

    QString how_, report_;
    Shows shows_;
};

}  // namespace

int main(int argc, char** argv)
{
    const QString how = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString report = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    Recorder recorder;
    const forms::ProgramInfo info { .executable = "probe", .command = "probe", .desktopId = "forms-probe", .summary = "A probe",
                                    .version = "1.2.3" };
    const int status = forms::run(argc, argv, info, [&] {
        forms::Services services;
        if (how == QLatin1String("load-error"))
            services.reporter = &recorder;
        return std::make_unique<Probe>(how, report, services);
    });
    say(QStringLiteral("status %1").arg(status));
    return status;
}
