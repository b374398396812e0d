#pragma once

// The program's file dialogs ("Vybrat…" an engine, PGN out of the records viewer).
//
// Qt's own file dialog names each file it lists by its content type, and finding a content
// type opens the file and closes it again. When the listed folder holds the store, that close
// drops the SQLite locks this process holds on the store's files: POSIX locks belong to the
// process, and closing any descriptor of a file releases them all. Another program
// (tomelin-cli) then takes itself for the store's only user, folds the journal into the file
// and deletes it under the running game, whose later writes go to a journal nobody else sees.
// These dialogs name files by their extension only and never open what they list. (A desktop's
// own dialog, where the desktop provides one, is its business.)

#include <QString>

class QWidget;

namespace tomelin {

// An existing file to open, the dialog starting in `folder` (the home folder when empty);
// empty when the player cancels.
QString openFileName(QWidget* parent, const QString& caption, const QString& folder = {},
                     const QString& filter = {});

// A file to write, `suggested` the name offered (a bare name in the home folder); empty when
// the player cancels. Replacing an existing file is confirmed by the dialog.
QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                     const QString& filter = {});

}  // namespace tomelin
