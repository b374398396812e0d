#pragma once
// The tool's messages to a person (usage, refusals, reports) in the language of the person at
// the terminal: English, the tool's own, or Czech when the player chose Czech in the game
// (the stored `Jazyk`) or the desktop's languages ask for it before English. What scripts
// read (move, fill and result lines, numbers, stored values, PGN, FEN, the engine protocol)
// is never translated.
//
// The translation tools read `cliTr(context, text)` / `cliTr(context, text, nullptr, n)` as
// they read QCoreApplication::translate, and `CLI_TR_NOOP(context, text)` (a text kept in a
// table and translated where it is printed) as QT_TRANSLATE_NOOP (Makefile: translations).
// Only this header's implementation sees Qt.

#include <initializer_list>
#include <string>
#include <vector>

#define CLI_TR_NOOP(context, text) text

namespace tomelin::cli {

// `source` translated in `context`; `n` (when not -1) picks the plural form and stands for
// "%n". The first call chooses the language (see chooseMessageLanguage).
std::string cliTr(const char* context, const char* source, const char* disambiguation = nullptr,
                  int n = -1);

// `text` with "%1", "%2", ... replaced by `values` in order (a value's own "%" stays).
std::string cliArgs(const std::string& text, std::initializer_list<std::string> values);

// The language of the messages, "en" or "cs", chosen once: the stored choice (read through a
// read-only look at the store, which creates and moves nothing), else the first of the
// desktop's languages (QLocale::uiLanguages(): LANGUAGE, LC_ALL, LC_MESSAGES, LANG) the tool
// speaks, else English; Czech only when its translation is installed. A command that opens
// the store calls it first, so that the look never waits for the command's own connection.
const std::string& messageLanguage();

// The choice itself: `stored` is "cs", "en" or "" and `desktop` the desktop's language tags
// ("cs-CZ", "en_GB", "C" ...), nearest first.
std::string chooseMessageLanguage(const std::string& stored,
                                  const std::vector<std::string>& desktop);

}  // namespace tomelin::cli
