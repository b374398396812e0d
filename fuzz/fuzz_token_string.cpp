// The token string decoder on arbitrary text: any text gives a token of the five colour
// levels and a shape 1 to 8, and writing that token and reading it back changes nothing.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "records/game_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tomelin::TokenStyle style = tomelin::decodeTokenString(text);
    if (style.shape < 1 || style.shape > 8)
        std::abort();
    for (int shift : {0, 8, 16}) {
        const int channel = static_cast<int>((style.colour >> shift) & 0xFF);
        if ((255 - channel) % 60 != 0)
            std::abort();
    }
    if (style.colour >> 24)
        std::abort();
    const std::string written = tomelin::tokenString(style.colour, style.shape);
    if (!tomelin::isCompleteTokenString(written) || tomelin::decodeTokenString(written) != style)
        std::abort();
    (void)tomelin::isCompleteTokenString(text);
    return 0;
}
