#pragma once
// A recorded player's token as the viewer draws it.

#include <cstdint>
#include <string_view>

namespace tomelin {

// Colour (0x00BBGGRR) and shape code decoded from a token string of the records.
struct RecordedToken {
    std::uint32_t colour = 0;
    int shape = 1;
};

// Decodes a token string ("AEE3": three colour letters, then the shape), mending damaged
// ones the way the survey does.
RecordedToken recordedToken(std::string_view tokenString);

}  // namespace tomelin
