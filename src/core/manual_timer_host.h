#pragma once
// A timer host driven by hand: it records which game timers run and fires them on request.

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>

#include "core/ports.h"

namespace tomelin {

// Tests, the headless tool and benchmarks step the game through this host instead of real
// time. It keeps a virtual clock: a started timer is due one interval after it was started
// (or last fired), and fireNext() jumps the clock to the earliest due timer.
class ManualTimerHost : public TimerHost {
public:
    using Handler = std::function<void(GameTimer)>;

    // Usually [&game](GameTimer t) { game.onTimer(t); }.
    void setHandler(Handler handler) { m_handler = std::move(handler); }

    void start(GameTimer timer, int intervalMs) override;
    void stop(GameTimer timer) override;
    bool isActive(GameTimer timer) const override { return slot(timer).active; }

    // Interval the timer was last started with (0 if never).
    int interval(GameTimer timer) const { return slot(timer).interval; }
    std::int64_t now() const { return m_now; }

    // Fires the timer now, as if its interval had passed; false if it is not running.
    bool fire(GameTimer timer);
    // Moves the clock to the earliest due running timer (ties: the one started first) and
    // fires it; returns which fired, or nothing when no timer runs. Timers in `skip` are
    // left alone (the headless tool skips the game clock).
    std::optional<GameTimer> fireNext(std::initializer_list<GameTimer> skip = {});

private:
    struct Slot {
        bool active = false;
        int interval = 0;
        std::int64_t due = 0;
        std::uint64_t order = 0;
    };
    static constexpr std::size_t kTimerCount = 4;
    static std::size_t indexOf(GameTimer t) { return static_cast<std::size_t>(t); }
    const Slot& slot(GameTimer t) const { return m_slots[indexOf(t)]; }
    Slot& slot(GameTimer t) { return m_slots[indexOf(t)]; }
    std::optional<GameTimer> earliest(std::initializer_list<GameTimer> skip) const;
    void deliver(GameTimer timer);

    std::array<Slot, kTimerCount> m_slots{};
    Handler m_handler;
    std::int64_t m_now = 0;
    std::uint64_t m_nextOrder = 0;
};

}  // namespace tomelin
