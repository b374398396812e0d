#pragma once
// `Frame3` "Hrací pole": the board list (`List1`, with the hidden `List2` and `List3` in
// `BoardList`) and the "Editor" button (`Command3`) whose menu adds, edits and deletes the
// boards kept in the store.

#include <QGroupBox>
#include <functional>

#include "boards/board_list.h"

class QDialog;
class QListWidget;
class QPushButton;

namespace tomelin {

class SetupMenus;
class Store;

class BoardChooser : public QGroupBox {
    Q_OBJECT
public:
    BoardChooser(Store& store, SetupMenus& menus, QWidget* parent);

    // How the editor is shown and messages are given (the setup window's own ways).
    std::function<void(QDialog&)> runDialog;
    std::function<void(const QString& title, const QString& text)> showMessage;

    // `NajitMapy`: rebuilds the list from the built-ins and the store, selects the first.
    void reloadBoards();
    const BoardList& boards() const { return m_boards; }
    int selectedBoard() const;
    void selectBoard(int index);
    // "Editor" (`Command3`): enables the menu items for the selected board and pops it up.
    void openEditorMenu();
    // The editor menu's items: a new board (`ADDMAP_Click`), the selected one edited
    // (`EDMAP_Click`) or deleted (`DELMAP_Click`).
    void addBoard();
    void editBoard();
    void deleteBoard();

signals:
    // A board was selected: its name and board string.
    void boardChosen(const QString& name, const QString& boardString);

private:
    Store& m_store;
    SetupMenus& m_menus;
    BoardList m_boards;
    QListWidget* m_list1 = nullptr;
    QPushButton* m_command3 = nullptr;
};

}  // namespace tomelin
