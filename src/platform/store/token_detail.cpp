#include "platform/store/token_detail.h"

#include <cmath>

namespace tomelin {

int tokenDetailLevel(double number) {
    // std::nearbyint rounds half to even in the default rounding mode.
    const double level = std::nearbyint((number - 1) / 3);
    if (level < 1)
        return 1;
    if (level > 3)
        return 3;
    return static_cast<int>(level);
}

TokenDetail loadTokenDetail(Store& store) {
    TokenDetail detail;
    detail.stored = valueNumber(store.ReadRegValue(kProgramKey, kDetailValueName));
    detail.used = detail.stored;
    if (detail.stored < 1 || detail.stored > 10) {
        store.CreateRegKey(kProgramKey);
        detail.rewritten =
            store.WriteRegValue(kProgramKey, kDetailValueName, std::string(kDetailDefaultText),
                                kTypeText) == kStatusOk;
        // This run draws as if 6 were stored; the next start reads the 5 just written.
        detail.used = 6;
    }
    detail.level = tokenDetailLevel(detail.used);
    return detail;
}

}  // namespace tomelin
