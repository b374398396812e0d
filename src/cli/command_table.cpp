#include <ostream>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/options.h"

namespace tomelin::cli {

std::span<const Command> commandTable() {
    // To add a command: write its function in its own file, declare it in a header, and add
    // one line here.
    static const Command kCommands[] = {
        {"boards", CLI_TR_NOOP("help", "boards"), boardsCommand},
        {"play",
         CLI_TR_NOOP("help",
             "play [--board NAME | --board-string S] [--logic star|cross] [--p1 LEVEL] "
             "[--p2 LEVEL] [--seed N] [--games N] [--show] [--max-moves N] [--movetime MS] "
             "[--record] [--resume] [--pgn FILE]   (LEVEL: beginner, pro, genius, master; "
             "--max-moves keeps the game, --resume plays the kept one)"),
         playCommand},
        {"moves",
         CLI_TR_NOOP("help",
             "moves (--board-string S --player P | --fen F) [--logic star|cross] --strength "
             "K [--last SX SY TX TY] [--movetime MS] [--depth D]   (K 4: \"PC Velmistr\")"),
         movesCommand},
        {"match",
         CLI_TR_NOOP("help",
             "match [--games N] [--movetime MS] [--seed N] [--opponent LEVEL] [--jobs N] "
             "[--board NAME] [--logic star|cross] [--clock cpu|wall] [--weights M F R]   "
             "(\"PC Velmistr\" against LEVEL, default genius, over the built-in boards, "
             "both logics and sides; --jobs plays that many games at once; searches are "
             "timed by processor time unless --clock wall; --weights tunes the evaluation)"),
         matchCommand},
        {"perft",
         CLI_TR_NOOP("help",
             "perft (--board-string S --player P | --fen F) [--logic star|cross] --depth "
             "D   (a FEN plays by the standard rules: a stuck side passes)"),
         perftCommand},
        {"bench",
         CLI_TR_NOOP("help",
             "bench [--master [--verbose]]   (seeded computer games; with --master \"PC "
             "Velmistr\"'s nodes at fixed depths; prints one number)"),
         benchCommand},
        {"store",
         CLI_TR_NOOP("help",
             "store list [KEYPATH] | store get KEYPATH NAME | store set KEYPATH NAME VALUE "
             "[--int] | store delete KEYPATH | store check   (NAME \"\" is the unnamed "
             "value; check lists what cannot be read; TOMELIN_STORE picks the file)"),
         storeCommand},
        {"records",
         CLI_TR_NOOP("help", "records [--pgn]   (--pgn: every stored record as a PGN game)"),
         recordsCommand},
        {"uai",
         CLI_TR_NOOP("help",
             "uai   (\"PC Velmistr\" as an engine of the standard game over the UAI "
             "protocol on standard input and output: positions as FEN, moves as f2, g1e3, "
             "0000)"),
         uaiCommand},
        {"tune",
         CLI_TR_NOOP("help",
             "tune generate --games N [--nodes M] [--seed S] [--random-plies R] | tune fit "
             "FILE [--epochs E]   (self-play positions as \"FEN;result\" lines, and the "
             "evaluation weights that predict their results best)"),
         tuneCommand},
        {"help", CLI_TR_NOOP("help", "help"), helpCommand},
    };
    return kCommands;
}

int usageError(CommandIo& io, const std::string& message) {
    // Whatever part of the input a message repeats, it stays one line on the terminal.
    io.err << "tomelin-cli: " << withoutControls(message) << "\n";
    return kExitUsage;
}

int runCommandLine(const std::vector<std::string>& argv, CommandIo& io) {
    if (argv.size() < 2)
        return usageError(io, cliTr("help", "no command given; try \"tomelin-cli help\""));
    const std::string& name = argv[1];
    if (name == "--help" || name == "-h")
        return helpCommand({argv.begin() + 2, argv.end()}, io);
    if (name == "--version") {
        if (argv.size() > 2)
            return usageError(io, cliTr("help", "--version takes no arguments"));
        io.out << "tomelin-cli " << TOMELIN_VERSION << "\n";
        return kExitOk;
    }
    for (const Command& c : commandTable()) {
        if (name == c.name)
            return c.run({argv.begin() + 2, argv.end()}, io);
    }
    return usageError(io, cliArgs(cliTr("help", "unknown command %1; try \"tomelin-cli help\""),
                                  {quotedArg(name)}));
}

int helpCommand(const std::vector<std::string>& args, CommandIo& io) {
    if (!args.empty())
        return usageError(io, cliTr("help", "help takes no arguments"));
    io.out
        << cliTr(
               "help",
               "usage: tomelin-cli COMMAND [OPTIONS] | tomelin-cli --help | tomelin-cli --version")
        << "\n";
    for (const Command& c : commandTable())
        io.out << "  tomelin-cli " << cliTr("help", c.usage) << "\n";
    io.out
        << cliTr(
               "help",
               "Output: one record per line. play prints \"move <k> <player> <sx> <sy> <tx> <ty>\","
               " \"fill <player-who-cannot-move> <cells>\" and \"result <tokens1> <tokens2> "
               "<winner 0|1|2> <moves>\".")
        << "\n";
    return kExitOk;
}

}  // namespace tomelin::cli
