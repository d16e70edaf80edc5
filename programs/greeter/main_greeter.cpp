#include "greeter.h"

int main(int argc, char** argv) { return forms::run<greeter::Form1>(argc, argv); }
