#pragma once
// `BoardEditor`, the board editor window `frmEdit`: paint a board cell by cell, name it,
// size it, save it.

#include <QDialog>
#include <QString>
#include <functional>

#include "editor/board_edit.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTimer;

namespace tomelin {

class EditCanvas;
class Store;

// The modal board editor. How the setup window uses it:
//
//     BoardEditor editor(store, boardString, name, slot, this);
//     connect(&editor, &BoardEditor::boardSaved, this, [&](const QString& slot) {
//         /* reloadBoards, then select the board stored in `slot` */ });
//     editor.exec();
//
// `boardString` is loaded into the editing grid (`EDM`), `name` goes into the name box
// (`Text1`; for a new board "Nové pole") and `slot` ("01" .. "99", the hidden `Label2`) is
// where every save writes. The editor stays open after a save; closing it without saving
// discards the edits. It writes nothing but that one slot.
class BoardEditor : public QDialog {
    Q_OBJECT
public:
    BoardEditor(Store& store, const QString& boardString, const QString& name,
                const QString& slot, QWidget* parent = nullptr);
    ~BoardEditor() override;

    // `EDM`: loads a board string into the grid, shows its side and makes the free-cell tool
    // current. Returns false (showing an all-free board) for a string that is no board.
    bool loadBoard(const QString& boardString);

    // `Command1_Click` ("Uložit"): checks the board and writes it with the name into the
    // slot. A refusal (no free cell, a player without tokens, a name another board has) or a
    // failed write is shown under "Nelze uložit" and returns false; a save shows "Uloženo".
    bool save();

    const BoardEdit& board() const { return m_edit; }
    QString slot() const { return m_slot; }
    // Shows the position a FEN writes as the board (holes as holes). A text that is no FEN
    // is said so under "Nelze načíst" and leaves the board as it was; returns whether loaded.
    bool loadFen(const QString& fen);

    // The name as it is saved: without the white space around it.
    QString boardName() const;
    // The parts by object name: "Text1" (name), "Text2" (side), "HScroll1" (the side's
    // spinner), "Check1" (mirror), "Command1" ("Uložit"), "fenBox" (a FEN typed or pasted,
    // read on Enter), "fenLoad" ("Načíst FEN") and "canvas" (W x 3/4 W).

    // Where messages go (title, text); by default a plain message box with an OK button.
    using MessageHandler = std::function<void(const QString& title, const QString& text)>;
    void setMessageHandler(MessageHandler handler) { m_showMessage = std::move(handler); }

    // W for a screen: two thirds of its width, but never so large that the window would
    // not fit into the screen's available height.
    static int canvasWidthFor(int screenWidth, int availableHeight);

signals:
    // The board was stored in `slot`; the board list must be rebuilt from the store.
    void boardSaved(const QString& slot);

private:
    void layoutControls();
    void showSide();
    void redraw();
    void spinnerMoved(int position);
    void nameChanged(const QString& text);
    void paintAt(QPointF position);
    void nextTool();
    void showMessage(const QString& title, const QString& text);

    Store& m_store;
    QString m_slot;
    BoardEdit m_edit;
    int m_canvasWidth = 0;
    MessageHandler m_showMessage;

    QLabel* m_label1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QCheckBox* m_check1 = nullptr;
    QScrollBar* m_hscroll1 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QLabel* m_fenLabel = nullptr;
    QLineEdit* m_fenBox = nullptr;
    QPushButton* m_fenLoad = nullptr;
    EditCanvas* m_canvas = nullptr;
    QLabel* m_saved = nullptr;  // "Uloženo", a while after each save
    QTimer* m_savedTimer = nullptr;
};

}  // namespace tomelin
