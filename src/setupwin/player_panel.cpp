#include "setupwin/player_panel.h"

#include <QCoreApplication>

#include <QKeyEvent>

#include "gamewin/pressable.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "core/game.h"
#include "platform/draw/picture_box.h"
#include "records/survey.h"

namespace tomelin {
namespace {

constexpr int kPreviewHeight = 54;

QRadioButton* strengthOption(const QString& text, const QColor& background, QWidget* parent) {
    auto* option = new QRadioButton(text, parent);
    option->setAutoFillBackground(true);
    // The style's own indicator is dark on these dark rows: a white ring, a white dot when
    // chosen, and a dotted frame while it has the keyboard.
    option->setStyleSheet(
        QStringLiteral("QRadioButton { color: white; background: %1; padding: 2px 6px; "
                       "border: 1px solid %1; }"
                       "QRadioButton:focus { border: 1px dotted white; }"
                       "QRadioButton::indicator { width: 10px; height: 10px; border-radius: 7px; "
                       "border: 2px solid white; background: %1; }"
                       "QRadioButton::indicator:checked { background: qradialgradient(cx: 0.5, "
                       "cy: 0.5, radius: 0.5, fx: 0.5, fy: 0.5, stop: 0 white, stop: 0.55 white, "
                       "stop: 0.65 %1, stop: 1 %1); }"
                       "QRadioButton::indicator:disabled { border-color: #9a9a9a; }")
            .arg(background.name()));
    return option;
}

}  // namespace

PlayerPanel::PlayerPanel(int index, QWidget* parent)
    : QGroupBox(QCoreApplication::translate("PlayerPanel", "Hráč"), parent), m_index(index) {
    setObjectName(QStringLiteral("Frame6_%1").arg(index));
    // Made in this order, which is also the order the keyboard visits them.
    makeKindOptions();
    makePersonSettings();
    makeComputerSettings();
    makeTokenPreview();
    arrangeParts();
}

// "Člověk" or "Počítač".
void PlayerPanel::makeKindOptions() {
    Option19 = new QRadioButton(QCoreApplication::translate("PlayerPanel", "Člověk"), this);
    Option18 = new QRadioButton(QCoreApplication::translate("PlayerPanel", "Počítač"), this);
    Option19->setObjectName(QStringLiteral("Option19"));
    Option18->setObjectName(QStringLiteral("Option18"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(Option19);
    kinds->addButton(Option18);
}

// The person's name and time limit.
void PlayerPanel::makePersonSettings() {
    Frame4 = new QGroupBox(QCoreApplication::translate("PlayerPanel", "Člověk"), this);
    Text3 = new QComboBox(Frame4);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setEditable(true);
    Text3->setInsertPolicy(QComboBox::NoInsert);
    Text3->setEditText(QCoreApplication::translate("PlayerPanel", "Jméno"));
    Text3->lineEdit()->installEventFilter(this);
    Combo1 = new QComboBox(Frame4);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    for (const std::string& text : timeLimitTexts()) {
        Combo1->addItem(QString::fromStdString(text));
    }
    auto* form = new QGridLayout(Frame4);
    auto* nameLabel = new QLabel(QCoreApplication::translate("PlayerPanel", "Jméno:"), Frame4);
    nameLabel->setBuddy(Text3);
    Text3->setAccessibleName(QCoreApplication::translate("PlayerPanel", "Jméno %1. hráče").arg(m_index + 1));
    if (Text3->lineEdit() != nullptr)
        Text3->lineEdit()->setAccessibleName(Text3->accessibleName());
    form->addWidget(nameLabel, 0, 0);
    form->addWidget(Text3, 0, 1);
    auto* timeLabel = new QLabel(QCoreApplication::translate("PlayerPanel", "Čas na hru:"), Frame4);
    timeLabel->setBuddy(Combo1);
    Combo1->setAccessibleName(QCoreApplication::translate("PlayerPanel", "Čas na hru %1. hráče").arg(m_index + 1));
    form->addWidget(timeLabel, 1, 0);
    form->addWidget(Combo1, 1, 1);
    form->setColumnStretch(1, 1);
}

// The computer's four strengths and an external engine with its program.
void PlayerPanel::makeComputerSettings() {
    Frame7 = new QGroupBox(QCoreApplication::translate("PlayerPanel", "Inteligence počítače"), this);
    Option21 = strengthOption(QCoreApplication::translate("PlayerPanel", "Začátečník"), QColor(112, 112, 112), Frame7);
    Option22 = strengthOption(QCoreApplication::translate("PlayerPanel", "Profesionál"), QColor(88, 88, 88), Frame7);
    Option23 = strengthOption(QCoreApplication::translate("PlayerPanel", "Génius"), QColor(64, 64, 64), Frame7);
    Option24 = strengthOption(QCoreApplication::translate("PlayerPanel", "Velmistr"), QColor(36, 36, 36), Frame7);
    Option21->setObjectName(QStringLiteral("Option21"));
    Option22->setObjectName(QStringLiteral("Option22"));
    Option23->setObjectName(QStringLiteral("Option23"));
    Option24->setObjectName(QStringLiteral("Option24"));
    Option25 = strengthOption(tr("Engine UAI"), QColor(20, 40, 72), Frame7);
    Option25->setObjectName(QStringLiteral("Option25"));
    Option25->setAccessibleName(tr("Engine UAI %1. hráče").arg(m_index + 1));
    m_engines = new QComboBox(Frame7);
    m_engines->setObjectName(QStringLiteral("engineChoice"));
    m_engines->setAccessibleName(tr("Engine %1. hráče").arg(m_index + 1));
    m_engines->setEnabled(false);
    m_engineBrowse = new QPushButton(tr("Vybrat…"), Frame7);
    m_engineBrowse->setObjectName(QStringLiteral("engineBrowse"));
    m_engineBrowse->setAccessibleName(tr("Vybrat program enginu %1. hráče").arg(m_index + 1));
    m_engineBrowse->setAutoDefault(false);
    connect(m_engineBrowse, &QPushButton::clicked, this, &PlayerPanel::engineBrowseRequested);
    connect(Option25, &QRadioButton::toggled, m_engines, &QWidget::setEnabled);
    connect(m_engines, &QComboBox::currentIndexChanged, this, [this] {
        m_engines->setToolTip(m_engines->currentData().toString());
        if (isEngine())
            emit strengthChanged();
    });
    auto* strengths = new QButtonGroup(this);
    auto* strengthLayout = new QVBoxLayout(Frame7);
    strengthLayout->setSpacing(2);
    for (QRadioButton* option : {Option21, Option22, Option23, Option24, Option25}) {
        strengths->addButton(option);
        strengthLayout->addWidget(option);
        option->installEventFilter(this);
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                emit strengthChanged();
            }
        });
    }

