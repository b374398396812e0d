// tomelin-cli: the game core without windows, for scripts, tests and benchmarks.

#include <iostream>

#include "cli/cli_text.h"
#include "cli/command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    tomelin::cli::CommandIo io{std::cout, std::cerr};
    const int status = tomelin::cli::runCommandLine(args, io);
    // Output that never arrived is a failure, whatever the command thought (a full disk, a
    // closed pipe, /dev/full).
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "tomelin-cli: "
                  << tomelin::cli::cliTr("main", "cannot write to standard output") << "\n";
        return status == tomelin::cli::kExitOk ? tomelin::cli::kExitFailure : status;
    }
    return status;
}
