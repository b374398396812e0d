#pragma once
// The time list: the five choices of a person's time limit in the setup window, and the
// form a time limit is stored in (a game record's "Časy", the kept game's times): the
// list's position 0..4. Converted to and from the core's `TimeLimit` here only.

#include <chrono>

#include "core/game_setup.h"

namespace tomelin {

inline constexpr int kTimeListSize = 5;

// Position 0 (and any outside the list) -> no limit; 1..4 -> 1.5 h, 1 h, 30 min, 10 min.
constexpr TimeLimit timeLimitAtListPosition(int position) {
    constexpr int kSeconds[kTimeListSize] = {0, 5400, 3600, 1800, 600};
    if (position < 1 || position >= kTimeListSize)
        return TimeLimit::none();
    return TimeLimit::of(std::chrono::seconds(kSeconds[position]));
}

// The list's position of a limit; no limit, and a duration the list does not hold, are 0.
constexpr int timeListPositionOf(TimeLimit limit) {
    for (int position = 1; position < kTimeListSize; ++position) {
        if (timeLimitAtListPosition(position) == limit)
            return position;
    }
    return 0;
}

}  // namespace tomelin
