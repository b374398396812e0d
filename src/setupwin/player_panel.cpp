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
    m_personOption = new QRadioButton(QCoreApplication::translate("PlayerPanel", "Člověk"), this);
    m_computerOption =
        new QRadioButton(QCoreApplication::translate("PlayerPanel", "Počítač"), this);
    m_personOption->setObjectName(QStringLiteral("Option19"));
    m_computerOption->setObjectName(QStringLiteral("Option18"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(m_personOption);
    kinds->addButton(m_computerOption);
}

// The person's name and time limit.
void PlayerPanel::makePersonSettings() {
    m_personBox = new QGroupBox(QCoreApplication::translate("PlayerPanel", "Člověk"), this);
    m_nameBox = new QComboBox(m_personBox);
    m_nameBox->setObjectName(QStringLiteral("Text3"));
    m_nameBox->setEditable(true);
    m_nameBox->setInsertPolicy(QComboBox::NoInsert);
    m_nameBox->setEditText(QCoreApplication::translate("PlayerPanel", "Jméno"));
    m_nameBox->lineEdit()->installEventFilter(this);
    m_timeList = new QComboBox(m_personBox);
    m_timeList->setObjectName(QStringLiteral("Combo1"));
    for (const std::string& text : timeLimitTexts()) {
        m_timeList->addItem(QString::fromStdString(text));
    }
    auto* form = new QGridLayout(m_personBox);
    auto* nameLabel = new QLabel(QCoreApplication::translate("PlayerPanel", "Jméno:"), m_personBox);
    nameLabel->setBuddy(m_nameBox);
    m_nameBox->setAccessibleName(
        QCoreApplication::translate("PlayerPanel", "Jméno %1. hráče").arg(m_index + 1));
    if (m_nameBox->lineEdit() != nullptr)
        m_nameBox->lineEdit()->setAccessibleName(m_nameBox->accessibleName());
    form->addWidget(nameLabel, 0, 0);
    form->addWidget(m_nameBox, 0, 1);
    auto* timeLabel =
        new QLabel(QCoreApplication::translate("PlayerPanel", "Čas na hru:"), m_personBox);
    timeLabel->setBuddy(m_timeList);
    m_timeList->setAccessibleName(
        QCoreApplication::translate("PlayerPanel", "Čas na hru %1. hráče").arg(m_index + 1));
    form->addWidget(timeLabel, 1, 0);
    form->addWidget(m_timeList, 1, 1);
    form->setColumnStretch(1, 1);
}

// The computer's four strengths and an external engine with its program.
void PlayerPanel::makeComputerSettings() {
    m_strengthBox =
        new QGroupBox(QCoreApplication::translate("PlayerPanel", "Inteligence počítače"), this);
    m_beginnerOption = strengthOption(QCoreApplication::translate("PlayerPanel", "Začátečník"),
                                      QColor(112, 112, 112), m_strengthBox);
    m_professionalOption = strengthOption(QCoreApplication::translate("PlayerPanel", "Profesionál"),
                                          QColor(88, 88, 88), m_strengthBox);
    m_geniusOption = strengthOption(QCoreApplication::translate("PlayerPanel", "Génius"),
                                    QColor(64, 64, 64), m_strengthBox);
    m_masterOption = strengthOption(QCoreApplication::translate("PlayerPanel", "Velmistr"),
                                    QColor(36, 36, 36), m_strengthBox);
    m_beginnerOption->setObjectName(QStringLiteral("Option21"));
    m_professionalOption->setObjectName(QStringLiteral("Option22"));
    m_geniusOption->setObjectName(QStringLiteral("Option23"));
    m_masterOption->setObjectName(QStringLiteral("Option24"));
    m_engineOption = strengthOption(tr("Engine UAI"), QColor(20, 40, 72), m_strengthBox);
    m_engineOption->setObjectName(QStringLiteral("Option25"));
    m_engineOption->setAccessibleName(tr("Engine UAI %1. hráče").arg(m_index + 1));
    m_engines = new QComboBox(m_strengthBox);
    m_engines->setObjectName(QStringLiteral("engineChoice"));
    m_engines->setAccessibleName(tr("Engine %1. hráče").arg(m_index + 1));
    m_engines->setEnabled(false);
    m_engineBrowse = new QPushButton(tr("Vybrat…"), m_strengthBox);
    m_engineBrowse->setObjectName(QStringLiteral("engineBrowse"));
    m_engineBrowse->setAccessibleName(tr("Vybrat program enginu %1. hráče").arg(m_index + 1));
    m_engineBrowse->setAutoDefault(false);
    connect(m_engineBrowse, &QPushButton::clicked, this, &PlayerPanel::engineBrowseRequested);
    connect(m_engineOption, &QRadioButton::toggled, m_engines, &QWidget::setEnabled);
    connect(m_engines, &QComboBox::currentIndexChanged, this, [this] {
        m_engines->setToolTip(m_engines->currentData().toString());
        if (isEngine())
            emit strengthChanged();
    });
    auto* strengths = new QButtonGroup(this);
    auto* strengthLayout = new QVBoxLayout(m_strengthBox);
    strengthLayout->setSpacing(2);
    for (QRadioButton* option :
         {m_beginnerOption, m_professionalOption, m_geniusOption, m_masterOption, m_engineOption}) {
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
    m_previewFrame = new QFrame(this);
    m_previewFrame->setFocusPolicy(Qt::StrongFocus);
    static_cast<QFrame*>(m_previewFrame)->setFrameShape(QFrame::StyledPanel);
    // Space or Return opens the token chooser as a click on the picture does; the frame
    // turns the selection colour while it has the keyboard.
    m_previewFrame->setStyleSheet(
        QStringLiteral("QFrame:focus { border: 3px solid palette(highlight); }"));
    m_previewFrame->installEventFilter(this);
    markPressable(*m_previewFrame,
                  QCoreApplication::translate("PlayerPanel", "Figurka %1. hráče").arg(m_index + 1));
    m_preview = new PictureBox(m_previewFrame, rgb(0, 0, 0));
    m_preview->setObjectName(QStringLiteral("Picture7"));
    m_preview->setToolTip(QCoreApplication::translate("PlayerPanel", "Změnit figurku"));
    m_preview->setFixedSize(kPreviewHeight / 3 * 4, kPreviewHeight);
    m_preview->setCursor(Qt::PointingHandCursor);
    auto* previewLayout = new QVBoxLayout(m_previewFrame);
    previewLayout->setContentsMargins(6, 6, 6, 6);
    previewLayout->addWidget(m_preview);
    connect(m_preview, &PictureBox::pressed, this, [this](QPointF, Qt::MouseButton button) {
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
    stack->addWidget(m_personBox);
    stack->addWidget(m_strengthBox);
    stack->setStackingMode(QStackedLayout::StackAll);

    auto* kindRow = new QVBoxLayout;
    kindRow->addWidget(m_personOption);
    kindRow->addWidget(m_computerOption);
    kindRow->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(kindRow);
    top->addStretch();
    top->addWidget(m_previewFrame);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(settings);

    connect(m_personOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            kindChanged();
        }
    });
    connect(m_computerOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            kindChanged();
        }
    });
    connect(m_nameBox, &QComboBox::editTextChanged, this, &PlayerPanel::nameEdited);
    connect(m_nameBox, &QComboBox::activated, this, &PlayerPanel::knownPlayerPicked);
    m_strengthBox->hide();
}

