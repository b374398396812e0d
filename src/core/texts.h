#pragma once
// Texts shown to a person that are written below the windows (board names, computer names,
// record lines, refusals). The game has no toolkit here, so these layers mark their texts
// and ask a translator the program installs at start-up; without one (the headless tool,
// the tests) every text stays as written, in Czech.
//
// The translation tools read `TOMELIN_TR_NOOP(context, text)` (a text only marked: stored
// values that are shown translated elsewhere) and `trText(context, text)` /
// `trText(context, text, nullptr, n)` (a text translated where it is made) as they read
// Qt's own QT_TRANSLATE_NOOP and QCoreApplication::translate (Makefile: translations).

#include <string>

#define TOMELIN_TR_NOOP(context, text) text

namespace tomelin {

// The installed translator: `n` is -1 for a text without a number, else the number its
// plural form follows ("%n" in the text stands for it).
using TextTranslator = std::string (*)(const char* context, const char* source, int n);

// Installs the translator (nullptr: none), before the texts it translates are asked for.
void setTextTranslator(TextTranslator translator);
bool hasTextTranslator();

// `source` translated in `context`; untranslated (with "%n" replaced by n) without a translator.
std::string trText(const char* context, const char* source, const char* disambiguation = nullptr,
                   int n = -1);

// `text` with its first "%1" replaced by `value` (a translated sentence around a name).
std::string withValue(std::string text, const std::string& value);

}  // namespace tomelin
