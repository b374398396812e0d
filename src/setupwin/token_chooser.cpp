#include "setupwin/token_chooser.h"

#include <QCoreApplication>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/draw/ui_text.h"
#include "platform/draw/picture_box.h"
#include "setupwin/title_room.h"

namespace tomelin {
namespace {

const UiText kCaptionPrefix{"TokenChooser", QT_TRANSLATE_NOOP("TokenChooser", "Výběr figurky hráče")};
const UiText kShapeTip{"TokenChooser", QT_TRANSLATE_NOOP("TokenChooser", "Tvar žetonu")};
const UiText kTakenNote{"TokenChooser", QT_TRANSLATE_NOOP("TokenChooser", "Tuto figurku už má %1. hráč.")};
constexpr int kPreviewHeight = 66;

}  // namespace

const std::array<QString, 8>& TokenChooser::shapeNames() {
    static const std::array<QString, 8> names = {
        QCoreApplication::translate("TokenChooser", "Obdélník"),  QCoreApplication::translate("TokenChooser", "Trojúhelník"), QCoreApplication::translate("TokenChooser", "Šestiúhelník"),
        QCoreApplication::translate("TokenChooser", "Čtverečky"), QCoreApplication::translate("TokenChooser", "Ovál"),        QCoreApplication::translate("TokenChooser", "Hvězda"),
        QCoreApplication::translate("TokenChooser", "Kroužky"),   QCoreApplication::translate("TokenChooser", "Políčko")};
    return names;
}

TokenChooser::TokenChooser(int detailLevel, RandomSource& random, QWidget* parent)
    : QDialog(parent), m_detailLevel(detailLevel), m_random(random) {
    setObjectName("frmVyb");
    setWindowTitle(QCoreApplication::translate("TokenChooser", "Výběr figurky"));
    setModal(true);

    m_combo = new QComboBox(this);
    m_combo->setObjectName("Combo1");
    m_combo->setToolTip(kShapeTip);
    m_combo->setAccessibleName(kShapeTip);
    m_preview = new PictureBox(this, rgb(0, 0, 0));
    m_preview->setObjectName("Picture2");
    m_preview->setAccessibleName(QCoreApplication::translate("TokenChooser", "Náhled figurky"));
    m_preview->setFixedSize(kPreviewHeight / 3 * 4, kPreviewHeight);
    m_swatch = new QLabel(this);
    m_swatch->setObjectName("Picture3");
    m_swatch->setFixedSize(kPreviewHeight / 3 * 4, 22);
    m_swatch->setFrameShape(QFrame::Box);
    m_swatch->setAutoFillBackground(true);

    auto* sliders = new QGridLayout;
    const char* channelNames[3] = {"R", "G", "B"};
    for (int c = 0; c < 3; ++c) {
        auto* bar = new QScrollBar(Qt::Vertical, this);
        bar->setObjectName(QStringLiteral("VScroll1_%1").arg(c));
        bar->setRange(0, kChannelSteps - 1);
        bar->setPageStep(1);
        bar->setFixedHeight(kPreviewHeight + 22 + 6);
        auto* label = new QLabel(QString::fromLatin1(channelNames[c]), this);
        label->setAlignment(Qt::AlignCenter);
        sliders->addWidget(label, 0, c);
        sliders->addWidget(bar, 1, c, Qt::AlignHCenter);
        // The channel's value under its slider (0 ... 255).
        auto* value = new QLabel(this);
        value->setObjectName(QStringLiteral("value%1").arg(c));
        value->setAlignment(Qt::AlignCenter);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("255")) + 4);
        sliders->addWidget(value, 2, c);
        m_values[c] = value;
        m_sliders[c] = bar;
        static const char* const spoken[3] = {QT_TRANSLATE_NOOP("TokenChooser", "Červená"),
                                              QT_TRANSLATE_NOOP("TokenChooser", "Zelená"),
                                              QT_TRANSLATE_NOOP("TokenChooser", "Modrá")};
        bar->setAccessibleName(QCoreApplication::translate("TokenChooser", spoken[c]));
        bar->setFocusPolicy(Qt::StrongFocus);
        connect(bar, &QScrollBar::valueChanged, this, &TokenChooser::sliderChanged);
    }

    m_taken = new QLabel(this);
    m_taken->setObjectName("takenNote");
    m_taken->setWordWrap(true);
    QFont takenFont = m_taken->font();
    takenFont.setBold(true);
    m_taken->setFont(takenFont);
    m_taken->hide();

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName("Command1");
    m_ok->setDefault(true);

    m_timer = new QTimer(this);
    m_timer->setObjectName("Timer1");
    m_timer->setInterval(kPreviewDelayMs);
    connect(m_timer, &QTimer::timeout, this, &TokenChooser::redrawPreview);
    connect(m_combo, &QComboBox::currentIndexChanged, this, [this] {
        redrawPreview();
        showTaken();
    });
    connect(m_preview, &PictureBox::pressed, this, [this] { redrawPreview(); });
    connect(m_ok, &QPushButton::clicked, this, &TokenChooser::confirm);

    auto* left = new QVBoxLayout;
    left->addWidget(m_combo);
    left->addWidget(m_preview, 0, Qt::AlignHCenter);
    left->addWidget(m_swatch, 0, Qt::AlignHCenter);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addSpacing(8);
    top->addLayout(sliders);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(top);
    layout->addWidget(m_taken);
    layout->addWidget(m_ok);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Wide enough for the longest title it gets, "Výběr figurky hráče 2".
    layout->addStrut(titleRoom(QStringLiteral("%1 %2").arg(kCaptionPrefix.text()).arg(2)));
    sliderChanged();
    m_timer->stop();
}

