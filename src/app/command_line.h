#pragma once
// The game's command line: the window opens only without arguments; --help and --version
// answer on standard output, anything else is refused with one line and status 2.

#include <cstdio>
#include <string>
#include <vector>

namespace tomelin {

struct CommandLine {
    enum class Action { OpenGame, Help, Version, Refuse };
    Action action = Action::OpenGame;
    std::string refusal;  // the line printed for Refuse
};

CommandLine readCommandLine(const std::vector<std::string>& arguments);

// Prints what the command line asks for (nothing for OpenGame) and returns the exit status:
// 0, 2 for a refusal, 1 when standard output could not be written.
int answerCommandLine(const CommandLine& line, std::FILE* out, std::FILE* err);

}  // namespace tomelin
