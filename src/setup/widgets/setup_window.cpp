#include "setup/widgets/setup_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <QScreen>

#include "gamewin/window_layout.h"
#include "platform/draw/picture_box.h"
#include "records/game_record.h"
#include "records/widgets/records_viewer.h"
#include "setup/widgets/about_window.h"
#include "setup/widgets/artwork.h"
#include "setup/widgets/key_colours.h"
#include "setup/widgets/player_panel.h"
#include "setup/widgets/reach_diagram.h"
#include "setup/widgets/setup_menus.h"

namespace tomelin {
namespace {

const QString kCaption = QStringLiteral("Tomelin");
const QString kNoRecords = QStringLiteral("Zatím nejsou žádné záznamy výsledků");
const QString kSameTokens = QStringLiteral(
    "Oba hráči mají stejnou figurku. Změňte tvar nebo barvu figurky jednoho z nich.");
constexpr int kStripHeight = 64;

bool sameLook(const PlayerStyle& a, const PlayerStyle& b) {
    return a.shape == b.shape && a.colour == b.colour;
}

// The reserved names: "Nerozhodně" marks a draw in the records, "PC " the computer players.
QString mendReservedName(const QString& name) {
    if (name.toLower() == QStringLiteral("nerozhodně")) {
        return QStringLiteral("Rozhodně");
    }
    if (name.left(3).toLower() == QStringLiteral("pc ")) {
        return QStringLiteral(":-) ") + name.mid(3);
    }
    return name;
}

}  // namespace

SetupWindow::SetupWindow(Store& store, int detailLevel, RandomSource& random, QWidget* parent)
    : QWidget(parent),
      m_store(store),
      m_detailLevel(detailLevel),
      m_random(random),
      m_title(Artwork::titlePicture()),
      m_logo(Artwork::logo()),
      m_musicImage(Artwork::musicButton()) {
    setObjectName("Form1");
    setWindowTitle(kCaption);
    m_chooser = new TokenChooser(detailLevel, random, this);
    m_menus = new SetupMenus(this);
    buildControls();
    for (int i = 0; i < 2; ++i) {
        connectPanel(i);
    }
    connect(m_chooser, &TokenChooser::confirmed, this, [this](int player) { SetFigur(player); });
    connect(m_menus->ADDMAP, &QAction::triggered, this, &SetupWindow::ADDMAP_Click);
    connect(m_menus->EDMAP, &QAction::triggered, this, &SetupWindow::EDMAP_Click);
    connect(m_menus->DELMAP, &QAction::triggered, this, &SetupWindow::DELMAP_Click);
    connect(m_menus->NG, &QAction::triggered, this, &SetupWindow::restartRequested);
    connect(m_menus->UNG, &QAction::triggered, this, &SetupWindow::newGameRequested);
    connect(m_menus->EDN, &QAction::triggered, this, &SetupWindow::quitRequested);
    connect(m_menus->HGM, &QAction::triggered, this, [this] {
        emit heightStepRequested(
            -std::max(1, heightStep(screen() ? screen()->geometry().height() : 0)));
    });
    connect(m_menus->HGV, &QAction::triggered, this, [this] {
        emit heightStepRequested(
            std::max(1, heightStep(screen() ? screen()->geometry().height() : 0)));
    });
    setCursor(Artwork::sharedCursor(10));
}

SetupWindow::~SetupWindow() = default;

void SetupWindow::buildControls() {
    // Title strip with the logo button and the music button.
    m_strip = new QLabel(this);
    m_strip->setObjectName("Picture1");
    m_strip->setFixedHeight(kStripHeight);
    m_check3 = new QPushButton(m_strip);
    m_check3->setObjectName("Check3");
    m_check3->setCheckable(true);
    m_check3->setFlat(true);
    m_check3->setIcon(QIcon(m_logo));
    m_check3->setIconSize(m_logo.size());
    m_check3->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; }"));
    m_check3->setToolTip(QStringLiteral("O programu"));
    m_check3->resize(kLogoWidth, kLogoHeight);
    connect(m_check3, &QPushButton::toggled, this, [this](bool on) {
        if (on) {
            m_check3->setChecked(false);
            Check3_Click();
        }
    });
    m_music = new QLabel(m_strip);
    m_music->setObjectName("Picture12");
    m_music->setToolTip(QStringLiteral("Hudba"));
    m_music->setFixedSize(24, 22);
    m_music->installEventFilter(this);
    recolourMusicButton(toolbarKeyColour(SystemColours::fromPalette(palette())));
    auto* version = new QLabel(m_strip);
    version->setObjectName("Label2");
    // The version is shown as four separate characters, as the four labels of the design.
    version->setText(QStringLiteral("1") + QStringLiteral(".") + QStringLiteral("5") +
                     QStringLiteral("5"));
    version->setStyleSheet(QStringLiteral("color: #303030; font-weight: bold;"));