void TokenChooser::load(int playerIndex, const PlayerStyle& current, int strengthMark,
                        const std::optional<PlayerStyle>& other) {
    m_strengthMark = strengthMark;
    m_other = other;
    m_taken->setText(kTakenNote.text().arg(playerIndex == 0 ? 2 : 1));
    {
        const QSignalBlocker block(m_combo);
        m_combo->clear();
        for (const QString& name : shapeNames()) {
            m_combo->addItem(name);
        }
    }
    setWindowTitle(QStringLiteral("%1 %2").arg(kCaptionPrefix.text()).arg(playerIndex + 1));
    const ChannelIndices indices = channelIndices(current.colour);
    for (int c = 0; c < 3; ++c) {
        m_sliders[c]->setValue(indices[c]);
    }
    m_combo->setCurrentIndex(validShape(current.shape) - 1);
    showTaken();
}

bool TokenChooser::takenByOther() const {
    return m_other && validShape(m_other->shape) == shape() &&
           colourOfIndices(channelIndices(m_other->colour)) == colour();
}

void TokenChooser::showTaken() {
    m_taken->setVisible(takenByOther());
}

AppliedToken TokenChooser::SetFigur(bool computer) const {
    AppliedToken token;
    const ChannelIndices indices = sliders();
    token.colourClass = tokenColourClass(indices, computer);
    token.icon = playerIconIndex(token.colourClass, computer);
    token.style.colour = colour();
    token.style.shape = shape();
    token.style.secondColour = highlightColour(token.colourClass);
    return token;
}

int TokenChooser::player() const {
    const QString caption = windowTitle();
    return caption.endsWith(QLatin1Char('2')) ? 2 : 1;
}

int TokenChooser::shape() const {
    return validShape(m_combo->currentIndex() + 1);
}

Rgb TokenChooser::colour() const {
    return colourOfIndices(sliders());
}

ChannelIndices TokenChooser::sliders() const {
    return {m_sliders[0]->value(), m_sliders[1]->value(), m_sliders[2]->value()};
}

void TokenChooser::sliderChanged() {
    const ChannelIndices indices = sliders();
    for (int c = 0; c < 3; ++c) {
        if (m_values[c] != nullptr)
            m_values[c]->setText(QString::number(channelValue(indices[c])));
    }
    QPalette palette = m_swatch->palette();
    palette.setColor(QPalette::Window, toQColor(colour()));
    m_swatch->setPalette(palette);
    m_timer->start();
    if (m_taken)
        showTaken();
}

void TokenChooser::redrawPreview() {
    m_preview->clearPicture();
    drawToken(m_preview->surface(), {0, 0, static_cast<double>(m_preview->height())},
              {.shape = shape(), .colour = colour(), .playerKind = m_strengthMark,
               .detailLevel = m_detailLevel},
              m_random);
    m_timer->stop();
}

bool TokenChooser::previewPending() const {
    return m_timer->isActive();
}

void TokenChooser::confirm() {
    const int p = player();
    emit confirmed(p);
    m_preview->clearPicture();
    accept();
}

}  // namespace tomelin
