#pragma once
// The language of the windows, chosen once at start-up: the player's stored choice, else the
// desktop's (QLocale::uiLanguages(), which reads LANGUAGE, LC_ALL, LC_MESSAGES and LANG)
// where the program has a translation, else Czech, the program's own.

#include <QString>
#include <QStringList>

namespace tomelin {

class Store;

// The folders searched for the translations (tomelin_<language>.qm), nearest first.
QStringList translationFolders();

// Installs the translators for the chosen language (Czech's plural forms always, Qt's own
// texts where the system has Qt's translations) and the translator of the layers below the
// windows, and sets the default locale for the numbers
// and dates the windows show. Returns the language installed ("cs" or "en").
QString installWindowLanguage(Store& store);

// Removes what installWindowLanguage installed (the texts are Czech again), for the tests.
void removeWindowLanguage();

}  // namespace tomelin
