#include "app/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QVariant>
#include <string>
#include <vector>

#include "core/texts.h"
#include "platform/store/language_setting.h"
#include "setupwin/about_window.h"
#include "setupwin/data_paths.h"

namespace tomelin {

namespace {

std::vector<QTranslator*>& installedTranslators() {
    static std::vector<QTranslator*> translators;
    return translators;
}

std::string translateBelowWindows(const char* context, const char* source, int n) {
    return QCoreApplication::translate(context, source, nullptr, n).toStdString();
}

// Loads tomelin_<language>.qm from the first folder that has it and installs it.
bool installTranslation(const QString& language) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    for (const QString& folder : translationFolders()) {
        if (translator->load(QStringLiteral("tomelin_") + language, folder)) {
            QCoreApplication::installTranslator(translator);
            installedTranslators().push_back(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

// Qt's own texts (the standard buttons' "Cancel", "Yes", "No", the file dialog) in the same
// language, from Qt's translations where the system has them (Debian: qt6-translations-l10n).
bool installQtTranslation(const QString& language) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_") + language,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        installedTranslators().push_back(translator);
        return true;
    }
    delete translator;
    return false;
}

}  // namespace

QStringList translationFolders() {
    QStringList folders;
    for (const QString& data : dataFolderCandidates())
        folders << QDir(data).filePath(QStringLiteral("translations"));
#ifdef TOMELIN_BUILD_TRANSLATIONS_DIR
    // A development build runs its freshly built translations.
    folders << QStringLiteral(TOMELIN_BUILD_TRANSLATIONS_DIR);
#endif
    folders.removeDuplicates();
    return folders;
}

QString installWindowLanguage(Store& store) {
    std::vector<std::string> desktop;
    const QLocale system = QLocale::system();
    for (const QString& tag : system.uiLanguages())
        desktop.push_back(tag.toStdString());
    QString language = QString::fromStdString(chooseLanguage(storedLanguage(store), desktop));
    // Czech is the texts' own language; its translation holds only the plural forms.
    installTranslation(QStringLiteral("cs"));
    if (language != QStringLiteral("cs") && !installTranslation(language))
        language = QStringLiteral("cs");
    installQtTranslation(language);
    setTextTranslator(&translateBelowWindows);
    // Numbers and dates as the chosen language writes them: the desktop's own way when it
    // speaks that language (en_GB, en_US), else the language's usual one.
    const QLocale shown(language);
    QLocale::setDefault(system.language() == shown.language() ? system : shown);
    QCoreApplication::instance()->setProperty(kWindowLanguageProperty, language);
    return language;
}

void removeWindowLanguage() {
    for (QTranslator* translator : installedTranslators()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installedTranslators().clear();
    setTextTranslator(nullptr);
    QLocale::setDefault(QLocale::system());
    QCoreApplication::instance()->setProperty(kWindowLanguageProperty, QVariant());
}

}  // namespace tomelin
