#pragma once
// The game's four timers as QTimers on the user-interface thread.

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

#include "core/ports.h"

namespace tomelin {

// Starts and stops the named game timers for the core; each timeout is handed to `onFire`
// (the window passes Game::onTimer). A timer keeps firing until the core stops it.
class QtTimerHost : public TimerHost {
public:
    explicit QtTimerHost(std::function<void(GameTimer)> onFire);

    void start(GameTimer timer, int intervalMs) override;
    void stop(GameTimer timer) override;
    bool isActive(GameTimer timer) const override;
    int interval(GameTimer timer) const;

private:
    QTimer& timer(GameTimer t) { return m_timers[static_cast<std::size_t>(t)]; }
    const QTimer& timer(GameTimer t) const { return m_timers[static_cast<std::size_t>(t)]; }

    std::array<QTimer, 4> m_timers;
    std::function<void(GameTimer)> m_onFire;
};

}  // namespace tomelin
