// Run-time errors of the form runtime. Handlers never catch them: the runtime does,
// at the one place it calls handlers, reports the error and ends the program.
#pragma once

#include <stdexcept>
#include <string>

namespace forms {

class RuntimeError : public std::runtime_error {
public:
    // The error numbers the runtime raises, each with its fixed message.
    enum Number {
        InvalidOperation = 5,    // floating-point invalid operation (0/0, inf - inf, ...)
        Overflow = 6,            // 16-bit or floating-point overflow
        DivisionByZero = 11,
        TypeMismatch = 13,       // text that is not a number
        InvalidPropertyValue = 380,
    };

    explicit RuntimeError(Number number);

    Number number() const { return number_; }
    // The fixed message of an error number, e.g. "Overflow".
    static const char* message(Number number);

private:
    Number number_;
};

// Thrown out of DoEvents once the program has ended (closed, hidden, or failed)
// while a handler was waiting in it: it unwinds that handler without running
// any more of its steps. The runtime catches it where it called the handler.
struct ProgramEnding {};

}  // namespace forms
