// forms_screenshots: renders every program's window into PNG files.
//
//   forms_screenshots <dir> [name...]
//
// Writes <dir>/<name>.png for every screenshot, or only for the names given.
#include "shots.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    screenshots::prepareEnvironment();
    QApplication app(argc, argv);
    screenshots::prepareApplication();

    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: forms_screenshots <dir> [name...]\n");
        return 2;
    }
    const QDir dir(args.first());
    const QStringList only = args.mid(1);
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "forms_screenshots: cannot create %s\n", qPrintable(dir.path()));
        return 1;
    }
    int written = 0;
    for (const auto& shot : screenshots::all()) {
        if (!only.isEmpty() && !only.contains(shot.name))
            continue;
        const QString file = dir.filePath(shot.name + QStringLiteral(".png"));
        if (!shot.render().save(file, "PNG")) {
            std::fprintf(stderr, "forms_screenshots: cannot write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
        ++written;
    }
    if (written == 0) {
        std::fprintf(stderr, "forms_screenshots: no screenshot is named %s\n", qPrintable(only.join(u' ')));
        return 1;
    }
    return 0;
}
