// A program for the tests of run(): main() hands run() a one-window form, as
// every program's generated main() does, and the form says on stdout, one line
// each, what happened and in what order. The argument chooses how it ends:
//   close        the window is closed as soon as it shows (status 0);
//   load-error   Load raises Overflow, reported to a reporter that records;
//   timer-error  a timer on the system clock raises Division by zero while the
//                event loop runs, reported by the standard reporter, whose box
//                is dismissed as soon as it shows.
#include <forms/arithmetic.h>
#include <forms/form.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

forms::Description description()
{
    return {
        .window = { .name = "Form1", .caption = "Probe", .clientWidth = 2400, .clientHeight = 1200 },
        .controls = {
            { .kind = forms::Kind::Timer, .name = "Timer1", .index = 1, .enabled = false, .interval = 1 },
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
    Probe(QString how, forms::Services services)
        : Form(description(), services)
        , how_(std::move(how))
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
    }

    void Timer1_Timer()
    {
        say(QStringLiteral("timer"));
        // Runs inside the message box's own loop.
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                say(QStringLiteral("box dismissed"));
                box->accept();
            }
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

    QString how_;
    Shows shows_;
};

}  // namespace

int main(int argc, char** argv)
{
    const QString how = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    Recorder recorder;
    const forms::ProgramInfo info { .executable = "probe", .command = "probe", .desktopId = "forms-probe", .summary = "A probe",
                                    .version = "1.2.3" };
    const int status = forms::run(argc, argv, info, [&] {
        forms::Services services;
        if (how == QLatin1String("load-error"))
            services.reporter = &recorder;
        return std::make_unique<Probe>(how, services);
    });
    say(QStringLiteral("status %1").arg(status));
    return status;
}
