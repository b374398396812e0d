#include <iostream>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/uai_engine.h"

namespace tomelin::cli {

int uaiCommand(const std::vector<std::string>& args, CommandIo& io) {
    if (!args.empty())
        return usageError(
            io,
            cliTr("uai",
                  "uai takes no arguments; it reads the protocol's commands on standard input"));
    return runUai(std::cin, io.out);
}

}  // namespace tomelin::cli
