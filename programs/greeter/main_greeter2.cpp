#include "greeter.h"

int main(int argc, char** argv) { return forms::run<greeter2::Form1>(argc, argv); }
