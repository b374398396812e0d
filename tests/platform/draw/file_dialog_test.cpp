// The program's file dialogs over a folder holding the store the program has open: listing
// it must not drop the store's locks, or another program sharing the store deletes its
// journal under this one.

#include "platform/draw/file_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <map>

#include "platform/store/sqlite_store.h"
#include "support/temp_folder.h"

namespace tomelin {
namespace {

constexpr const char* kKey = "Software\\Brantl\\Tomelin\\Zkouška";

// Another program's look at the store (tomelin-cli store get): 0 when `name` holds `text`, 1
// when it holds something else or nothing, -1 when the tool did not run.
int otherProgramReads(const std::string& path, const std::string& name, const std::string& text) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TOMELIN_STORE", QString::fromStdString(path));
    tool.setProcessEnvironment(env);
    tool.start(TOMELIN_CLI_PATH, {"store", "get", kKey, QString::fromStdString(name)});
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit)
        return -1;
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed() == QString::fromStdString(text) ? 0 : 1;
}

// Shows the dialog `open` starts on `folder`, waits until it has listed every file there with
// its type, then cancels it. Gives the number of entries listed with a type; `types` gets
// each entry's type by name.
int listAndCancel(const std::filesystem::path& folder, const std::function<QString()>& open,
                  std::map<QString, QString>& types) {
    int typed = 0;
    QTimer::singleShot(0, [&] {
        QElapsedTimer waited;
        waited.start();
        QFileDialog* dialog = nullptr;
        while (waited.elapsed() < 10000) {
            dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* model = dialog ? dialog->findChild<QFileSystemModel*>() : nullptr;
            if (model) {
                const QModelIndex root = model->index(QString::fromStdString(folder.string()));
                typed = 0;
                for (int row = 0; row < model->rowCount(root); ++row) {
                    const QString type = model->data(model->index(row, 2, root)).toString();
                    types[model->data(model->index(row, 0, root)).toString()] = type;
                    if (!type.isEmpty())
                        ++typed;
                }
                if (typed >= 5)
                    break;
            }
            QTest::qWait(20);
        }
        if (dialog)
            dialog->reject();
    });
    EXPECT_TRUE(open().isEmpty());
    return typed;
}

struct DialogCase {
    const char* name;
    std::function<QString(const QString& folder)> open;
};

class FileDialogOverStore : public ::testing::TestWithParam<DialogCase> {};

TEST_P(FileDialogOverStore, ListingTheStoresFolderKeepsAnotherProgramFromDeletingItsJournal) {
    test::TempFolder folder;
    const std::string path = (folder.path() / "tomelin.db").string();
    auto store = SqliteStore::open(path).store;
    ASSERT_NE(store, nullptr);
    ASSERT_EQ(store->CreateRegKey(kKey), kStatusOk);
    ASSERT_EQ(store->WriteRegValue(kKey, "před", std::string("ano"), kTypeText), kStatusOk);
    ASSERT_TRUE(std::filesystem::exists(path + "-wal"));

    const QString start = QString::fromStdString(folder.path().string());
    // The database, its journal and shared memory, a file and a folder the dialog has to type.
    folder.write("notes.txt", "text");
    std::filesystem::create_directory(folder.path() / "zaloha");
    std::map<QString, QString> types;
    EXPECT_GE(listAndCancel(folder.path(), [&] { return GetParam().open(start); }, types), 5);
    // The program's own names for the types (a folder is "Složka" in the program's language).
    EXPECT_EQ(types["zaloha"], "Složka");

    // Another program opens the store and closes it: with this program's locks intact it
    // knows it is not the store's last user and leaves the journal alone. (Another program,
    // not a fork of this one: a fork would share this process's idea of what it holds.)
    ASSERT_EQ(otherProgramReads(path, "před", "ano"), 0);
    EXPECT_TRUE(std::filesystem::exists(path + "-wal")) << "the journal was deleted under the open store";

    // What this program writes now is what the other program reads.
    ASSERT_EQ(store->WriteRegValue(kKey, "po", std::string("taky"), kTypeText), kStatusOk);
    EXPECT_EQ(otherProgramReads(path, "po", "taky"), 0);
}

// Where each dialog starts when the caller names no folder: the home folder, whatever the
// program's working folder.
TEST(FileDialogStart, ABareNameOrNoFolderStartsInTheHomeFolder) {
    test::TempFolder home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home.path().string()));
    const QString expected = QDir(QString::fromStdString(home.path().string())).canonicalPath();
    auto startOf = [](const std::function<QString()>& open) {
        QString folder;
        QString name;
        QTimer::singleShot(0, [&] {
            QElapsedTimer waited;
            waited.start();
            QFileDialog* dialog = nullptr;
            while (!dialog && waited.elapsed() < 10000) {
                dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QTest::qWait(20);
            }
            if (!dialog)
                return;
            folder = dialog->directory().canonicalPath();
            const QStringList chosen = dialog->selectedFiles();
            name = chosen.isEmpty() ? QString() : QFileInfo(chosen.front()).fileName();
            dialog->reject();
        });
        EXPECT_TRUE(open().isEmpty());
        return std::make_pair(folder, name);
    };
    const auto saved = startOf([] { return saveFileName(nullptr, "Uložit", "tomelin-7.pgn"); });
    EXPECT_EQ(saved.first, expected);
    EXPECT_EQ(saved.second, "tomelin-7.pgn");
    EXPECT_EQ(startOf([] { return openFileName(nullptr, "Otevřít"); }).first, expected);
    qputenv("HOME", oldHome);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, FileDialogOverStore,
    ::testing::Values(
        DialogCase{"Open", [](const QString& folder) { return openFileName(nullptr, "Otevřít", folder); }},
        DialogCase{"Save",
                   [](const QString& folder) {
                       return saveFileName(nullptr, "Uložit", folder + "/tomelin.pgn", "Všechny soubory (*)");
                   }}),
    [](const ::testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tomelin
