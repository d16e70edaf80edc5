#include "forms/arithmetic.h"

#include "forms/errors.h"

#include <cmath>

namespace forms {

namespace {

// Classifies a result by its operands rather than by the FPU's sticky flags, so
// the outcome cannot depend on what the compiler reorders or folds.
double checked(double result, double a, double b)
{
    if (std::isnan(result) && !std::isnan(a) && !std::isnan(b))
        throw RuntimeError(RuntimeError::InvalidOperation);
    if (std::isinf(result) && std::isfinite(a) && std::isfinite(b))
        throw RuntimeError(RuntimeError::Overflow);
    return result;
}

}  // namespace

double add(double a, double b) { return checked(a + b, a, b); }
double subtract(double a, double b) { return checked(a - b, a, b); }
double multiply(double a, double b) { return checked(a * b, a, b); }

double divide(double a, double b)
{
    // IEEE 754: 0/0 is invalid, a finite non-zero x/0 divides by zero, inf/0 is inf.
    if (b == 0.0 && a == 0.0)
        throw RuntimeError(RuntimeError::InvalidOperation);
    if (b == 0.0 && std::isfinite(a))
        throw RuntimeError(RuntimeError::DivisionByZero);
    return checked(a / b, a, b);
}

}  // namespace forms