bool PlayerPanel::isComputer() const {
    return m_computerOption->isChecked();
}

int PlayerPanel::strengthMark() const {
    if (!isComputer() || isEngine()) {
        return 0;
    }
    if (m_beginnerOption->isChecked())
        return 1;
    if (m_geniusOption->isChecked())
        return 3;
    if (m_masterOption->isChecked())
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
    return isComputer() && m_engineOption->isChecked();
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
            m_engines->addItem(QString::fromStdString(engine.name),
                               QString::fromStdString(engine.path));
        m_engines->setCurrentIndex(std::max(0, m_engines->findData(chosen)));
        if (engines.empty())
            m_engines->setCurrentIndex(-1);
    }
    m_engines->setToolTip(m_engines->currentData().toString());
    if (!select.isEmpty() && m_engines->currentIndex() >= 0 && m_engineOption->isEnabled())
        m_engineOption->setChecked(true);
    emit strengthChanged();
}

void PlayerPanel::setEngineUnavailable(const QString& why) {
    const bool allowed = why.isEmpty();
    if (!allowed && m_engineOption->isChecked())
        m_professionalOption->setChecked(true);
    for (QWidget* w :
         {static_cast<QWidget*>(m_engineOption), static_cast<QWidget*>(m_engineBrowse)}) {
        w->setEnabled(allowed);
        w->setToolTip(why);
    }
    m_engines->setEnabled(allowed && m_engineOption->isChecked());
}

