#include "chase.h"

int main(int argc, char** argv) { return forms::run<chase::Form1<chase::Chase2>>(argc, argv); }
