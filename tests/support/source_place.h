// Where in a test a helper was called from, for its failure messages: what
// forms::testing::SourcePlace gives, written so that clang 14 (the fuzzing build's
// compiler, which cannot compile libstdc++ 12's <source_location>) builds the
// test support too.
#pragma once

namespace forms::testing {

class SourcePlace {
public:
    // As a default argument, the caller's file and line.
    static constexpr SourcePlace current(const char* file = __builtin_FILE(), int line = __builtin_LINE())
    {
        return SourcePlace(file, line);
    }
    constexpr const char* file_name() const { return file_; }
    constexpr int line() const { return line_; }

private:
    constexpr SourcePlace(const char* file, int line) : file_(file), line_(line) {}
    const char* file_;
    int line_;
};

}  // namespace forms::testing
