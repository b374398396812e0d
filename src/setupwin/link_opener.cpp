#include "setupwin/link_opener.h"

#include <QDesktopServices>

#include "setupwin/data_paths.h"

namespace tomelin {

bool OpenLink(const QUrl& target) {
    if (!target.isValid() || target.isEmpty()) {
        return false;
    }
    return QDesktopServices::openUrl(target);
}

QUrl helpPageUrl() {
    const QString path = findDataFile(QStringLiteral("help/index.html"));
    return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
}

QUrl mailDraftUrl(const QString& address) {
    return QUrl(QStringLiteral("mailto:") + address);
}

}  // namespace tomelin
