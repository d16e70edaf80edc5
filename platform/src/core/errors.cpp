#include "forms/errors.h"

namespace forms {

RuntimeError::RuntimeError(Number number)
    : std::runtime_error(message(number))
    , number_(number)
{
}

const char* RuntimeError::message(Number number)
{
    switch (number) {
    case InvalidOperation: return "Invalid floating-point operation";
    case Overflow: return "Overflow";
    case DivisionByZero: return "Division by zero";
    case TypeMismatch: return "Type mismatch";
    case InvalidPropertyValue: return "Invalid property value";
    }
    return "Run-time error";
}

}  // namespace forms
