#include "cli/uai_protocol.h"

#include <limits>

#include "cli/options.h"

namespace tomelin::cli {

namespace {

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (i < s.size()) {
        while (i < s.size() && blank(s[i]))
            ++i;
        const std::size_t start = i;
        while (i < s.size() && !blank(s[i]))
            ++i;
        if (i > start)
            out.push_back(s.substr(start, i - start));
    }
    return out;
}

UaiCommand malformed(std::string why) {
    UaiCommand c;
    c.kind = UaiCommand::Kind::Malformed;
    c.error = std::move(why);
    return c;
}

std::string joined(const std::vector<std::string_view>& w, std::size_t from, std::size_t to) {
    std::string s;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from)
            s.push_back(' ');
        s.append(w[i]);
    }
    return s;
}

UaiCommand parsePosition(const std::vector<std::string_view>& w) {
    UaiCommand c;
    c.kind = UaiCommand::Kind::Position;
    if (w.size() < 2)
        return malformed("position needs startpos or fen");
    std::size_t i = 2;
    if (w[1] == "startpos") {
        c.startpos = true;
    } else if (w[1] == "fen") {
        while (i < w.size() && w[i] != "moves")
            ++i;
        if (i == 2)
            return malformed("position fen needs a FEN");
        c.fen = joined(w, 2, i);
    } else {
        return malformed("position needs startpos or fen, not " + quotedArg(w[1]));
    }
    if (i < w.size()) {
        if (w[i] != "moves")
            return malformed("position: unexpected " + quotedArg(w[i]) + " after startpos");
        for (++i; i < w.size(); ++i)
            c.moves.emplace_back(w[i]);
    }
    return c;
}

UaiCommand parseGo(const std::vector<std::string_view>& w) {
    UaiCommand c;
    c.kind = UaiCommand::Kind::Go;
    constexpr long long kMaxMs = 1000LL * 60 * 60 * 24 * 365;
    for (std::size_t i = 1; i < w.size(); ++i) {
        const std::string_view key = w[i];
        if (key == "infinite") {
            c.go.infinite = true;
            continue;
        }
        if (key == "ponder")
            return malformed("go ponder is not supported");
        std::optional<long long>* ms = key == "movetime" ? &c.go.movetime
                                       : key == "wtime"  ? &c.go.wtime
                                       : key == "btime"  ? &c.go.btime
                                       : key == "winc"   ? &c.go.winc
                                       : key == "binc"   ? &c.go.binc
                                                         : nullptr;
        const bool known = ms || key == "movestogo" || key == "depth" || key == "nodes";
        if (!known)
            return malformed("go: unknown parameter " + quotedArg(key));
        if (i + 1 >= w.size())
            return malformed("go: " + std::string(key) + " needs a number");
        const std::string_view text = w[++i];
        if (ms) {
            // A clock may have run below zero by the time the line is sent.
            std::optional<long long> v = parseInteger(text, -kMaxMs, kMaxMs);
            if (!v)
                return malformed("go: " + std::string(key) + " must be milliseconds, not " + quotedArg(text));
            *ms = *v;
        } else if (key == "nodes") {
            std::optional<long long> v = parseInteger(text, 1, std::numeric_limits<long long>::max());
            if (!v)
                return malformed("go: nodes must be a positive number, not " + quotedArg(text));
            c.go.nodes = static_cast<std::uint64_t>(*v);
        } else {
            std::optional<long long> v = parseInteger(text, 1, 100000);
            if (!v)
                return malformed("go: " + std::string(key) + " must be a positive number, not " + quotedArg(text));
            (key == "depth" ? c.go.depth : c.go.movestogo) = static_cast<int>(*v);
        }
    }
    return c;
}

UaiCommand parseSetOption(const std::vector<std::string_view>& w) {
    if (w.size() < 3 || w[1] != "name")
        return malformed("setoption needs: setoption name NAME value VALUE");
    std::size_t v = 2;
    while (v < w.size() && w[v] != "value")
        ++v;
    if (v == 2)
        return malformed("setoption needs an option name");
    UaiCommand c;
    c.kind = UaiCommand::Kind::SetOption;
    c.optionName = joined(w, 2, v);
    if (v < w.size())
        c.optionValue = joined(w, v + 1, w.size());
    return c;
}

}  // namespace

UaiCommand parseUaiLine(std::string_view line) {
    if (line.size() > kUaiMaxLine)
        return malformed("line longer than " + std::to_string(kUaiMaxLine) + " bytes ignored");
    const std::vector<std::string_view> w = words(line);
    UaiCommand c;
    if (w.empty())
        return c;
    const std::string_view name = w[0];
    const auto bare = [&](UaiCommand::Kind kind) {
        if (w.size() > 1)
            return malformed(std::string(name) + " takes no arguments");
        c.kind = kind;
        return c;
    };
    if (name == "uai")
        return bare(UaiCommand::Kind::Uai);
    if (name == "isready")
        return bare(UaiCommand::Kind::IsReady);
    if (name == "uainewgame")
        return bare(UaiCommand::Kind::NewGame);
    if (name == "stop")
        return bare(UaiCommand::Kind::Stop);
    if (name == "quit")
        return bare(UaiCommand::Kind::Quit);
    if (name == "position")
        return parsePosition(w);
    if (name == "go")
        return parseGo(w);
    if (name == "setoption")
        return parseSetOption(w);
    if (name == "debug" || name == "ponderhit" || name == "register") {
        c.kind = UaiCommand::Kind::Ignored;
        return c;
    }
    return malformed("unknown command " + quotedArg(name));
}

}  // namespace tomelin::cli