    auto* engineRow = new QHBoxLayout;
    engineRow->addWidget(m_engines, 1);
    engineRow->addWidget(m_engineBrowse);
    strengthLayout->addLayout(engineRow);
}

// The token's preview, which opens the token chooser.
void PlayerPanel::makeTokenPreview() {
    Picture2 = new QFrame(this);
    Picture2->setFocusPolicy(Qt::StrongFocus);
    static_cast<QFrame*>(Picture2)->setFrameShape(QFrame::StyledPanel);
    // Space or Return opens the token chooser as a click on the picture does; the frame
    // turns the selection colour while it has the keyboard.
    Picture2->setStyleSheet(
        QStringLiteral("QFrame:focus { border: 3px solid palette(highlight); }"));
    Picture2->installEventFilter(this);
    markPressable(*Picture2, QCoreApplication::translate("PlayerPanel", "Figurka %1. hráče").arg(m_index + 1));
    Picture7 = new PictureBox(Picture2, rgb(0, 0, 0));
    Picture7->setObjectName(QStringLiteral("Picture7"));
    Picture7->setToolTip(QCoreApplication::translate("PlayerPanel", "Změnit figurku"));
    Picture7->setFixedSize(kPreviewHeight / 3 * 4, kPreviewHeight);
    Picture7->setCursor(Qt::PointingHandCursor);
    auto* previewLayout = new QVBoxLayout(Picture2);
    previewLayout->setContentsMargins(6, 6, 6, 6);
    previewLayout->addWidget(Picture7);
    connect(Picture7, &PictureBox::pressed, this, [this](QPointF, Qt::MouseButton button) {
        if (button == Qt::LeftButton) {
            emit previewClicked();
        }
    });
}

// The parts in their places, and the kind and name choices connected.
void PlayerPanel::arrangeParts() {
    // The person's and the computer's settings share one place; only one is shown.
    auto* settings = new QWidget(this);
    auto* stack = new QStackedLayout(settings);
    stack->addWidget(Frame4);
    stack->addWidget(Frame7);
    stack->setStackingMode(QStackedLayout::StackAll);

    auto* kindRow = new QVBoxLayout;
    kindRow->addWidget(Option19);
    kindRow->addWidget(Option18);
    kindRow->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(kindRow);
    top->addStretch();
    top->addWidget(Picture2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(settings);

    connect(Option19, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            kindChanged();
        }
    });
    connect(Option18, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            kindChanged();
        }
    });
    connect(Text3, &QComboBox::editTextChanged, this, &PlayerPanel::nameEdited);
    connect(Text3, &QComboBox::activated, this, &PlayerPanel::knownPlayerPicked);
    Frame7->hide();
}

bool PlayerPanel::isComputer() const {
    return Option18->isChecked();
}

int PlayerPanel::strengthMark() const {
    if (!isComputer() || isEngine()) {
        return 0;
    }
    if (Option21->isChecked())
        return 1;
    if (Option23->isChecked())
        return 3;
    if (Option24->isChecked())
        return kMasterKind;
    return 2;
}

QString PlayerPanel::identity() const {
    if (isEngine())
        return m_engines->currentText();
    const int mark = strengthMark();
    return mark == 0 ? name() : QString::fromUtf8(kComputerNames[mark - 1]);
}

bool PlayerPanel::engineChosen() const {
    return isComputer() && Option25->isChecked();
}

bool PlayerPanel::isEngine() const {
    return engineChosen() && m_engines->currentIndex() >= 0;
}

