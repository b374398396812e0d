#include "records/widgets/recorded_token.h"

#include "records/game_record.h"

namespace tomelin {

RecordedToken recordedToken(std::string_view tokenString) {
    const auto decoded = decodeTokenString(tokenString);
    return {decoded.colour, decoded.shape};
}

}  // namespace tomelin
