#pragma once
// The one general setting, "GrafickáPropracovanostFigurek": how finely tokens are drawn.

#include "platform/store/store.h"

namespace tomelin {

inline constexpr const char* kDetailValueName = "GrafickáPropracovanostFigurek";
inline constexpr const char* kDetailDefaultText = "5";

// What the game window takes from the setting when it loads.
struct TokenDetail {
    double stored = 0;       // the number read (0 for missing or non-numeric)
    double used = 0;         // the number used this run (6 after an out-of-range value)
    bool rewritten = false;  // the default "5" was written back
    int level = 1;           // the drawing detail level, 1 to 3
};

// Reads the setting; a value outside 1..10 (or missing) writes "5" and uses 6 this run.
// The level is (number - 1) / 3 rounded half to even, but at least 1: the stored values
// 1 and 2 would give level 0, which drawing cannot use.
TokenDetail loadTokenDetail(Store& store);

// The level for a detail number, as loadTokenDetail computes it.
int tokenDetailLevel(double number);

}  // namespace tomelin
