#include "forms/reporter.h"

#include "forms/colours.h"

#include <QMessageBox>

namespace forms {

QString StandardReporter::logLine(const QString& program, const RuntimeError& error)
{
    return QStringLiteral("%1: run-time error %2: %3").arg(program).arg(int(error.number())).arg(QString::fromUtf8(error.what()));
}

QString StandardReporter::boxText(const RuntimeError& error)
{
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(int(error.number())).arg(QString::fromUtf8(error.what()));
}

void StandardReporter::report(const QString& program, const RuntimeError& error, QWidget* window)
{
    std::fprintf(log_, "%s\n", logLine(program, error).toLocal8Bit().constData());
    std::fflush(log_);
    QMessageBox box(QMessageBox::Critical, program, boxText(error), QMessageBox::Ok, window);
    box.setPalette(standardPalette());
    box.exec();
}

}  // namespace forms
