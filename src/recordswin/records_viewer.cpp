#include "recordswin/records_viewer.h"

#include <QCoreApplication>

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <cmath>

#include "core/game.h"
#include "drawing/token_painter.h"
#include "platform/draw/file_dialog.h"
#include "platform/draw/picture_box.h"
#include "records/game_record.h"
#include "records/pgn_records.h"
#include "recordswin/tab_list.h"

namespace tomelin {

namespace {

// The texts this window shows.
const char* const kTitle = QT_TRANSLATE_NOOP("RecordsViewer", "Záznamy");
const char* const kPlayerHeading = QT_TRANSLATE_NOOP("RecordsViewer", "Záznamy hráče");
const char* const kRecordHeading = QT_TRANSLATE_NOOP("RecordsViewer", "Seznam výsledků všech her");
const char* const kNoRecordsText = QT_TRANSLATE_NOOP("RecordsViewer", "Zatím nejsou žádné záznamy výsledků");
const char* const kProgramTitle = "Tomelin";

// Client area and control places in twips (left, top, width, height).
constexpr int kClientWidth = 4125;
constexpr int kClientHeight = 4425;
struct TwipRect {
    int left, top, width, height;
};
constexpr TwipRect kLabel4{120, 180, 1335, 195};
constexpr TwipRect kComboB{1440, 120, 1695, 330};
constexpr TwipRect kList2{120, 480, 2580, 900};
constexpr TwipRect kPicture4{2820, 480, 1185, 900};
constexpr TwipRect kPicture3{3240, 270, 765, 60};
constexpr TwipRect kLabel2{120, 1500, 2415, 195};
constexpr TwipRect kPicture2{2520, 1590, 1485, 60};
constexpr TwipRect kList1{120, 1800, 3885, 2025};
constexpr TwipRect kHScroll1{150, 3540, 3825, 255};
constexpr TwipRect kExportRecord{120, 3945, 1890, 360};
constexpr TwipRect kExportAll{2115, 3945, 1890, 360};

// The scroll bar's maximum and position when the window is loaded; the survey's maximum
// pulls the position down to the last record.
constexpr int kLoadedScrollEnd = 32767;

QStringList toQStrings(const auto& lines) {
    QStringList result;
    for (const std::string& line : lines) {
        result << QString::fromStdString(line);
    }
    return result;
}

// A thin decorative bar in the palette's highlight colour.
QWidget* makeBar(QWidget* parent) {
    auto* bar = new QWidget(parent);
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Highlight));
    bar->setPalette(palette);
    return bar;
}

}  // namespace

int RecordsViewer::twipsToPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

