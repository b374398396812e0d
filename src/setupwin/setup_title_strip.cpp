#include "setupwin/setup_title_strip.h"

#include <QCoreApplication>

#include <QEvent>
#include <algorithm>
#include <QIcon>
#include <QPushButton>
#include <QTimer>

#include <QKeyEvent>

#include "gamewin/pressable.h"
#include "setupwin/artwork.h"
#include "setupwin/key_colours.h"

namespace tomelin {

SetupTitleStrip::SetupTitleStrip(QWidget* parent)
    : QLabel(parent), m_logo(Artwork::logo()), m_musicImage(Artwork::musicButton()) {
    setObjectName("Picture1");
    setFixedHeight(kHeight);
    m_check3 = new QPushButton(this);
    m_check3->setObjectName("Check3");
    m_check3->setFlat(true);
    m_check3->setIcon(QIcon(m_logo));
    m_check3->setIconSize(m_logo.size());
    m_check3->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; }"));
    m_check3->setToolTip(QCoreApplication::translate("SetupTitleStrip", "O programu"));
    m_check3->setAccessibleName(QCoreApplication::translate("SetupTitleStrip", "O programu"));
    m_check3->resize(kLogoWidth, kLogoHeight);
    connect(m_check3, &QPushButton::clicked, this, &SetupTitleStrip::logoClicked);
    m_music = new QLabel(this);
    m_music->setObjectName("Picture12");
    m_music->setToolTip(QCoreApplication::translate("SetupTitleStrip", "Hudba"));
    m_music->setFixedSize(24, 22);
    m_music->installEventFilter(this);
    // A button to the keyboard (Space or Return) and to screen readers; a frame shows focus.
    m_music->setFocusPolicy(Qt::TabFocus);
    m_music->setStyleSheet(QStringLiteral("QLabel:focus { border: 1px dotted black; }"));
    markPressable(*m_music, QCoreApplication::translate("SetupTitleStrip", "Hudba"));
    recolourMusicButton(toolbarKeyColour(SystemColours::fromPalette(palette())));
    m_version = new QLabel(this);
    m_version->setObjectName("Label2");
    // The version is shown as four separate characters, as the four labels of the design.
    m_version->setText(QStringLiteral("1") + QStringLiteral(".") + QStringLiteral("5") +
                       QStringLiteral("5"));
    m_version->setStyleSheet(QStringLiteral("color: #303030; font-weight: bold;"));
    m_timer2 = new QTimer(this);
    m_timer2->setObjectName("Timer2");
    m_timer2->setInterval(50);
    connect(m_timer2, &QTimer::timeout, this, &SetupTitleStrip::growLogoStep);
}

void SetupTitleStrip::placeFor(int width) {
    m_width = width;
    setPixmap(QPixmap::fromImage(
        setupTitleStrip(width, kHeight, palette().color(QPalette::Button))));
    m_music->move(width - 34, 8);
    m_version->adjustSize();
    m_version->move(width - m_version->width() - 10, kHeight - m_version->height() - 4);
    // Dark grey on the strip; lighter where the desktop's buttons make the strip dark. The
    // strip runs from top to bottom, so its first and last rows under the text bound it.
    const QImage strip = pixmap().toImage();
    const QColor wanted(0x30, 0x30, 0x30);
    QColor colour = wanted;
    for (const int y : {m_version->y(), m_version->y() + m_version->height() - 1}) {
        const QColor behind = strip.pixelColor(std::clamp(m_version->x(), 0, strip.width() - 1),
                                               std::clamp(y, 0, strip.height() - 1));
        if (contrastRatio(colour, behind) < 4.5)
            colour = readableOn(wanted, behind);
    }
    m_version->setStyleSheet(
        QStringLiteral("color: %1; font-weight: bold;").arg(colour.name()));
    m_check3->setGeometry((width - kLogoWidth) / 2, (kHeight - kLogoHeight) / 2, 5, 10);
}

void SetupTitleStrip::startLogoAnimation() {
    m_check3->resize(5, 10);
    m_timer2->start();
}

void SetupTitleStrip::growLogoStep() {
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
    m_check3->setGeometry((m_width - size.width()) / 2, (kHeight - size.height()) / 2,
                          size.width(), size.height());
}

void SetupTitleStrip::recolourMusicButton(const QColor& key) {
    QImage image = Artwork::musicButton();
    RecolourKeyColours(image, key, SystemColours::fromPalette(palette()));
    m_musicImage = image;
    m_music->setPixmap(QPixmap::fromImage(m_musicImage.copy(0, 0, 24, 22)));
}

bool SetupTitleStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_music) {
        // A pressed-button effect: the lower half of the picture while the button is held.
        const auto* key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease
                              ? static_cast<QKeyEvent*>(event)
                              : nullptr;
        const bool pressKey = key != nullptr && !key->isAutoRepeat() &&
                              (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
                               key->key() == Qt::Key_Enter);
        if (event->type() == QEvent::MouseButtonPress ||
            (pressKey && event->type() == QEvent::KeyPress)) {
            m_music->setPixmap(QPixmap::fromImage(m_musicImage.copy(0, 22, 24, 22)));
            return pressKey;
        }
        if (event->type() == QEvent::MouseButtonRelease ||
            (pressKey && event->type() == QEvent::KeyRelease)) {
            m_music->setPixmap(QPixmap::fromImage(m_musicImage.copy(0, 0, 24, 22)));
            emit musicClicked();
            return pressKey;
        }
    }
    return QLabel::eventFilter(watched, event);
}

}  // namespace tomelin
