// tomelin-cli: the game core without windows, for scripts, tests and benchmarks.

#include <iostream>

#include "cli/command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    tomelin::cli::CommandIo io{std::cout, std::cerr};
    return tomelin::cli::runCommandLine(args, io);
}
