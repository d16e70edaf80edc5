// Double arithmetic that raises the runtime's floating-point errors: invalid
// operation, division by zero and overflow. Underflow and inexact results are
// ordinary results, as IEEE 754 gives them.
#pragma once

namespace forms {

double add(double a, double b);
double subtract(double a, double b);
double multiply(double a, double b);
double divide(double a, double b);

}  // namespace forms