QString PlayerPanel::name() const {
    // The default names are shown in the chosen language and stored in Czech, so that the
    // records know them for the anonymous players in every language.
    const QString text = m_nameBox->currentText();
    for (const char* stored : {kDefaultName1, kDefaultName2}) {
        if (text == QCoreApplication::translate("Players", stored))
            return QString::fromUtf8(stored);
    }
    return text;
}

void PlayerPanel::setName(const QString& name) {
    const QByteArray stored = name.toUtf8();
    m_nameBox->setEditText(stored == kDefaultName1 || stored == kDefaultName2
                               ? QCoreApplication::translate("Players", stored.constData())
                               : name);
}

int PlayerPanel::timeListPosition() const {
    return std::max(0, m_timeList->currentIndex());
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
    m_timeList->setCurrentIndex(position);
}

void PlayerPanel::allowComputer() {
    m_computerOption->setEnabled(true);
}

int PlayerPanel::knownPlayerIndex(const QString& name) const {
    return m_nameBox->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void PlayerPanel::offerDefaultName() {
    if (m_nameBox->currentText().isEmpty()) {
        m_nameBox->setEditText(
            QCoreApplication::translate("Players", m_index == 0 ? kDefaultName1 : kDefaultName2));
        m_nameBox->lineEdit()->setSelection(0, 100);
    }
}

void PlayerPanel::showToken(const PlayerStyle& style, int detailLevel, RandomSource& random) {
    m_preview->clearPicture();
    drawToken(m_preview->surface(), {0, 0, static_cast<double>(m_preview->height())},
              {.shape = style.shape,
               .colour = style.colour,
               .playerKind = strengthMark(),
               .detailLevel = detailLevel},
              random);
}

void PlayerPanel::chooseHuman() {
    m_personOption->setChecked(true);
}

void PlayerPanel::chooseComputer() {
    if (m_computerOption->isChecked()) {
        kindChanged();
    } else {
        m_computerOption->setChecked(true);
    }
}

void PlayerPanel::chooseStrength(int strength) {
    QRadioButton* options[4] = {m_beginnerOption, m_professionalOption, m_geniusOption,
                                m_masterOption};
    options[std::clamp(strength, 1, kMasterKind) - 1]->setChecked(true);
}

void PlayerPanel::setKnownPlayers(const QStringList& names) {
    const QString text = m_nameBox->currentText();
    const QSignalBlocker block(m_nameBox);
    m_nameBox->clear();
    m_nameBox->addItems(names);
    m_nameBox->setCurrentIndex(-1);
    m_nameBox->setEditText(text);
}

void PlayerPanel::kindChanged() {
    const bool computer = isComputer();
    m_strengthBox->setVisible(computer);
    m_personBox->setVisible(!computer);
    if (computer) {
        // A new computer player always starts as "Profesionál" with no time limit.
        m_professionalOption->setChecked(true);
        m_timeList->setCurrentIndex(0);
    }
    emit strengthChanged();
}

bool PlayerPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_previewFrame && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
            key->key() == Qt::Key_Enter) {
            emit previewClicked();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_nameBox->lineEdit()) {
            emit nameBoxClicked();
        } else if (watched == m_beginnerOption || watched == m_professionalOption ||
                   watched == m_geniusOption || watched == m_masterOption ||
                   watched == m_engineOption) {
            m_previewFrame->setFocus();
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace tomelin
