// How a run-time error reaches the user. Tests substitute a recording reporter.
#pragma once

#include "forms/errors.h"

#include <QString>

#include <cstdio>

class QWidget;

namespace forms {

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // `window` is the program's window while it is shown, else null.
    virtual void report(const QString& program, const RuntimeError& error, QWidget* window) = 0;
};

// Writes one line to stderr and shows a modal message box over the window.
class StandardReporter final : public ErrorReporter {
public:
    explicit StandardReporter(std::FILE* log = stderr) : log_(log) {}
    void report(const QString& program, const RuntimeError& error, QWidget* window) override;

    // The line written to the log: "<program>: run-time error <N>: <message>".
    static QString logLine(const QString& program, const RuntimeError& error);
    // The message box's text: "Run-time error '<N>':", a blank line, the message.
    static QString boxText(const RuntimeError& error);

private:
    std::FILE* log_;
};

}  // namespace forms
