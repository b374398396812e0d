#include "cli/options.h"

#include <charconv>
#include <set>

#include "cli/cli_text.h"

namespace tomelin::cli {

void OptionParser::add(std::string name, int valueCount, Handler handler) {
    m_options.push_back({std::move(name), valueCount, std::move(handler)});
}

bool OptionParser::has(std::string_view name) const {
    for (const auto& o : m_options) {
        if (o.name == name)
            return true;
    }
    return false;
}

std::optional<std::string> OptionParser::parse(const std::vector<std::string>& args) const {
    std::set<std::string> seen;
    for (std::size_t i = 0; i < args.size();) {
        const std::string& word = args[i];
        const Option* option = nullptr;
        for (const auto& o : m_options) {
            if (o.name == word)
                option = &o;
        }
        if (!option) {
            if (word.rfind("--", 0) == 0)
                return cliArgs(cliTr("options", "unknown option %1"), {quotedArg(word)});
            return cliArgs(cliTr("options", "unexpected argument %1"), {quotedArg(word)});
        }
        if (!seen.insert(word).second)
            return cliArgs(cliTr("options", "option %1 given twice"), {word});
        const auto count = static_cast<std::size_t>(option->valueCount);
        if (args.size() - i - 1 < count) {
            const int n = option->valueCount;
            return cliArgs(n == 1 ? cliTr("options", "option %1 needs 1 value")
                                  : cliTr("options", "option %1 needs %n values", nullptr, n),
                           {word});
        }
        std::vector<std::string> values(args.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                        args.begin() + static_cast<std::ptrdiff_t>(i + 1 + count));
        if (auto error = option->handler(values))
            return error;
        i += 1 + count;
    }
    return std::nullopt;
}

namespace {

// Length of the UTF-8 sequence starting at `i`, or 0 when the bytes there are not one.
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t length = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (i + length > s.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

void appendHex(std::string& out, unsigned char byte) {
    static const char* const kHex = "0123456789abcdef";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
}

// Appends the character at `i` escaped; returns how many bytes it took.
std::size_t appendEscaped(std::string& out, std::string_view s, std::size_t i, bool quote) {
    const char c = s[i];
    switch (c) {
        case '\n':
            out += "\\n";
            return 1;
        case '\t':
            out += "\\t";
            return 1;
        case '\r':
            out += "\\r";
            return 1;
        case '"':
            out += quote ? "\\\"" : "\"";
            return 1;
        default:
            break;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
        appendHex(out, byte);
        return 1;
    }
    const std::size_t length = utf8Length(s, i);
    if (length == 0) {
        appendHex(out, byte);
        return 1;
    }
    // C1 control characters (U+0080..U+009F) steer terminals as well.
    if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(s[i + 1]) < 0xA0) {
        appendHex(out, byte);
        appendHex(out, static_cast<unsigned char>(s[i + 1]));
        return 2;
    }
    out.append(s.substr(i, length));
    return length;
}

}  // namespace

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const std::size_t length = utf8Length(text, i);
        i += length == 0 ? 1 : length;
    }
    return count;
}

std::string quotedArg(std::string_view argument) {
    std::string out = "\"";
    std::size_t shown = 0;
    std::size_t i = 0;
    for (; i < argument.size() && shown < kQuotedMaxChars; ++shown)
        i += appendEscaped(out, argument, i, true);
    out += '"';
    if (i < argument.size()) {
        const int characters = static_cast<int>(characterCount(argument));
        out += cliTr("options", "… (%n characters)", nullptr, characters);
    }
    return out;
}

std::string withoutControls(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();)
        i += appendEscaped(out, text, i, false);
    return out;
}

std::optional<long long> parseInteger(std::string_view text, long long lo, long long hi) {
    long long value = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (text.empty() || (text[0] == '+'))
        return std::nullopt;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || value < lo || value > hi)
        return std::nullopt;
    return value;
}

void addInteger(OptionParser& parser, const std::string& name, long long lo, long long hi,
                std::function<void(long long)> store, IntegerKind kind) {
    parser.add(name, 1,
               [=, store = std::move(store)](
                   const std::vector<std::string>& v) -> std::optional<std::string> {
                   const auto n = parseInteger(v[0], lo, hi);
                   if (!n) {
                       const std::string what = kind == IntegerKind::Milliseconds
                                                    ? cliTr("options", "a number of milliseconds")
                                                    : cliTr("options", "a number");
                       return cliArgs(cliTr("options", "%1 must be %2 from %3 to %4, not %5"),
                                      {name.substr(2), what, std::to_string(lo), std::to_string(hi),
                                       quotedArg(v[0])});
                   }
                   store(*n);
                   return std::nullopt;
               });
}

}  // namespace tomelin::cli
