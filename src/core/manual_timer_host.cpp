#include "core/manual_timer_host.h"

#include <algorithm>

namespace tomelin {

void ManualTimerHost::start(GameTimer timer, int intervalMs) {
    Slot& s = slot(timer);
    s.active = true;
    s.interval = intervalMs;
    s.due = m_now + std::max(intervalMs, 0);
    s.order = m_nextOrder++;
}

void ManualTimerHost::stop(GameTimer timer) {
    slot(timer).active = false;
}

void ManualTimerHost::deliver(GameTimer timer) {
    Slot& s = slot(timer);
    // A repeating timer is due again one interval later unless the handler restarts it.
    s.due = m_now + std::max(s.interval, 1);
    s.order = m_nextOrder++;
    if (m_handler)
        m_handler(timer);
}

bool ManualTimerHost::fire(GameTimer timer) {
    if (!slot(timer).active)
        return false;
    deliver(timer);
    return true;
}

std::optional<GameTimer> ManualTimerHost::earliest(std::initializer_list<GameTimer> skip) const {
    std::optional<GameTimer> best;
    for (std::size_t i = 0; i < kTimerCount; ++i) {
        const auto t = static_cast<GameTimer>(i);
        const Slot& s = m_slots[i];
        if (!s.active || std::find(skip.begin(), skip.end(), t) != skip.end())
            continue;
        if (!best || s.due < slot(*best).due ||
            (s.due == slot(*best).due && s.order < slot(*best).order)) {
            best = t;
        }
    }
    return best;
}

std::optional<GameTimer> ManualTimerHost::fireNext(std::initializer_list<GameTimer> skip) {
    const auto next = earliest(skip);
    if (!next)
        return std::nullopt;
    m_now = std::max(m_now, slot(*next).due);
    deliver(*next);
    return next;
}

}  // namespace tomelin