    m_panels = {new PlayerPanel(0, this), new PlayerPanel(1, this)};

    auto* frame1 = new QGroupBox(QStringLiteral("Logika pohybu"), this);
    frame1->setObjectName("Frame1");
    m_option1 = new QRadioButton(QStringLiteral("Hvězda"), frame1);
    m_option2 = new QRadioButton(QStringLiteral("Kříž"), frame1);
    auto* logicGroup = new QButtonGroup(this);
    logicGroup->addButton(m_option1);
    logicGroup->addButton(m_option2);
    // Each option shows its reach: copy targets filled, jump targets ringed.
    auto* logicLayout = new QGridLayout(frame1);
    int row = 0;
    for (auto [option, directions] :
         {std::pair{m_option1, &Directions::star()}, std::pair{m_option2, &Directions::cross()}}) {
        auto* diagram = new QLabel(frame1);
        diagram->setPixmap(QPixmap::fromImage(reachDiagram(*directions)));
        diagram->setToolTip(QStringLiteral("Plně: kopie, rámeček: skok"));
        logicLayout->addWidget(option, row, 0);
        logicLayout->addWidget(diagram, row, 1);
        ++row;
    }
    logicLayout->setColumnStretch(2, 1);
    logicLayout->setHorizontalSpacing(24);
    m_option1->setChecked(true);

    auto* frame3 = new QGroupBox(QStringLiteral("Hrací pole"), this);
    frame3->setObjectName("Frame3");
    m_list1 = new QListWidget(frame3);
    m_list1->setObjectName("List1");
    m_list1->setMinimumHeight(96);
    m_command3 = new QPushButton(QStringLiteral("Editor"), frame3);
    m_command3->setObjectName("Command3");
    auto* boardLayout = new QHBoxLayout(frame3);
    boardLayout->addWidget(m_list1, 1);
    boardLayout->addWidget(m_command3, 0, Qt::AlignBottom);
    connect(m_list1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            selectBoard(row);
        }
    });
    connect(m_command3, &QPushButton::clicked, this, &SetupWindow::Command3_Click);

    m_command1 = new QPushButton(QStringLiteral("START"), this);
    m_command1->setObjectName("Command1");
    QFont startFont = m_command1->font();
    startFont.setBold(true);
    startFont.setPointSizeF(startFont.pointSizeF() * 1.3);
    m_command1->setFont(startFont);
    m_command1->setMinimumHeight(36);
    m_command1->setDefault(true);
    connect(m_command1, &QPushButton::clicked, this, &SetupWindow::Command1_Click);
    m_check2 = new QPushButton(QStringLiteral("Záznamy her"), this);
    m_check2->setObjectName("Check2");
    m_check2->setMinimumHeight(36);
    connect(m_check2, &QPushButton::clicked, this, &SetupWindow::Check2_Click);

    auto* grid = new QGridLayout;
    grid->addWidget(m_panels[0], 0, 0);
    grid->addWidget(m_panels[1], 0, 1);
    grid->addWidget(frame1, 1, 0);
    grid->addWidget(frame3, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    // A kept unfinished game: a button as big as START beside it.
    m_resume = new QPushButton(QStringLiteral("Pokračovat ve hře"), this);
    m_resume->setObjectName("Resume");
    m_resume->setFont(startFont);
    m_resume->setMinimumHeight(36);
    m_resume->setMinimumWidth(QFontMetrics(startFont).horizontalAdvance(m_resume->text()) + 32);
    m_resume->hide();
    connect(m_resume, &QPushButton::clicked, this, [this] {
        hide();
        emit resumeRequested();
    });
    m_note = new QLabel(this);
    m_note->setObjectName("ResumeNote");
    m_note->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_note->setMinimumHeight(m_note->fontMetrics().height());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_check2);
    buttons->addStretch();
    buttons->addWidget(m_resume, 0);
    buttons->addWidget(m_command1, 0);
    m_command1->setMinimumWidth(140);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(m_strip);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 4, 10, 0);
    body->addLayout(grid);
    body->addLayout(buttons);
    body->addWidget(m_note);
    layout->addLayout(body);
    setFixedSize(620, sizeHint().height() + 10);

    // Place the strip's children now that the width is known.
    m_strip->setPixmap(QPixmap::fromImage(
        setupTitleStrip(width(), kStripHeight, palette().color(QPalette::Button))));
    m_music->move(width() - 34, 8);
    version->adjustSize();
    version->move(width() - version->width() - 10, kStripHeight - version->height() - 4);
    // The logo starts as a narrow sliver and grows open (`Timer2`).
    m_check3->setGeometry((width() - kLogoWidth) / 2, (kStripHeight - kLogoHeight) / 2, 5, 10);
    m_timer2 = new QTimer(this);
    m_timer2->setObjectName("Timer2");
    m_timer2->setInterval(50);
    connect(m_timer2, &QTimer::timeout, this, &SetupWindow::Timer2_Timer);
}