RecordsViewer::RecordsViewer(Survey survey, int detailLevel, QWidget* parent)
    : QDialog(parent), m_survey(std::move(survey)), m_detailLevel(detailLevel) {
    setObjectName(QStringLiteral("frmVlst"));
    setWindowTitle(QCoreApplication::translate("RecordsViewer", kTitle));
    setModal(true);

    m_label4 = new QLabel(QCoreApplication::translate("RecordsViewer", kPlayerHeading), this);
    m_comboB = new QComboBox(this);
    m_comboB->setObjectName(QStringLiteral("ComboB"));
    m_comboB->setEditable(false);
    m_list2 = new TabList(this);
    m_list2->setObjectName(QStringLiteral("List2"));
    m_list2->setAccessibleName(QCoreApplication::translate("RecordsViewer", "Přehled"));
    m_picture4 = new PictureBox(this, fromQColor(palette().color(QPalette::Window)));
    m_picture4->setObjectName(QStringLiteral("Picture4"));
    m_picture3 = makeBar(this);
    m_label2 = new QLabel(QCoreApplication::translate("RecordsViewer", kRecordHeading), this);
    m_picture2 = makeBar(this);
    m_list1 = new TabList(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setAccessibleName(QCoreApplication::translate("RecordsViewer", kRecordHeading));
    m_hscroll1 = new QScrollBar(Qt::Horizontal, this);
    m_hscroll1->setObjectName(QStringLiteral("HScroll1"));
    m_hscroll1->setAccessibleName(QCoreApplication::translate("RecordsViewer", "Posun záznamů"));
    m_hscroll1->setRange(0, kLoadedScrollEnd);
    m_hscroll1->setValue(kLoadedScrollEnd);
    m_hscroll1->setPageStep(1);
    m_exportRecord = new QPushButton(tr("Uložit záznam do PGN…"), this);
    m_exportRecord->setObjectName(QStringLiteral("exportRecord"));
    m_exportAll = new QPushButton(tr("Uložit všechny do PGN…"), this);
    m_exportAll->setObjectName(QStringLiteral("exportAll"));
    connect(m_exportRecord, &QPushButton::clicked, this, [this] { exportPgn(false); });
    connect(m_exportAll, &QPushButton::clicked, this, [this] { exportPgn(true); });
    placeControls();

    connect(m_hscroll1, &QScrollBar::valueChanged, this, &RecordsViewer::showRecord);
    connect(m_comboB, &QComboBox::currentIndexChanged, this, &RecordsViewer::showPlayer);

    for (const std::string& name : m_survey.viewerPlayers) {
        m_comboB->addItem(QCoreApplication::translate("Players", name.c_str()));
    }
    if (m_comboB->count() == 0) {
        // Every recorded player is anonymous ("Hráč 1", "Hráč 2").
        m_comboB->setEnabled(false);
        m_list2->setLines(toQStrings(anonymousPlayersLines()));
    } else {
        m_comboB->setEnabled(true);
        m_comboB->setCurrentIndex(0);
        showPlayer(0);
    }

    // The maximum follows the survey and pulls the position down to the last record.
    m_hscroll1->setMaximum(std::max(0, m_survey.scrollMaximum()));
    showRecord(m_hscroll1->value());
}

RecordsViewer::~RecordsViewer() = default;

void RecordsViewer::placeControls() {
    const QScreen* screen = this->screen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
    const auto place = [dpi](QWidget* widget, const TwipRect& r) {
        widget->setGeometry(twipsToPixels(r.left, dpi), twipsToPixels(r.top, dpi),
                            twipsToPixels(r.width, dpi), twipsToPixels(r.height, dpi));
    };
    setFixedSize(twipsToPixels(kClientWidth, dpi), twipsToPixels(kClientHeight, dpi));
    place(m_label4, kLabel4);
    place(m_comboB, kComboB);
    place(m_list2, kList2);
    place(m_picture4, kPicture4);
    place(m_picture3, kPicture3);
    place(m_label2, kLabel2);
    place(m_picture2, kPicture2);
    place(m_list1, kList1);
    place(m_hscroll1, kHScroll1);
    place(m_exportRecord, kExportRecord);
    place(m_exportAll, kExportAll);
    // The record list's design height reaches under the scroll bar (a classic list box
    // shrank to whole lines); end it just above the bar so no line hides behind it.
    m_list1->resize(m_list1->width(), std::min(m_list1->height(), m_hscroll1->y() - m_list1->y()));
    // Four statistics lines and eight record lines must fit their lists. Fonts differ in
    // line height, so take the largest size up to 8 points whose lines fit both.
    QFont font(QStringLiteral("Arial"));
    const int statsRoom = m_list2->height() - 2 * m_list2->frameWidth();
    const int recordRoom = m_list1->height() - 2 * m_list1->frameWidth();
    for (int pixels = twipsToPixels(160, dpi); pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        const int line = QFontMetrics(font).height();
        if (4 * line <= statsRoom && 8 * line <= recordRoom)
            break;
    }
    setFont(font);
    // A hidden widget gets its resize event only when shown; the token is drawn before.
    m_picture4->imageSurface().resize(m_picture4->width(), m_picture4->height());
}

void RecordsViewer::showPlayer(int index) {
    if (index < 0 || index >= static_cast<int>(m_survey.viewerPlayers.size())) {
        return;
    }
    const std::string& name = m_survey.viewerPlayers[static_cast<std::size_t>(index)];
    m_list2->setLines(toQStrings(playerLines(playerStatistics(m_survey, name))));

    const auto& tokens = m_survey.lists[kListViewerTokens];
    const std::string tokenText = static_cast<std::size_t>(index) < tokens.size()
                                      ? tokens[static_cast<std::size_t>(index)]
                                      : std::string();
    const auto token = decodeTokenString(tokenText);
    m_picture4->clearPicture();
    drawToken(m_picture4->surface(), {0, 0, static_cast<double>(m_picture4->height())},
              {.shape = token.shape, .colour = token.colour,
               .playerKind = playerKindFromName(name),
               .detailLevel = m_detailLevel},
              m_random);
}

void RecordsViewer::showRecord(int k) {
    m_list1->setLines(toQStrings(recordLines(m_survey, k)));
}

void RecordsViewer::setBoards(BoardList boards) {
    m_boards = std::move(boards);
}

void RecordsViewer::setSaveFileChooser(SaveFileChooser chooser) {
    m_chooseFile = std::move(chooser);
}

void RecordsViewer::setMessageHandler(std::function<void(const QString&, const QString&)> handler) {
    m_showMessage = std::move(handler);
}

void RecordsViewer::exportPgn(bool all) {
    const int k = m_hscroll1->value();
    const std::string text = surveyPgn(m_survey, m_boards, all ? -1 : k);
    if (text.empty())
        return;
    const QString caption = all ? tr("Uložit všechny záznamy do PGN") : tr("Uložit záznam do PGN");
    const QString suggested =
        all ? QStringLiteral("tomelin.pgn")
            : QStringLiteral("tomelin-%1.pgn").arg(m_survey.recordNumbers.at(static_cast<std::size_t>(k)));
    const QString path = m_chooseFile
                             ? m_chooseFile(caption, suggested)
                             : saveFileName(this, caption, suggested,
                                           tr("Partie PGN (*.pgn);;Všechny soubory (*)"));
    if (path.isEmpty())
        return;
    // Written aside and renamed: a failed write leaves an existing file as it was.
    QSaveFile file(path);
    const QByteArray bytes = QByteArray::fromStdString(text);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (written)
        return;
    const QString title = QCoreApplication::translate("RecordsViewer", kTitle);
    const QString message = tr("Soubor %1 se nepodařilo uložit: %2").arg(path, file.errorString());
    if (m_showMessage) {
        m_showMessage(title, message);
    } else {
        QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, this);
        box.exec();
    }
}

bool openRecordsViewer(const Survey& survey, int detailLevel, QWidget* parent,
                       const ViewerMessageHandler& showMessage) {
    if (survey.recordCount() == 0) {
        const QString title = QString::fromUtf8(kProgramTitle);
        const QString text = QCoreApplication::translate("RecordsViewer", kNoRecordsText);
        if (showMessage) {
            showMessage(title, text);
        } else {
            QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
            box.exec();
        }
        return false;
    }
    RecordsViewer viewer(survey, detailLevel, parent);
    viewer.exec();
    return true;
}

}  // namespace tomelin
