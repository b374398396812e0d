#include "editor/board_editor.h"

#include <QCoreApplication>

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "editor/edit_canvas.h"
#include "editor/edit_cursors.h"
#include "boards/board_list.h"
#include "core/fen.h"

namespace tomelin {

namespace {

// The texts this window shows.
const char* const kTitle = QT_TRANSLATE_NOOP("BoardEditor", "Editor");
const char* const kNameCaption = QT_TRANSLATE_NOOP("BoardEditor", "Jméno :");
const char* const kSaveCaption = QT_TRANSLATE_NOOP("BoardEditor", "Uložit");
const char* const kMirrorCaption = QT_TRANSLATE_NOOP("BoardEditor", "Zrcadlo");
const char* const kNewBoardName = QT_TRANSLATE_NOOP("BoardEditor", "Nové pole");
const char* const kRefusalTitle = QT_TRANSLATE_NOOP("BoardEditor", "Nelze uložit");
const char* const kStoreFailedText = QT_TRANSLATE_NOOP("BoardEditor", "Hrací pole se nepodařilo zapsat do úložiště.");
const char* const kNoSlotText = QT_TRANSLATE_NOOP("BoardEditor", "Pro toto hrací pole není v úložišti místo.");
const char* const kNameTooLongText = QT_TRANSLATE_NOOP("BoardEditor", "Jméno hracího pole je příliš dlouhé.");
const char* const kSavedText = QT_TRANSLATE_NOOP("BoardEditor", "Uloženo");
// How long "Uloženo" stays after a save.
constexpr int kSavedShownMs = 3000;

// Rows above the canvas and the margins around it, in pixels.
constexpr int kTopRows = 76;
constexpr int kExtraHeight = 80;
constexpr int kExtraWidth = 8;
// Room for the window frame and title bar when fitting the window into the screen.
constexpr int kFrameAllowance = 40;
constexpr int kMinCanvasWidth = 240;

// The spinner's rest position; 0 and 2 are its left and right arrows.
constexpr int kSpinnerRest = 1;

QString storeErrorText(BoardStoreError error, const Store& store, const QString& name) {
    switch (error) {
        case BoardStoreError::NameTaken:
            return QString::fromStdString(boardNameTakenText(name.toStdString()));
        case BoardStoreError::NameTooLong:
            return QCoreApplication::translate("BoardEditor", kNameTooLongText);
        case BoardStoreError::NotASlot:
            return QCoreApplication::translate("BoardEditor", kNoSlotText);
        case BoardStoreError::ReadOnly:
            if (!store.writeRefusal().empty())
                return QString::fromStdString(store.writeRefusal());
            break;
        case BoardStoreError::NotABoard:
        case BoardStoreError::EmptyName:
        case BoardStoreError::StoreFailed:
            break;
    }
    return QCoreApplication::translate("BoardEditor", kStoreFailedText);
}

}  // namespace

int BoardEditor::canvasWidthFor(int screenWidth, int availableHeight) {
    const int byWidth = screenWidth * 2 / 3;
    const int byHeight = (availableHeight - kExtraHeight - kFrameAllowance) * 4 / 3;
    return std::max(kMinCanvasWidth, std::min(byWidth, byHeight));
}

BoardEditor::BoardEditor(Store& store, const QString& boardString, const QString& name,
                         const QString& slot, QWidget* parent)
    : QDialog(parent), m_store(store), m_slot(slot) {
    setObjectName(QStringLiteral("frmEdit"));
    setWindowTitle(QCoreApplication::translate("BoardEditor", kTitle));
    // A fixed size: the window system offers no maximise button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);

    m_label1 = new QLabel(QCoreApplication::translate("BoardEditor", kNameCaption), this);
    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setMaxLength(kMaxBoardNameLength);
    m_label1->setBuddy(m_text1);
    m_text1->setAccessibleName(QCoreApplication::translate("BoardEditor", "Jméno pole"));
    m_command1 = new QPushButton(QCoreApplication::translate("BoardEditor", kSaveCaption), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAutoDefault(false);
    m_check1 = new QCheckBox(QCoreApplication::translate("BoardEditor", kMirrorCaption), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setChecked(true);
    m_saved = new QLabel(QCoreApplication::translate("BoardEditor", kSavedText), this);
    m_saved->setObjectName(QStringLiteral("saved"));
    m_saved->hide();
    m_savedTimer = new QTimer(this);
    m_savedTimer->setSingleShot(true);
    m_savedTimer->setInterval(kSavedShownMs);
    connect(m_savedTimer, &QTimer::timeout, m_saved, &QWidget::hide);
    m_hscroll1 = new QScrollBar(Qt::Horizontal, this);
    m_hscroll1->setObjectName(QStringLiteral("HScroll1"));
    m_hscroll1->setRange(0, 2);
    m_hscroll1->setPageStep(1);
    m_hscroll1->setValue(kSpinnerRest);
    m_hscroll1->setAccessibleName(QCoreApplication::translate("BoardEditor", "Velikost pole"));
    // The size box shows the side; it only changes through the spinner's arrows.
    m_text2 = new QLineEdit(this);
    m_text2->setObjectName(QStringLiteral("Text2"));
    m_text2->setAccessibleName(QCoreApplication::translate("BoardEditor", "Strana pole"));
    m_text2->setReadOnly(true);
    m_text2->setFocusPolicy(Qt::NoFocus);
    m_text2->setAlignment(Qt::AlignCenter);
    m_text2->setFrame(false);
    m_text2->setContextMenuPolicy(Qt::NoContextMenu);
    m_fenLabel = new QLabel(tr("FEN :"), this);
    m_fenBox = new QLineEdit(this);
    m_fenBox->setObjectName(QStringLiteral("fenBox"));
    m_fenBox->setAccessibleName(tr("Pozice ve formátu FEN"));
    m_fenBox->setPlaceholderText(QString::fromUtf8(kStandardStartFen.data(), kStandardStartFen.size()));
    m_fenLabel->setBuddy(m_fenBox);
    m_fenLoad = new QPushButton(tr("Načíst FEN"), this);
    m_fenLoad->setObjectName(QStringLiteral("fenLoad"));
    m_fenLoad->setAutoDefault(false);
    m_canvas = new EditCanvas(this);
    m_canvas->setObjectName(QStringLiteral("canvas"));
    m_canvas->setAccessibleName(QCoreApplication::translate("BoardEditor", "Plocha pole"));

    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const int screenWidth = screen != nullptr ? screen->geometry().width() : 800;
    m_canvasWidth = canvasWidthFor(screenWidth, available.height());
    layoutControls();

    m_edit.setMirror(m_check1->isChecked());
    connect(m_check1, &QCheckBox::toggled, this, [this](bool on) { m_edit.setMirror(on); });
    connect(m_hscroll1, &QScrollBar::valueChanged, this, &BoardEditor::spinnerMoved);
    connect(m_text1, &QLineEdit::textChanged, this, &BoardEditor::nameChanged);
    connect(m_command1, &QPushButton::clicked, this, [this] { save(); });
    connect(m_fenLoad, &QPushButton::clicked, this, [this] { loadFen(m_fenBox->text()); });
    connect(m_fenBox, &QLineEdit::returnPressed, this, [this] { loadFen(m_fenBox->text()); });
    connect(m_canvas, &EditCanvas::leftPressed, this, &BoardEditor::paintAt);
    connect(m_canvas, &EditCanvas::rightPressed, this, &BoardEditor::nextTool);

    loadBoard(boardString);
    m_text1->setText(name);
    nameChanged(m_text1->text());

    // Centred on the screen, the frame counted in as far as it is known before showing.
    move(available.center() - QPoint(width() / 2, height() / 2 + kFrameAllowance / 2));
}

BoardEditor::~BoardEditor() = default;

void BoardEditor::layoutControls() {
    const int w = m_canvasWidth;
    const int canvasHeight = w * 3 / 4;
    const int clientWidth = w + kExtraWidth;
    setFixedSize(clientWidth, canvasHeight + kExtraHeight);
    m_label1->setGeometry(4, 6, 49, 17);
    m_text1->setGeometry(52, 4, clientWidth - 56, 21);
    m_command1->setGeometry(4, 28, 73, 21);
    m_check1->setGeometry(80, 28, 65, 21);
    m_saved->setGeometry(152, 28, std::max(0, w - 48 - 156), 21);
    m_hscroll1->setGeometry(w - 48, 28, 52, 21);
    // Over the middle of the spinner, so that its two arrows flank the number.
    m_text2->setGeometry(w - 32, 28, 20, 21);
    m_text2->raise();
    m_fenLabel->setGeometry(4, 54, 49, 17);
    m_fenBox->setGeometry(52, 52, std::max(0, clientWidth - 56 - 96), 21);
    m_fenLoad->setGeometry(clientWidth - 100, 52, 96, 21);
    m_canvas->setGeometry(4, kTopRows, w, canvasHeight);
}

bool BoardEditor::loadBoard(const QString& boardString) {
    const bool loaded = m_edit.load(boardString.toStdString());
    showSide();
    m_canvas->setCursor(editToolCursor(m_edit.tool()));
    return loaded;
}

bool BoardEditor::loadFen(const QString& fen) {
    const std::string board = boardStringFromFen(fen.trimmed().toStdString());
    if (board.empty()) {
        showMessage(tr("Nelze načíst"),
                    tr("Text není pozice ve formátu FEN. Zapište řádky pole shora oddělené "
                       "lomítkem (x a o kameny hráčů, - díra, číslice počet volných polí), za "
                       "mezerou hráče na tahu (x nebo o), například x5o/7/7/7/7/7/o5x x."));
        return false;
    }
    // The loaded board is the one to paint and save; the tool stays as the user chose it.
    const EditCell tool = m_edit.tool();
    loadBoard(QString::fromStdString(board));
    m_edit.setTool(tool);
    m_canvas->setCursor(editToolCursor(tool));
    return true;
}

QString BoardEditor::boardName() const {
    return m_text1->text().trimmed();
}

void BoardEditor::showSide() {
    if (m_saved)
        m_saved->hide();
    m_text2->setText(QString::number(m_edit.side()));
    redraw();
}

void BoardEditor::redraw() {
    m_canvas->drawBoard(m_edit);
}

void BoardEditor::spinnerMoved(int position) {
    if (position == kSpinnerRest) {
        return;
    }
    const bool changed = position < kSpinnerRest ? m_edit.shrink() : m_edit.grow();
    if (changed) {
        showSide();
    }
    m_hscroll1->setValue(kSpinnerRest);
    m_hscroll1->setAccessibleName(QCoreApplication::translate("BoardEditor", "Velikost pole"));
}

void BoardEditor::nameChanged(const QString& text) {
    m_saved->hide();
    if (!text.trimmed().isEmpty()) {
        return;
    }
    // An empty name (white space alone counts as none) comes back as the default, wholly
    // selected so that typing replaces it.
    m_text1->setText(QCoreApplication::translate("BoardEditor", kNewBoardName));
    m_text1->selectAll();
}

void BoardEditor::paintAt(QPointF position) {
    const EditPos cell =
        m_edit.cellAt(position.x(), position.y(), m_canvas->width(), m_canvas->height());
    for (const EditPos& changed : m_edit.paint(cell)) {
        m_saved->hide();
        m_canvas->drawCell(m_edit.at(changed.column, changed.row), changed.column, changed.row,
                        m_edit.side());
    }
}

void BoardEditor::nextTool() {
    m_canvas->setCursor(editToolCursor(m_edit.cycleTool()));
}

bool BoardEditor::save() {
    if (const auto refusal = m_edit.saveRefusal()) {
        showMessage(QCoreApplication::translate("BoardEditor", kRefusalTitle),
                    QCoreApplication::translate("BoardEditor", boardRefusalText(*refusal)));
        return false;
    }
    const std::string slot = m_slot.toStdString();
    if (const auto error =
            saveBoardToSlot(m_store, slot, boardName().toStdString(), m_edit.boardString())) {
        showMessage(QCoreApplication::translate("BoardEditor", kRefusalTitle),
                    storeErrorText(*error, m_store, boardName()));
        return false;
    }
    // The editor stays open: say that the board is in the store now.
    m_saved->show();
    m_savedTimer->start();
    emit boardSaved(m_slot);
    return true;
}

void BoardEditor::showMessage(const QString& title, const QString& text) {
    if (m_showMessage) {
        m_showMessage(title, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, this);
    box.exec();
}

}  // namespace tomelin
