#include "quiz.h"

int main(int argc, char** argv) { return forms::run<quiz3::Form1>(argc, argv); }
