// The printing benchmark: greeter2's window, shown, with 100 and then 10,000
// lines printed on it. For each count: the CPU time of one more Print, of one
// whole repaint of the window (all of it painted again and flushed, as after a
// resize, a maximise or a change of scale), the lines the surface keeps, and
// the process's resident memory. Run on any platform; tools/bench runs it on
// its Xvfb.
//
// Usage: print_bench [--rounds N]   (repaints and prints timed per count, default 40)
#include "table.h"

#include <forms/form.h>

#include <QApplication>
#include <QFile>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

namespace {

double cpuMicroseconds()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = 40;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[i + 1]));
    QApplication app(argc, argv);
    const forms::programs::Program* greeter2 = nullptr;
    for (const auto& program : forms::programs::all())
        if (program.executable == "greeter2")
            greeter2 = &program;
    if (!greeter2) {
        std::fprintf(stderr, "print_bench: greeter2 is not in the registry\n");
        return 1;
    }
    const auto form = greeter2->make({});
    form->load();
    form->show();
    QApplication::processEvents();

    // The distance between two printed lines, from the first two.
    form->Print(QStringLiteral("Καλημέρα"));
    form->Print(QStringLiteral("Καλημέρα"));
    const int lineHeight = form->printedLines().at(1).y;
    form->Cls();

    std::printf("%-8s %14s %16s %8s %10s\n", "lines", "µs per print", "µs per repaint", "kept", "RSS (MiB)");
    int printed = 0;
    for (const int lines : { 100, 10000 }) {
        for (; printed < lines - rounds; ++printed)
            form->Print(QStringLiteral("Καλημέρα %1").arg(printed));
        QApplication::processEvents();
        // The last `rounds` prints, each with the repaint of the band it drew
        // in, as the event loop runs it: its rectangle is clipped to nothing
        // when the line falls below the window.
        double start = cpuMicroseconds();
        for (; printed < lines; ++printed) {
            form->Print(QStringLiteral("Καλημέρα %1").arg(printed));
            form->surface().repaint(0, lineHeight * printed, form->surface().width(), lineHeight);
        }
        const double perPrint = (cpuMicroseconds() - start) / rounds;
        start = cpuMicroseconds();
        for (int round = 0; round < rounds; ++round)
            form->window()->repaint();
        const double perRepaint = (cpuMicroseconds() - start) / rounds;
        std::printf("%-8d %14.0f %16.0f %8zu %10.1f\n", lines, perPrint, perRepaint, form->printedLines().size(),
                    residentMiB());
    }
    return 0;
}
