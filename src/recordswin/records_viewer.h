#pragma once
// `RecordsViewer`, the records viewer `frmVlst`: one player's statistics with his token, and
// the recorded games one at a time.

#include <QDialog>
#include <QString>
#include <functional>

#include "boards/board_list.h"
#include "core/random.h"
#include "records/survey.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace tomelin {

class PictureBox;
class TabList;

// The modal viewer over one survey. It never reads the store: what it shows is the survey
// it was given, taken when it was opened. How the setup window uses it ("Záznamy her"):
//
//     const Survey survey = readSurvey(store);   // `PruzkHer`; also refills the name boxes
//     openRecordsViewer(survey, detailLevel, this);
//
// or, to keep the window, `RecordsViewer viewer(survey, detailLevel, this); viewer.exec();`.
class RecordsViewer : public QDialog {
    Q_OBJECT
public:
    // `detailLevel` is the game window's token detail level (1 to 3).
    RecordsViewer(Survey survey, int detailLevel, QWidget* parent = nullptr);
    ~RecordsViewer() override;

    // The parts by object name: "ComboB" (players), "List2" (his statistics), "Picture4" (his
    // token), "List1" (one record), "HScroll1" (which record), "exportRecord" and
    // "exportAll" (the shown record or every record into a PGN file).

    // The board list the PGN export looks the records' boards up in (for the FEN of a start
    // that is not the standard one); without it the export names the board only.
    void setBoards(BoardList boards);
    // Asks for the file to write (caption, suggested name); an empty answer cancels. Without
    // one, a save dialog asks.
    using SaveFileChooser =
        std::function<QString(const QString& caption, const QString& suggested)>;
    void setSaveFileChooser(SaveFileChooser chooser);
    // Where the export's failure is told (title, text); without one, a message box.
    void setMessageHandler(std::function<void(const QString&, const QString&)> handler);

    // Window size from twips (1/1440 inch) at the screen's resolution.
    static int twipsToPixels(int twips, double dpi);

private:
    void placeControls();
    void showPlayer(int index);
    void showRecord(int k);
    // Writes the shown record (`all` false) or every record as PGN to a file the user picks.
    void exportPgn(bool all);

    Survey m_survey;
    int m_detailLevel;
    // Places the scattered squares and rings of shapes 4 and 7.
    MtRandomSource m_random;

    QLabel* m_label4 = nullptr;
    QComboBox* m_comboB = nullptr;
    TabList* m_list2 = nullptr;
    PictureBox* m_picture4 = nullptr;
    QWidget* m_picture3 = nullptr;
    QLabel* m_label2 = nullptr;
    QWidget* m_picture2 = nullptr;
    TabList* m_list1 = nullptr;
    QScrollBar* m_hscroll1 = nullptr;
    QPushButton* m_exportRecord = nullptr;
    QPushButton* m_exportAll = nullptr;
    BoardList m_boards;
    SaveFileChooser m_chooseFile;
    std::function<void(const QString&, const QString&)> m_showMessage;
};

// Where a message goes (title, text); an empty handler shows a plain message box.
using ViewerMessageHandler = std::function<void(const QString& title, const QString& text)>;

// "Záznamy her" after the survey: with no records, the message "Zatím nejsou žádné
// záznamy výsledků" under the program's title and no viewer (returns false); otherwise the
// viewer, modal, until the user closes it (returns true).
bool openRecordsViewer(const Survey& survey, int detailLevel, QWidget* parent,
                       const ViewerMessageHandler& showMessage = {});

}  // namespace tomelin
