#include "cli/options.h"

#include <charconv>
#include <set>

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
                return "unknown option " + word;
            return "unexpected argument \"" + word + "\"";
        }
        if (!seen.insert(word).second)
            return "option " + word + " given twice";
        const auto count = static_cast<std::size_t>(option->valueCount);
        if (args.size() - i - 1 < count) {
            return "option " + word + " needs " + std::to_string(count) +
                   (count == 1 ? " value" : " values");
        }
        std::vector<std::string> values(args.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                        args.begin() + static_cast<std::ptrdiff_t>(i + 1 + count));
        if (auto error = option->handler(values))
            return error;
        i += 1 + count;
    }
    return std::nullopt;
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

}  // namespace tomelin::cli
