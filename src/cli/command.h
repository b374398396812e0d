#pragma once
// The headless tool's commands: each is a function over its arguments and two streams.

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace tomelin::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;  // bad input: one line on the error stream

struct CommandIo {
    std::ostream& out;
    std::ostream& err;
};

// `args` are the words after the command name.
using CommandFn = int (*)(const std::vector<std::string>& args, CommandIo& io);

struct Command {
    const char* name;
    const char* usage;  // one line, shown by `tomelin-cli help`
    CommandFn run;
};

// Every command of the tool, in help order. The table lives in command_table.cpp: a new
// command is a function in its own file plus one line there.
std::span<const Command> commandTable();

// Runs the command named by argv[1]; reports unknown commands on `io.err`.
int runCommandLine(const std::vector<std::string>& argv, CommandIo& io);

// Prints "tomelin-cli: <message>" on the error stream and returns kExitUsage.
int usageError(CommandIo& io, const std::string& message);

}  // namespace tomelin::cli
