#include "cli/position_options.h"

#include <cctype>

#include "cli/cli_text.h"
#include "core/fen.h"

namespace tomelin::cli {

namespace {

// Lower-case ASCII with the Czech letters of the built-in names reduced to their base.
std::string folded(std::string_view s) {
    static const std::pair<std::string_view, char> kLetters[] = {
        {"á", 'a'}, {"Á", 'a'}, {"č", 'c'}, {"Č", 'c'}, {"š", 's'}, {"Š", 's'},
        {"ž", 'z'}, {"Ž", 'z'}, {"é", 'e'}, {"É", 'e'}, {"í", 'i'}, {"Í", 'i'},
    };
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        bool replaced = false;
        for (const auto& [letter, base] : kLetters) {
            if (s.substr(i, letter.size()) == letter) {
                out.push_back(base);
                i += letter.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(s[i]))));
            ++i;
        }
    }
    return out;
}

}  // namespace

std::optional<std::string> missingPosition(const PositionArgs& args, std::string_view command) {
    if (args.fen) {
        if (args.boardString || args.player)
            return cliArgs(
                cliTr("position", "%1 takes --fen or --board-string with --player, not both"),
                {std::string(command)});
        return std::nullopt;
    }
    if (!args.boardString)
        return cliArgs(cliTr("position", "%1 needs --board-string"), {std::string(command)});
    if (!args.player)
        return cliArgs(cliTr("position", "%1 needs --player"), {std::string(command)});
    return std::nullopt;
}

std::optional<std::string> boardStringProblem(std::string_view s) {
    const auto error = checkBoardString(s);
    if (!error)
        return std::nullopt;
    if (*error == BoardError::BadLength) {
        const int characters = static_cast<int>(characterCount(s));
        return cliTr("position",
                     "board string has %n characters; it must be n*n characters with 2 <= n <= 16",
                     nullptr, characters);
    }
    return cliTr("position", "board string may only hold the characters 0, X, + and -");
}

std::optional<Logic> parseLogic(std::string_view text) {
    if (text == "star")
        return Logic::Star;
    if (text == "cross")
        return Logic::Cross;
    return std::nullopt;
}

const BuiltinBoard* findBoardByName(std::string_view name) {
    if (const BuiltinBoard* exact = findBuiltinBoard(name))
        return exact;
    const std::string wanted = folded(name);
    for (const auto& b : builtinBoards()) {
        if (folded(b.name) == wanted)
            return &b;
    }
    return nullptr;
}

Position PositionArgs::start() const {
    if (fen)
        return *fen;
    return *Position::fromBoardString(*boardString, playerOf(player.value_or(1)));
}

void addPositionOptions(OptionParser& parser, PositionArgs& args, bool withPlayer) {
    parser.add("--fen", 1, [&args](const std::vector<std::string>& v) {
        FenResult r = readFen(v[0]);
        if (!r.position)
            return std::optional<std::string>(
                cliArgs(cliTr("position", "bad FEN %1: %2"), {quotedArg(v[0]), r.error}));
        args.fen = r.position;
        return std::optional<std::string>{};
    });
    parser.add("--board-string", 1, [&args](const std::vector<std::string>& v) {
        if (auto problem = boardStringProblem(v[0]))
            return problem;
        args.boardString = v[0];
        return std::optional<std::string>{};
    });
    parser.add("--logic", 1, [&args](const std::vector<std::string>& v) {
        const auto logic = parseLogic(v[0]);
        if (!logic)
            return std::optional<std::string>(cliArgs(
                cliTr("position", "logic must be star or cross, not %1"), {quotedArg(v[0])}));
        args.logic = *logic;
        return std::optional<std::string>{};
    });
    if (!withPlayer)
        return;
    parser.add("--player", 1, [&args](const std::vector<std::string>& v) {
        const auto p = parseInteger(v[0], 1, 2);
        if (!p)
            return std::optional<std::string>(
                cliArgs(cliTr("position", "player must be 1 or 2, not %1"), {quotedArg(v[0])}));
        args.player = static_cast<int>(*p);
        return std::optional<std::string>{};
    });
}

}  // namespace tomelin::cli
