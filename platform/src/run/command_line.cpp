#include "run/command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace forms {

namespace {

std::string usage(const ProgramInfo& program)
{
    const std::string command(program.command);
    return "Usage: " + command + " [--help | --version] [Qt option...]\n"
        + std::string(program.summary) + ".\n"
        "\n"
        "  --help      print this help and exit\n"
        "  --version   print the version and exit\n"
        "\n"
        "With neither, the program opens its window. Every other argument goes to\n"
        "Qt: -platform offscreen, for example, runs it on Qt's offscreen platform.\n"
        "See " + command + "(1).\n";
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char** argv, const ProgramInfo& program)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        std::string answer;
        if (argument == "--help")
            answer = usage(program);
        else if (argument == "--version")
            answer = std::string(program.command) + ' ' + std::string(program.version) + '\n';
        else
            continue;
        // A full disk or a closed pipe is a failure the caller should see.
        if (std::fwrite(answer.data(), 1, answer.size(), stdout) != answer.size() || std::fflush(stdout) != 0) {
            const int error = errno;
            std::fprintf(stderr, "%.*s: cannot write to standard output: %s\n",
                         int(program.command.size()), program.command.data(), std::strerror(error));
            return 1;
        }
        return 0;
    }
    return std::nullopt;
}

}  // namespace forms
