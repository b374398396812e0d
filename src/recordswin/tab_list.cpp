#include "recordswin/tab_list.h"

#include <QApplication>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace tomelin {

namespace {

constexpr int kTabStopChars = 8;
constexpr int kTextMargin = 3;

// Paints the item background through the style and the text part by part at the tab stops.
class TabDelegate : public QStyledItemDelegate {
public:
    explicit TabDelegate(TabList* list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QStyle* style = opt.widget != nullptr ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

        const QStringList parts = text.split(QLatin1Char('\t'));
        const QList<int> offsets = m_list->partOffsets(text);
        const QRect area = opt.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
        const QPalette::ColorRole role =
            (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(role));
        const QFontMetrics metrics(opt.font);
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const QRect partRect = area.adjusted(offsets[i], 0, 0, 0);
            // A long name is shortened with an ellipsis rather than cut through a letter.
            const QString shown = metrics.elidedText(parts[i], Qt::ElideRight, partRect.width());
            painter->drawText(partRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                              shown);
        }
        painter->restore();
    }

private:
    TabList* m_list;
};

}  // namespace

TabList::TabList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TabDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TabList::setLines(const QStringList& lines) {
    clear();
    addItems(lines);
    // The whole line as a tooltip, for values too long for the list's width.
    for (int i = 0; i < count(); ++i) {
        item(i)->setToolTip(lines[i].simplified());
    }
}

QStringList TabList::lines() const {
    QStringList result;
    for (int i = 0; i < count(); ++i) {
        result << item(i)->text();
    }
    return result;
}

int TabList::tabStop() const {
    return std::max(1, fontMetrics().averageCharWidth() * kTabStopChars);
}

QList<int> TabList::partOffsets(const QString& line) const {
    const QFontMetrics metrics = fontMetrics();
    const int stop = tabStop();
    QList<int> offsets;
    int x = 0;
    const QStringList parts = line.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        offsets << x;
        x += metrics.horizontalAdvance(parts[i]);
        // A tab moves to the next stop strictly to the right.
        x = (x / stop + 1) * stop;
    }
    return offsets;
}

}  // namespace tomelin
