#pragma once
// Where the program's data files (the help page) are found: beside an installed program,
// in the configured installation prefix, or in the source tree of a development build.

#include <QString>
#include <QStringList>

namespace tomelin {

// The data folders to search, nearest first: <program folder>/../share/tomelin (a
// relocated installation), the configured installed data folder, the source tree's assets.
QStringList dataFolderCandidates();

// The full path of `relative` (e.g. "help/index.html") in the first candidate folder that
// holds it, or an empty string when none does.
QString findDataFile(const QString& relative, const QStringList& candidates);
QString findDataFile(const QString& relative);

}  // namespace tomelin
