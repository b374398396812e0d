#pragma once
// The game window's minimised state. "Pauza-Minimalizovat" minimises the window on purpose;
// a window manager that minimises a fresh START by itself is undone: on X, a window once
// minimised and then restored keeps asking to be mapped minimised (Qt leaves its
// initial-state hint), so every later START would vanish at once. Whoever listens hears each
// change (the game's clock pauses while the window is minimised).

#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QWidget;

namespace tomelin {

class MinimiseGuard : public QObject {
    Q_OBJECT
public:
    // START's window is restored when minimised within this time of showing, unless the
    // player minimised it himself.
    static constexpr int kStartSettleMs = 1500;

    MinimiseGuard(QWidget& window, std::function<void(bool minimised)> changed);

    // "Pauza-Minimalizovat".
    void minimise();
    // A game is shown: the window not minimised (a window minimised by "Pauza-Minimalizovat"
    // keeps that state while hidden, and every later game would start minimised), shown,
    // raised and active.
    void showForGame();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restore();

    QWidget& m_window;
    std::function<void(bool)> m_changed;
    QElapsedTimer m_shownAt;
    bool m_asked = false;
};

}  // namespace tomelin
