#include "gamewin/qt_timer_host.h"

namespace tomelin {

QtTimerHost::QtTimerHost(std::function<void(GameTimer)> onFire) : m_onFire(std::move(onFire)) {
    for (std::size_t i = 0; i < m_timers.size(); ++i) {
        const auto which = static_cast<GameTimer>(i);
        m_timers[i].setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timers[i], &QTimer::timeout, &m_timers[i], [this, which] {
            if (m_onFire)
                m_onFire(which);
        });
    }
}

void QtTimerHost::start(GameTimer t, int intervalMs) {
    timer(t).start(intervalMs);
}

void QtTimerHost::stop(GameTimer t) {
    timer(t).stop();
}

bool QtTimerHost::isActive(GameTimer t) const {
    return timer(t).isActive();
}

int QtTimerHost::interval(GameTimer t) const {
    return timer(t).interval();
}

}  // namespace tomelin