void SetupWindow::connectPanel(int i) {
    PlayerPanel* p = m_panels[i];
    connect(p, &PlayerPanel::strengthChanged, this, [this, i] { FigDr(i); });
    connect(p, &PlayerPanel::previewClicked, this, [this, i] { openChooser(i); });
    connect(p, &PlayerPanel::nameEdited, this, [this, i](const QString& t) { nameEdited(i, t); });
    connect(p, &PlayerPanel::nameBoxClicked, this, [this, i] { nameBoxClicked(i); });
    connect(p, &PlayerPanel::knownPlayerPicked, this,
            [this, i](int index) { applyKnownPlayerToken(i, index); });
}

void SetupWindow::recolourMusicButton(const QColor& key) {
    QImage image = Artwork::musicButton();
    RecolourKeyColours(image, key, SystemColours::fromPalette(palette()));
    m_musicImage = image;
    m_music->setPixmap(QPixmap::fromImage(m_musicImage.copy(0, 0, 24, 22)));
}

bool SetupWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_music) {
        // A pressed-button effect: the lower half of the picture while the button is held.
        if (event->type() == QEvent::MouseButtonPress) {
            m_music->setPixmap(QPixmap::fromImage(m_musicImage.copy(0, 22, 24, 22)));
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_music->setPixmap(QPixmap::fromImage(m_musicImage.copy(0, 0, 24, 22)));
            emit musicToggleRequested();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SetupWindow::NastavNazvy() {
    m_panels[0]->setName(QString::fromUtf8(kDefaultName1));
    m_panels[1]->setName(QString::fromUtf8(kDefaultName2));
    m_panels[0]->setTitle(QStringLiteral("1. hráč"));
    m_panels[1]->setTitle(QStringLiteral("2. hráč"));
}

void SetupWindow::PruzkHer() {
    m_survey = tomelin::PruzkHer(m_store);
    QStringList names;
    for (const std::string& name : m_survey.setupPlayers) {
        names << QString::fromStdString(name);
    }
    for (PlayerPanel* p : m_panels) {
        p->setKnownPlayers(names);
    }
}

void SetupWindow::startLogoAnimation() {
    m_check3->resize(5, 10);
    m_timer2->start();
}

void SetupWindow::Timer2_Timer() {
    QSize size = m_check3->size();
    if (size.width() == 5 && size.height() < kLogoHeight) {
        size.setHeight(size.height() + 10);
    } else if (size.width() < kLogoWidth) {
        size.setWidth(static_cast<int>(size.width() * 1.2));
    }
    if (size.width() >= kLogoWidth) {
        size.setWidth(kLogoWidth);
        m_timer2->stop();
    }
    // The logo grows about its centre.
    m_check3->setGeometry((width() - size.width()) / 2, (kStripHeight - size.height()) / 2,
                          size.width(), size.height());
}

QString SetupWindow::logic() const {
    return m_option2->isChecked() ? "2" : "1";
}

void SetupWindow::updateSizeMenu(int windowHeight, int screenHeight) {
    m_menus->applySizeState(sizeMenuState(windowHeight, screenHeight));
}

void SetupWindow::Command1_Click() {
    if (!m_boards.isPlayable(selectedBoard()) && selectedBoard() < m_boards.size()) {
        const std::string& name = m_boards.names[static_cast<std::size_t>(selectedBoard())];
        showMessage(QString::fromUtf8(kUnplayableTitle),
                    QString::fromStdString(unplayableBoardText(name)));
        return;
    }
    StartRequest request;
    for (int i = 0; i < 2; ++i) {
        PlayerPanel* p = m_panels[i];
        const QString mended = mendReservedName(p->name());
        if (mended != p->name()) {
            p->setName(mended);
        }
        if (!p->isComputer() && p->name().isEmpty()) {
            p->setName(QString::fromUtf8(i == 0 ? kDefaultName1 : kDefaultName2));
        }
        request.setup.names[i] = p->identity().toStdString();
        request.setup.person[i] = !p->isComputer();
        request.setup.timeListPos[i] = p->isComputer() ? 0 : p->timeListPosition();
    }
    const int s = selectedBoard();
    if (s >= 0 && s < m_boards.size()) {
        request.setup.descriptor =
            QString::fromStdString(m_boards.strings[s] + "1").trimmed().toStdString();
        request.boardName = QString::fromStdString(m_boards.names[s]);
    }
    request.setup.logicLabel = logic().toStdString();
    applyToken(0);
    applyToken(1);
    request.tokens = m_tokens;
    // Two players with one look cannot tell their tokens apart on the board.
    if (sameLook(m_tokens[0].style, m_tokens[1].style)) {
        showMessage(kCaption, kSameTokens);
        return;
    }
    // Hidden first, so that a game window refusing the board can bring this window back.
    hide();
    emit startGame(request);
}

void SetupWindow::offerResume(const QString& summary) {
    m_resume->setToolTip(summary);
    m_resume->show();
    m_note->setText(QStringLiteral("Rozehraná hra: ") + summary);
}

void SetupWindow::withdrawResume() {
    m_resume->hide();
    // Only the offer's own line goes with it; a note on the store stays.
    if (m_note->text().startsWith(QStringLiteral("Rozehraná hra: ")))
        m_note->clear();
}

void SetupWindow::showNote(const QString& text) {
    m_note->setText(text);
}

void SetupWindow::returnFromGame() {
    PruzkHer();
    show();
    raise();
    activateWindow();
}

void SetupWindow::Check2_Click() {
    PruzkHer();
    if (m_survey.recordCount() == 0) {
        showMessage(kCaption, kNoRecords);
        return;
    }
    RecordsViewer viewer(m_survey, m_detailLevel, this);
    viewer.setCursor(Artwork::sharedCursor(7));
    runDialog(viewer);
}

void SetupWindow::Check3_Click() {
    emit aboutRequested();
    AboutWindow about(m_title, this);
    runDialog(about);
}

void SetupWindow::runDialog(QDialog& dialog) {
    if (m_runDialog) {
        m_runDialog(dialog);
    } else {
        dialog.exec();
    }
}

void SetupWindow::showMessage(const QString& title, const QString& text) {
    if (m_showMessage) {
        m_showMessage(title, text);
    } else {
        // A plain box: the text and OK, no icon.
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, this);
        box.exec();
    }
}

void SetupWindow::closeEvent(QCloseEvent* event) {
    emit quitRequested();
    event->accept();
}

}  // namespace tomelin
