#pragma once
// The language the player chose for the windows, kept beside the program's own setting:
// "cs" or "en"; nothing stored (or anything else) leaves the choice to the desktop's locale.

#include <string>
#include <vector>

#include "platform/store/store.h"

namespace tomelin {

inline constexpr const char* kLanguageValueName = "Jazyk";

// The languages the windows can be shown in; Czech, the first, is the program's own.
inline const std::vector<std::string>& windowLanguages() {
    static const std::vector<std::string> languages{"cs", "en"};
    return languages;
}

// The stored choice, or "" when none (or an unknown one) is stored.
std::string storedLanguage(Store& store);

// Stores the choice ("" leaves it to the locale again); false when the store refused.
bool storeLanguage(Store& store, const std::string& language);

// The language to show: the stored choice, else the first of the desktop's languages (as
// "en-GB", "en_GB" or "en") that the windows can be shown in, else Czech.
std::string chooseLanguage(const std::string& stored, const std::vector<std::string>& desktop);

}  // namespace tomelin
