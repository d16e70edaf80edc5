#include "quiz.h"

int main(int argc, char** argv) { return forms::run<quiz::Form1>(argc, argv); }
