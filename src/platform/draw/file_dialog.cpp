#include "platform/draw/file_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QMimeDatabase>

namespace tomelin {

namespace {

// Icons and type names from the file's name alone: nothing listed is opened.
class NameOnlyIconProvider final : public QFileIconProvider {
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override {
        return QFileIconProvider::icon(info.isDir() ? Folder : File);
    }
    QString type(const QFileInfo& info) const override {
        if (info.isDir())
            return QCoreApplication::translate("FileDialog", "Složka");
        const QMimeType mime = m_mimes.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }

private:
    QMimeDatabase m_mimes;
};

QString runDialog(QWidget* parent, const QString& caption, const QString& start,
                  const QString& filter, QFileDialog::AcceptMode mode) {
    NameOnlyIconProvider icons;
    QFileDialog dialog(parent, caption, start, filter);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.front();
}

}  // namespace

QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                     const QString& filter) {
    return runDialog(parent, caption, folder.isEmpty() ? QDir::homePath() : folder, filter,
                     QFileDialog::AcceptOpen);
}

QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                     const QString& filter) {
    // A bare name is offered in the home folder, not wherever the program was started from.
    return runDialog(parent, caption, QDir::home().filePath(suggested), filter,
                     QFileDialog::AcceptSave);
}

}  // namespace tomelin
