#include "platform/store/language_setting.h"

#include <algorithm>

namespace tomelin {

namespace {

bool known(const std::string& language) {
    const auto& all = windowLanguages();
    return std::find(all.begin(), all.end(), language) != all.end();
}

}  // namespace

std::string storedLanguage(Store& store) {
    const StoreValue value = store.ReadRegValue(kProgramKey, kLanguageValueName);
    const auto* text = std::get_if<std::string>(&value);
    return text != nullptr && known(*text) ? *text : std::string();
}

bool storeLanguage(Store& store, const std::string& language) {
    if (!language.empty() && !known(language))
        return false;
    store.CreateRegKey(kProgramKey);
    return store.WriteRegValue(kProgramKey, kLanguageValueName, language, kTypeText) == kStatusOk;
}

std::string chooseLanguage(const std::string& stored, const std::vector<std::string>& desktop) {
    if (known(stored))
        return stored;
    for (const std::string& tag : desktop) {
        const std::string base = tag.substr(0, tag.find_first_of("-_"));
        std::string lower;
        for (char c : base)
            lower.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
        if (known(lower))
            return lower;
    }
    return windowLanguages().front();
}

}  // namespace tomelin