QString PlayerPanel::enginePath() const {
    return isEngine() ? m_engines->currentData().toString() : QString();
}

void PlayerPanel::setKnownEngines(const std::vector<KnownEngine>& engines, const QString& select) {
    const QString chosen = select.isEmpty() ? m_engines->currentData().toString() : select;
    {
        const QSignalBlocker block(m_engines);
        m_engines->clear();
        for (const KnownEngine& engine : engines)
            m_engines->addItem(QString::fromStdString(engine.name), QString::fromStdString(engine.path));
        m_engines->setCurrentIndex(std::max(0, m_engines->findData(chosen)));
        if (engines.empty())
            m_engines->setCurrentIndex(-1);
    }
    m_engines->setToolTip(m_engines->currentData().toString());
    if (!select.isEmpty() && m_engines->currentIndex() >= 0 && Option25->isEnabled())
        Option25->setChecked(true);
    emit strengthChanged();
}

void PlayerPanel::setEngineUnavailable(const QString& why) {
    const bool allowed = why.isEmpty();
    if (!allowed && Option25->isChecked())
        Option22->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(Option25), static_cast<QWidget*>(m_engineBrowse)}) {
        w->setEnabled(allowed);
        w->setToolTip(why);
    }
    m_engines->setEnabled(allowed && Option25->isChecked());
}

QString PlayerPanel::name() const {
    // The default names are shown in the chosen language and stored in Czech, so that the
    // records know them for the anonymous players in every language.
    const QString text = Text3->currentText();
    for (const char* stored : {kDefaultName1, kDefaultName2}) {
        if (text == QCoreApplication::translate("Players", stored))
            return QString::fromUtf8(stored);
    }
    return text;
}

void PlayerPanel::setName(const QString& name) {
    const QByteArray stored = name.toUtf8();
    Text3->setEditText(stored == kDefaultName1 || stored == kDefaultName2
                           ? QCoreApplication::translate("Players", stored.constData())
                           : name);
}

int PlayerPanel::timeListPosition() const {
    return std::max(0, Combo1->currentIndex());
}

void PlayerPanel::mendNameForStart() {
    const QString typed = name();
    QString mended = typed;
    if (typed.toLower() == QStringLiteral("nerozhodně")) {
        mended = QStringLiteral("Rozhodně");
    } else if (typed.left(3).toLower() == QStringLiteral("pc ")) {
        mended = QStringLiteral(":-) ") + typed.mid(3);
    }
    if (mended != typed) {
        setName(mended);
    }
    if (!isComputer() && name().isEmpty()) {
        setName(QString::fromUtf8(m_index == 0 ? kDefaultName1 : kDefaultName2));
    }
}

void PlayerPanel::setTimeListPosition(int position) {
    Combo1->setCurrentIndex(position);
}

void PlayerPanel::allowComputer() {
    Option18->setEnabled(true);
}

int PlayerPanel::knownPlayerIndex(const QString& name) const {
    return Text3->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void PlayerPanel::offerDefaultName() {
    if (Text3->currentText().isEmpty()) {
        Text3->setEditText(
            QCoreApplication::translate("Players", m_index == 0 ? kDefaultName1 : kDefaultName2));
        Text3->lineEdit()->setSelection(0, 100);
    }
}

void PlayerPanel::showToken(const PlayerStyle& style, int detailLevel, RandomSource& random) {
    Picture7->clearPicture();
    drawToken(Picture7->surface(), {0, 0, static_cast<double>(Picture7->height())},
              {.shape = style.shape, .colour = style.colour, .playerKind = strengthMark(),
               .detailLevel = detailLevel},
              random);
}

void PlayerPanel::chooseHuman() {
    Option19->setChecked(true);
}

void PlayerPanel::chooseComputer() {
    if (Option18->isChecked()) {
        kindChanged();
    } else {
        Option18->setChecked(true);
    }
}

void PlayerPanel::chooseStrength(int strength) {
    QRadioButton* options[4] = {Option21, Option22, Option23, Option24};
    options[std::clamp(strength, 1, kMasterKind) - 1]->setChecked(true);
}

void PlayerPanel::setKnownPlayers(const QStringList& names) {
    const QString text = Text3->currentText();
    const QSignalBlocker block(Text3);
    Text3->clear();
    Text3->addItems(names);
    Text3->setCurrentIndex(-1);
    Text3->setEditText(text);
}

void PlayerPanel::kindChanged() {
    const bool computer = isComputer();
    Frame7->setVisible(computer);
    Frame4->setVisible(!computer);
    if (computer) {
        // A new computer player always starts as "Profesionál" with no time limit.
        Option22->setChecked(true);
        Combo1->setCurrentIndex(0);
    }
    emit strengthChanged();
}

bool PlayerPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture2 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
            key->key() == Qt::Key_Enter) {
            emit previewClicked();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == Text3->lineEdit()) {
            emit nameBoxClicked();
        } else if (watched == Option21 || watched == Option22 || watched == Option23 ||
                   watched == Option24 || watched == Option25) {
            Picture2->setFocus();
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace tomelin
