#include "core/pgn.h"

namespace tomelin {

std::string pgnResult(int winner) {
    return winner == 1 ? "1-0" : winner == 2 ? "0-1" : "1/2-1/2";
}

std::string pgnTagValue(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out.push_back('\\');
            out.push_back(c);
        } else if (u < 0x20 || u == 0x7F) {
            out.push_back(' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string writePgn(const PgnGame& game) {
    std::string s;
    for (const auto& [name, value] : game.tags)
        s += "[" + name + " \"" + pgnTagValue(value) + "\"]\n";
    s += "\n";
    std::string line;
    const auto emit = [&](const std::string& word) {
        if (!line.empty() && line.size() + 1 + word.size() > 79) {
            s += line + "\n";
            line.clear();
        }
        if (!line.empty())
            line.push_back(' ');
        line += word;
    };
    int ply = game.blackMovesFirst ? 0 : 1;
    if (!game.blackMovesFirst && !game.moves.empty())
        emit("1...");
    for (const std::string& m : game.moves) {
        if (ply % 2 == 0)
            emit(std::to_string(ply / 2 + 1) + ".");
        emit(m);
        ++ply;
    }
    if (!game.comment.empty()) {
        std::string c;
        for (const char ch : game.comment)
            c.push_back(ch == '}' || static_cast<unsigned char>(ch) < 0x20 ? ' ' : ch);
        emit("{" + c + "}");
    }
    emit(game.result);
    s += line + "\n\n";
    return s;
}

}  // namespace tomelin
