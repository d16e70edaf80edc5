// Measures races of a real program from outside, on the X display named by
// DISPLAY: launched as a user would launch it, clicked through the X server,
// its CPU and wake-ups read from /proc and its system calls counted by strace.
#pragma once

#include <string>

namespace race_bench {

struct ProcessFigures {
    std::string problem;      // empty when every measurement was taken
    int races = 0;            // races measured without a tracer
    double raceS = 0;         // median race: from the click to its last wake-up
    double cpuShare = 0;      // median CPU over a race, all threads, % of one core
    double wakeupsPerS = 0;   // median times its threads were put on a CPU, per second
    // One more race, under strace -f -c.
    double tracedRaceS = 0;
    long syscalls = 0;        // every system call of every thread
    long polls = 0;           // poll and ppoll: each is one return of an event loop
    long stats = 0;           // the stat family (glibc's local-time check is one)
};

// Launches `path`, waits until its window is up and quiet, clicks (x, y) of the
// window `races` times, each time when the race before has ended, then attaches
// strace and clicks once more. A race has ended once no thread of the program
// has run for a second.
ProcessFigures measureProgram(const std::string& path, int x, int y, int races);

}  // namespace race_bench
