#include "ora.h"

int main(int argc, char** argv) { return forms::run<ora::Form1>(argc, argv); }
