#pragma once
// A window text kept as a constant: marked for the translation tools with QT_TRANSLATE_NOOP
// and translated each time it is used, so that constants made before the program installs
// its translator still show in the chosen language.
//     const UiText kCaption{"AboutWindow", QT_TRANSLATE_NOOP("AboutWindow", "O programu...")};

#include <QCoreApplication>
#include <QString>
#include <string>

namespace tomelin {

struct UiText {
    const char* context;
    const char* source;

    QString text() const { return QCoreApplication::translate(context, source); }
    operator QString() const { return text(); }
};

// A text made below the windows (a stored board name, a computer's name) as the chosen
// language shows it: the translation of `source` in `context`, or `source` itself.
inline QString shownText(const char* context, const std::string& source) {
    return QCoreApplication::translate(context, source.c_str());
}

}  // namespace tomelin
