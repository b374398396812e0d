#include "core/texts.h"

#include <atomic>

namespace tomelin {

namespace {
// Atomic: the headless tool installs its translator when it first speaks, which may be
// after a worker thread has begun.
std::atomic<TextTranslator> g_translator = nullptr;
}  // namespace

void setTextTranslator(TextTranslator translator) {
    g_translator = translator;
}

bool hasTextTranslator() {
    return g_translator != nullptr;
}

std::string trText(const char* context, const char* source, const char* /*disambiguation*/,
                   int n) {
    if (const TextTranslator translator = g_translator.load())
        return translator(context, source, n);
    std::string text(source);
    if (n >= 0) {
        const std::string number = std::to_string(n);
        for (std::size_t at = text.find("%n"); at != std::string::npos;
             at = text.find("%n", at + number.size()))
            text.replace(at, 2, number);
    }
    return text;
}

std::string withValue(std::string text, const std::string& value) {
    const std::size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

}  // namespace tomelin
