#include "forms/run.h"

#include "forms/form.h"
#include "forms/pictures.h"
#include "forms/text.h"
#include "run/command_line.h"
#include "run/menu_entry.h"
#include "run/startup.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>
#include <QWidget>

#include <cstdio>
#include <optional>

namespace forms {

namespace {

// The program's icon, compiled in at every size it was drawn at: the window
// shows the same icon as its menu entry. (Not QIcon::addFile, which would ask
// every image-format plugin whether it knows the file, and so load them all.)
QIcon programIcon()
{
    QIcon icon;
    const QDir sizes(QStringLiteral(":/forms/icon"));
    for (const QString& file : sizes.entryList(QDir::Files))
        icon.addPixmap(readImage(sizes.filePath(file), "PNG"));
    return icon;
}

// The name the program's menu entry has on this desktop: Greek on a desktop in
// Greek, English on any other.
QString menuName(const ProgramInfo& program)
{
    const QString language = QLocale().uiLanguages().value(0);
    return qstring(language.startsWith(QStringLiteral("el")) ? program.menuName : program.menuNameEnglish);
}

}  // namespace

int run(int argc, char** argv, const ProgramInfo& program, const std::function<std::unique_ptr<Form>()>& make)
{
    prepareStandardDescriptors();
    // --help and --version answer without a display.
    if (const std::optional<int> answered = answerCommandLine(argc, argv, program))
        return *answered;
    // Qt aborts, core and all, when it cannot open its display.
    std::optional<DisplayCheck> display(std::in_place, argc, argv);
    if (!display->reachable()) {
        std::fprintf(stderr, "%.*s: %s\n", int(program.executable.size()), program.executable.data(),
                     display->problem().toLocal8Bit().constData());
        return 1;
    }
    QApplication app(argc, argv);
    display.reset();
    QApplication::setApplicationName(qstring(program.executable));
    QApplication::setApplicationVersion(qstring(program.version));
    // The Wayland app id: the desktop matches the window to its menu entry,
    // name and icon.
    QGuiApplication::setDesktopFileName(qstring(program.desktopId));
    // On X11, the same id as the window's class and the desktops' own
    // properties: Qt would name the class after the program, Greek or not.
    markWindowsWithMenuEntry(program.desktopId);
    QApplication::setWindowIcon(programIcon());

    const std::unique_ptr<Form> form = make();
    // A screen reader names a window by its caption ("Form1" in most of
    // them); its description says which program it is.
    if (const QString name = menuName(program); !name.isEmpty() && name != form->window()->windowTitle())
        form->window()->setAccessibleDescription(name);
    form->load();
    form->show();
    if (form->exitStatus())
        return *form->exitStatus();
    return QApplication::exec();
}

}  // namespace forms
