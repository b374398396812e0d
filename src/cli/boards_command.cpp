#include <ostream>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "core/board.h"

namespace tomelin::cli {

// One line per built-in board: name, side and board string separated by tabs (names hold
// spaces).
int boardsCommand(const std::vector<std::string>& args, CommandIo& io) {
    if (!args.empty())
        return usageError(io, cliTr("boards", "boards takes no arguments"));
    for (const auto& b : builtinBoards()) {
        io.out << b.name << '\t' << boardStringSide(b.boardString) << '\t' << b.boardString << '\n';
    }
    return kExitOk;
}

}  // namespace tomelin::cli
