// A program started through forms::run, for the tests of how a program meets the
// environment it is started in. Its window names every face the programs use;
// its Load does what the first argument says:
//   quit           hides the window, which ends the program with status 0;
//   error <file>   writes to <file> where descriptors 0, 1 and 2 lead, then raises
//                  a run-time error, and writes the text of the message box that
//                  shows to <file> before pressing its OK button.
#include <forms/form.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

namespace {

using forms::Kind;

forms::Description description()
{
    auto label = [](std::string_view name, int index, std::string_view face) {
        return forms::ControlRow { .kind = Kind::Label, .name = name, .index = index, .caption = "Ωω",
                                   .top = 300 * index, .width = 1200, .height = 300,
                                   .font = forms::Font { .face = face, .size = 78000 } };
    };
    return { .window = { .name = "Form1", .caption = "probe", .clientWidth = 2400, .clientHeight = 1800 },
             .controls = { label("Sans", 1, "Liberation Sans"), label("Narrow", 2, "Liberation Sans Narrow"),
                           label("Serif", 3, "P052"), label("Comic", 4, "Comic Neue") } };
}

void append(const QString& file, const QString& line)
{
    QFile out(file);
    if (out.open(QIODevice::Append | QIODevice::Text))
        out.write((line + u'\n').toUtf8());
}

class Probe final : public forms::Form {
public:
    Probe(QString mode, QString report)
        : Form(description())
        , mode_(std::move(mode))
        , report_(std::move(report))
    {
        onLoad(&Probe::Form_Load);
    }

    void Form_Load()
    {
        if (mode_ != QLatin1String("error")) {
            setVisible(false);
            return;
        }
        for (int fd = 0; fd <= 2; ++fd)
            append(report_, QStringLiteral("fd%1 %2").arg(fd).arg(QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd))));
        // Runs inside the message box's own event loop.
        QTimer::singleShot(0, [report = report_] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            append(report, QStringLiteral("box ") + (box ? box->text().replace(u'\n', u'|') : QStringLiteral("none")));
            if (box)
                box->button(QMessageBox::Ok)->click();
        });
        forms::toDouble(QStringLiteral("not a number"));
    }

private:
    QString mode_, report_;
};

}  // namespace

int main(int argc, char** argv)
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString report = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    return forms::run(argc, argv,
                      { .executable = "startup_probe", .command = "startup_probe", .desktopId = "forms-startup-probe", .summary = "A probe of how a program starts",
                        .version = "1" },
                      [&] { return std::make_unique<Probe>(mode, report); });
}
