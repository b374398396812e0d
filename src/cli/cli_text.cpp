#include "cli/cli_text.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

#include "core/texts.h"
#include "platform/store/language_setting.h"
#include "platform/store/sqlite_store.h"
#include "platform/store/store_location.h"

namespace tomelin::cli {

namespace {

// The folders searched for tomelin-cli_<language>.qm, nearest first: beside the program as
// installed (<prefix>/bin -> <prefix>/share/...), where the package installs them, and a
// development build's own.
std::vector<std::string> translationFolders() {
    std::vector<std::string> folders;
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path data(TOMELIN_CLI_DATA_DIR);
    if (!error && data.is_relative())
        folders.push_back((self.parent_path().parent_path() / data / "translations").string());
    folders.push_back(TOMELIN_CLI_INSTALLED_DATA_DIR "/translations");
#ifdef TOMELIN_BUILD_TRANSLATIONS_DIR
    folders.push_back(TOMELIN_BUILD_TRANSLATIONS_DIR);
#endif
    return folders;
}

void replaceAll(std::string& text, const std::string& what, const std::string& with) {
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

std::string storedChoice() {
    SqliteStore::OpenResult opened = SqliteStore::openReadOnly(defaultStorePath());
    return opened.store ? storedLanguage(*opened.store) : std::string();
}

struct Language {
    std::string name = "en";
    std::unique_ptr<QTranslator> translator;  // null for English
};

// A catalogue from the first of the translation folders that has it; null if none does.
std::unique_ptr<QTranslator> loadCatalogue(const QString& name) {
    auto translator = std::make_unique<QTranslator>();
    for (const std::string& folder : translationFolders()) {
        if (translator->load(name, QString::fromStdString(folder)))
            return translator;
    }
    return nullptr;
}

// The store's messages to a person are written in Czech below the tool (the store's opening
// and its refusals, `store check`'s findings). In English they come from the game's English
// catalogue, those two contexts only: the other texts that reach the tool from below (board
// names, for one) are printed as data there and stay as they are.
const QTranslator* g_storeEnglish = nullptr;

std::string storeEnglish(const char* context, const char* source, int n) {
    std::string text;
    const std::string_view c(context);
    if (g_storeEnglish != nullptr && (c == "Store" || c == "StoreCheck")) {
        const QString translated = g_storeEnglish->translate(context, source, nullptr, n);
        if (!translated.isEmpty())
            text = translated.toStdString();
    }
    if (text.empty())
        text = source;
    if (n >= 0)
        replaceAll(text, "%n", std::to_string(n));
    return text;
}

Language loadLanguage() {
    std::vector<std::string> desktop;
    for (const QString& tag : QLocale::system().uiLanguages())
        desktop.push_back(tag.toStdString());
    Language language;
    if (chooseMessageLanguage(storedChoice(), desktop) == "cs") {
        if ((language.translator = loadCatalogue(QStringLiteral("tomelin-cli_cs"))))
            language.name = "cs";
    }
    if (language.name == "en") {
        static const std::unique_ptr<QTranslator> storeTexts =
            loadCatalogue(QStringLiteral("tomelin_en"));
        if (storeTexts) {
            g_storeEnglish = storeTexts.get();
            setTextTranslator(&storeEnglish);
        }
    }
    return language;
}

const Language& chosen() {
    static const Language language = loadLanguage();
    return language;
}

}  // namespace

std::string chooseMessageLanguage(const std::string& stored,
                                  const std::vector<std::string>& desktop) {
    std::vector<std::string> asked = desktop;
    asked.push_back("en");  // the tool's own language comes before the game's Czech
    return chooseLanguage(stored, asked);
}

const std::string& messageLanguage() {
    return chosen().name;
}

std::string cliTr(const char* context, const char* source, const char* disambiguation, int n) {
    std::string text;
    if (const QTranslator* translator = chosen().translator.get()) {
        const QString translated = translator->translate(context, source, disambiguation, n);
        if (!translated.isEmpty())
            text = translated.toStdString();
    }
    if (text.empty())
        text = source;
    if (n != -1)
        replaceAll(text, "%n", std::to_string(n));
    return text;
}

std::string cliArgs(const std::string& text, std::initializer_list<std::string> values) {
    // One pass, so that a value holding "%2" is not replaced again.
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto k = static_cast<std::size_t>(text[i + 1] - '1');
            if (k < values.size()) {
                out += *(values.begin() + k);
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace tomelin::cli
