#include "maxofthree.h"

int main(int argc, char** argv) { return forms::run<maxofthree::Form1>(argc, argv); }
