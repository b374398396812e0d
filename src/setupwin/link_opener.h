#pragma once
// `HyperLink`: opens a web page, a local page or a mail draft with the desktop's default
// handler.

#include <QString>
#include <QUrl>

namespace tomelin {

// `OpenLink`: hands the target to the desktop's default handler. Failure is silent, as a
// link that cannot be opened is no reason to disturb the game. Returns whether the desktop
// accepted it (for tests).
bool OpenLink(const QUrl& target);

// The targets of the About window's two links.
QUrl helpPageUrl();                         // the installed help page with the rules
QUrl mailDraftUrl(const QString& address);  // "mailto:" + address

}  // namespace tomelin
