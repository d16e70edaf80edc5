#include "quiz.h"

int main(int argc, char** argv) { return forms::run<quiz2::Form1>(argc, argv); }
