#pragma once
// One line of the engine protocol of the standard game's tools (UAI), read into a command.
// Pure text: the engine (uai_engine.h) acts on the result.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tomelin::cli {

struct UaiGo {
    // Milliseconds; nothing where the line did not give it.
    std::optional<long long> movetime, wtime, btime, winc, binc;
    std::optional<int> movestogo, depth;
    std::optional<std::uint64_t> nodes;
    bool infinite = false;
};

struct UaiCommand {
    enum class Kind {
        Empty,       // a blank line: nothing to do, nothing to say
        Uai,
        IsReady,
        NewGame,
        Position,
        Go,
        Stop,
        Quit,
        SetOption,
        Ignored,     // known but without effect here (debug, ponderhit, register)
        Malformed,   // `error` says what is wrong, in printable text
    };
    Kind kind = Kind::Empty;
    // Position: the FEN (empty for startpos) and the moves after it, as given.
    std::string fen;
    bool startpos = false;
    std::vector<std::string> moves;
    UaiGo go;
    // SetOption: the name and value words as given (a name may hold spaces).
    std::string optionName;
    std::string optionValue;
    std::string error;
};

// Longest line read; the rest of a longer line is dropped and the line refused.
inline constexpr std::size_t kUaiMaxLine = 1 << 16;

UaiCommand parseUaiLine(std::string_view line);

}  // namespace tomelin::cli
