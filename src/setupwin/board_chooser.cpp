#include "setupwin/board_chooser.h"

#include <QCoreApplication>

#include <QAction>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include "editor/board_editor.h"
#include "platform/store/store.h"
#include "setupwin/artwork.h"
#include "setupwin/setup_menus.h"

namespace tomelin {

BoardChooser::BoardChooser(Store& store, SetupMenus& menus, QWidget* parent)
    : QGroupBox(QCoreApplication::translate("BoardChooser", "Hrací pole"), parent),
      m_store(store),
      m_menus(menus) {
    setObjectName("Frame3");
    m_list1 = new QListWidget(this);
    m_list1->setObjectName("List1");
    m_list1->setAccessibleName(QCoreApplication::translate("BoardChooser", "Hrací pole"));
    m_list1->setMinimumHeight(96);
    m_list1->setTextElideMode(Qt::ElideRight);
    m_list1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_command3 = new QPushButton(QCoreApplication::translate("BoardChooser", "Editor"), this);
    m_command3->setObjectName("Command3");
    auto* boardLayout = new QHBoxLayout(this);
    boardLayout->addWidget(m_list1, 1);
    boardLayout->addWidget(m_command3, 0, Qt::AlignBottom);
    connect(m_list1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            selectBoard(row);
        }
    });
    connect(m_command3, &QPushButton::clicked, this, &BoardChooser::openEditorMenu);
    connect(m_menus.addBoardItem, &QAction::triggered, this, &BoardChooser::addBoard);
    connect(m_menus.editBoardItem, &QAction::triggered, this, &BoardChooser::editBoard);
    connect(m_menus.deleteBoardItem, &QAction::triggered, this, &BoardChooser::deleteBoard);
}

void BoardChooser::reloadBoards() {
    m_boards = tomelin::readBoardList(m_store);
    {
        const QSignalBlocker block(m_list1);
        m_list1->clear();
        for (int i = 0; i < m_boards.size(); ++i) {
            const std::string& name = m_boards.names[static_cast<std::size_t>(i)];
            if (m_boards.isPlayable(i)) {
                auto* item =
                    new QListWidgetItem(QCoreApplication::translate("Boards", name.c_str()));
                // A name wider than the list is cut there; the tooltip gives it whole.
                if (m_list1->fontMetrics().horizontalAdvance(item->text()) >
                    m_list1->viewport()->width() - 8)
                    item->setToolTip(item->text());
                m_list1->addItem(item);
                continue;
            }
            // Listed so that it can be seen and deleted, but plainly not a board to play.
            auto* item = new QListWidgetItem(QString::fromStdString(unplayableBoardLabel(name)));
            item->setForeground(m_list1->palette().color(QPalette::Disabled, QPalette::Text));
            m_list1->addItem(item);
        }
    }
    selectBoard(0);
}

int BoardChooser::selectedBoard() const {
    const int row = m_list1->currentRow();
    return row < 0 ? 0 : row;
}

void BoardChooser::selectBoard(int index) {
    if (index < 0 || index >= m_boards.size()) {
        return;
    }
    if (m_list1->currentRow() != index) {
        const QSignalBlocker block(m_list1);
        m_list1->setCurrentRow(index);
    }
    emit boardChosen(QString::fromStdString(m_boards.names[index]),
                     QString::fromStdString(m_boards.strings[index]));
}

void BoardChooser::openEditorMenu() {
    const int s = selectedBoard();
    const bool builtin = s < m_boards.size() && m_boards.keys[s] == kBuiltinKey;
    m_menus.prepareEditorMenu(builtin);
    m_menus.editorMenu->popup(m_command3->mapToGlobal(m_command3->rect().bottomRight()));
}

void BoardChooser::addBoard() {
    if (m_store.readOnly()) {
        showMessage(QCoreApplication::translate("Boards", kBoardStoreFullTitle),
                    QString::fromStdString(m_store.writeRefusal()));
        return;
    }
    // Every slot taken: saving would overwrite the board in the last slot, so refuse.
    const std::optional<std::string> slot = findFreeSlot(m_store);
    if (!slot) {
        showMessage(QCoreApplication::translate("Boards", kBoardStoreFullTitle),
                    QCoreApplication::translate("Boards", kBoardStoreFullText));
        return;
    }
    if (m_boards.size() == 0) {
        return;
    }
    BoardEditor editor(m_store, QString::fromStdString(m_boards.strings[0]),
                       QCoreApplication::translate("BoardChooser", "Nové pole"),
                       QString::fromStdString(*slot), window());
    connect(&editor, &BoardEditor::boardSaved, this, [this] { reloadBoards(); });
    editor.setCursor(Artwork::sharedCursor(6));
    runDialog(editor);
}

void BoardChooser::editBoard() {
    const int s = selectedBoard();
    if (s >= m_boards.size() || m_boards.keys[s] == kBuiltinKey) {
        return;
    }
    // The editor could only show a damaged board changed, and saving would replace it.
    if (!m_boards.isPlayable(s)) {
        showMessage(QCoreApplication::translate("Boards", kUnplayableTitle),
                    QString::fromStdString(unplayableBoardText(m_boards.names[s])));
        return;
    }
    BoardEditor editor(m_store, QString::fromStdString(m_boards.strings[s]),
                       QString::fromStdString(m_boards.names[s]),
                       QString::fromStdString(m_boards.keys[s]), window());
    connect(&editor, &BoardEditor::boardSaved, this, [this] { reloadBoards(); });
    editor.setCursor(Artwork::sharedCursor(6));
    runDialog(editor);
}

void BoardChooser::deleteBoard() {
    const int s = selectedBoard();
    if (s >= m_boards.size() || m_boards.keys[s] == kBuiltinKey) {
        return;
    }
    if (deleteBoardSlot(m_store, m_boards.keys[s]) == BoardStoreError::ReadOnly) {
        showMessage(QCoreApplication::translate("BoardChooser", "Nelze smazat"),
                    QString::fromStdString(m_store.writeRefusal()));
        return;
    }
    reloadBoards();
}

}  // namespace tomelin
