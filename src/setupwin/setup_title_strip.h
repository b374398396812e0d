#pragma once
// `Picture1`: the setup window's title strip with the logo button (`Check3`), which opens the
// About window and grows open at start-up (`Timer2`), the music button (`Picture12`) and
// the version (`Label2`).

#include <QImage>
#include <QLabel>
#include <QPixmap>

class QPushButton;
class QTimer;

namespace tomelin {

// Its parts keep their object names "Check3", "Picture12", "Label2" and "Timer2".
class SetupTitleStrip : public QLabel {
    Q_OBJECT
public:
    static constexpr int kHeight = 64;
    static constexpr int kLogoWidth = 264;
    static constexpr int kLogoHeight = 50;

    explicit SetupTitleStrip(QWidget* parent);

    // Paints the strip for a window `width` wide and places the buttons and the version;
    // the logo starts as a narrow sliver.
    void placeFor(int width);
    // `Timer2`: the logo button grows open, 50 ms a step.
    void startLogoAnimation();
    // One step of it (`Timer2_Timer`).
    void growLogoStep();
    // Recolours the music button's key colours (start-up, with the system colours).
    void recolourMusicButton(const QColor& key);

signals:
    void logoClicked();
    void musicClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_width = 0;
    QPixmap m_logo;
    QImage m_musicImage;
    QPushButton* m_check3 = nullptr;
    QLabel* m_music = nullptr;
    QLabel* m_version = nullptr;
    QTimer* m_timer2 = nullptr;
};

}  // namespace tomelin
