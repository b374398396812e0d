#include "app/command_line.h"

namespace tomelin {

namespace {

constexpr const char* kHelp =
    "Usage: tomelin [--help | --version]\n"
    "\n"
    "Tomelin, a two-player strategy board game. Without arguments it opens the game's setup\n"
    "window, in Czech or English as the desktop's language (LANGUAGE, LC_ALL, LC_MESSAGES,\n"
    "LANG) or the choice in the About window says; Czech for any other language.\n"
    "\n"
    "Two people share the computer, or either plays against the computer at one of four\n"
    "strengths: PC Začátečník, PC Profesionál, PC Génius and PC Velmistr, which searches.\n"
    "In a game, Z takes back a move, Y plays taken-back moves again, N shows the move\n"
    "PC Velmistr would play (a hint) and H shows the music window. A game left unfinished\n"
    "is kept, and the next start offers to resume it (\"Pokračovat ve hře\").\n"
    "\n"
    "Settings, boards and game records are kept in $XDG_DATA_HOME/tomelin/tomelin.db, or in\n"
    "the file named by the environment variable TOMELIN_STORE.\n"
    "\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "See also tomelin(6) and tomelin-cli(6).\n";

// The argument as the refusal quotes it: control characters escaped, at most 40 shown.
std::string quoted(const std::string& argument) {
    std::string shown;
    std::size_t count = 0;
    for (unsigned char c : argument) {
        if (count == 40) {
            shown += "...";
            break;
        }
        if (c < 0x20 || c == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            shown += code;
        } else {
            shown += static_cast<char>(c);
        }
        // A character is counted once, whatever the bytes of its UTF-8 form.
        if ((c & 0xC0) != 0x80)
            ++count;
    }
    return "\"" + shown + "\"";
}

}  // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return {};
    const std::string& first = arguments.front();
    if (arguments.size() == 1 && (first == "--help" || first == "-h"))
        return {CommandLine::Action::Help, {}};
    if (arguments.size() == 1 && first == "--version")
        return {CommandLine::Action::Version, {}};
    const bool known = first == "--help" || first == "-h" || first == "--version";
    return {CommandLine::Action::Refuse,
            known ? "tomelin: " + first + " takes no further arguments; try \"tomelin --help\""
                  : "tomelin: unknown argument " + quoted(first) +
                        "; the game takes no arguments (try \"tomelin --help\")"};
}

int answerCommandLine(const CommandLine& line, std::FILE* out, std::FILE* err) {
    switch (line.action) {
        case CommandLine::Action::OpenGame:
            return 0;
        case CommandLine::Action::Refuse:
            std::fprintf(err, "%s\n", line.refusal.c_str());
            return 2;
        case CommandLine::Action::Help:
            std::fputs(kHelp, out);
            break;
        case CommandLine::Action::Version:
            std::fprintf(out, "tomelin %s\n", TOMELIN_VERSION);
            break;
    }
    if (std::fflush(out) != 0 || std::ferror(out)) {
        std::fprintf(err, "tomelin: cannot write to standard output\n");
        return 1;
    }
    return 0;
}

}  // namespace tomelin
