#pragma once
// Table-driven option parsing for the headless tool's commands.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tomelin::cli {

// Options are "--name" followed by a fixed number of values. Each option's handler checks
// and stores its values; a refusal is a message naming what is wrong.
class OptionParser {
public:
    using Handler = std::function<std::optional<std::string>(const std::vector<std::string>&)>;

    void add(std::string name, int valueCount, Handler handler);
    bool has(std::string_view name) const;

    // Parses every argument; returns the first error (unknown option, missing value, stray
    // argument, repeated option, or a handler's refusal).
    std::optional<std::string> parse(const std::vector<std::string>& args) const;

private:
    struct Option {
        std::string name;
        int valueCount;
        Handler handler;
    };
    std::vector<Option> m_options;
};

// An argument as an error line shows it: in double quotes, control characters, quotes and
// bytes that are not UTF-8 escaped (\n, \t, \x1b ...), cut after kQuotedMaxChars
// characters with "…" and the full length. The error stays one line of sensible length
// whatever the user typed.
inline constexpr std::size_t kQuotedMaxChars = 40;
std::string quotedArg(std::string_view argument);
// The text with control characters escaped as in quotedArg(), not cut and not quoted.
std::string withoutControls(std::string_view text);
// Characters (UTF-8 code points) in a text; a byte that is not UTF-8 counts as one.
std::size_t characterCount(std::string_view text);

// Whole decimal number in [lo, hi]; nothing for anything else (signs, spaces, overflow).
std::optional<long long> parseInteger(std::string_view text, long long lo, long long hi);

// What a whole-number option counts, as its refusal names it.
enum class IntegerKind { Number, Milliseconds };

// "--NAME N" with N a whole number in [lo, hi], handed to `store`; anything else is refused
// as "NAME must be KIND from lo to hi, not "N"" (KIND: "a number", "a number of
// milliseconds").
void addInteger(OptionParser& parser, const std::string& name, long long lo, long long hi,
                std::function<void(long long)> store, IntegerKind kind = IntegerKind::Number);

}  // namespace tomelin::cli
