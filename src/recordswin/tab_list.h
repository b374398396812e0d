#pragma once
// A list box whose lines line up captions and values at tab stops.

#include <QListWidget>
#include <QStringList>

namespace tomelin {

// Shows lines containing tab characters with every tab advancing to the next multiple of the
// tab stop, like the list boxes the records were always read in, so that the value column
// of "Vyhrál" TAB TAB and "Celkem odehrál" TAB starts at the same place.
class TabList : public QListWidget {
    Q_OBJECT
public:
    explicit TabList(QWidget* parent = nullptr);

    // Replaces all lines.
    void setLines(const QStringList& lines);
    QStringList lines() const;
    // Distance between tab stops in pixels: eight average character widths of the font.
    int tabStop() const;
    // The x offset (from the text's left edge) at which each tab-separated part of a line
    // starts.
    QList<int> partOffsets(const QString& line) const;
};

}  // namespace tomelin
