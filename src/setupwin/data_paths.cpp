#include "setupwin/data_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tomelin {

QStringList dataFolderCandidates() {
    QStringList folders;
    if (QCoreApplication::instance() != nullptr) {
        folders << QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/tomelin");
    }
    folders << QStringLiteral(TOMELIN_INSTALLED_DATA_DIR)
            << QStringLiteral(TOMELIN_SOURCE_DATA_DIR);
    folders.removeDuplicates();
    return folders;
}

QString findDataFile(const QString& relative, const QStringList& candidates) {
    for (const QString& folder : candidates) {
        const QFileInfo file(QDir(folder).filePath(relative));
        if (file.isFile()) {
            return file.absoluteFilePath();
        }
    }
    return {};
}

QString findDataFile(const QString& relative) {
    return findDataFile(relative, dataFolderCandidates());
}

}  // namespace tomelin
