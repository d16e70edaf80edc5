#include "trafficlight.h"

int main(int argc, char** argv) { return forms::run<trafficlight::Trafic_Lights>(argc, argv); }
