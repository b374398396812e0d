// The board string and descriptor loaders on arbitrary text: they must refuse or load, never
// read outside the text or the grid, and agree with each other.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/board.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto problem = tomelin::checkBoardString(text);
    tomelin::Board board;
    const tomelin::DescriptorResult loaded = tomelin::LoadBoardDescriptor(board, text);
    if (loaded.ok()) {
        // What a loaded board writes back is a board string of its side, and its snapshot
        // restores it unchanged.
        const std::string written = tomelin::boardString(board);
        if (tomelin::checkBoardString(written) && written.find_first_not_of('0') != std::string::npos)
            std::abort();
        const std::string snapshot = tomelin::MakeSnapshot(board);
        tomelin::Board copy = board;
        int changed = 0;
        if (!tomelin::RestoreSnapshot(copy, snapshot, [&](int, int) { ++changed; }) || changed != 0)
            std::abort();
    }
    if (!problem) {
        // A valid board string with a start digit is a valid descriptor of the same board.
        tomelin::Board exact;
        std::string descriptor(text);
        descriptor += '2';
        const tomelin::DescriptorResult again = tomelin::LoadBoardDescriptor(exact, descriptor);
        if (!again.ok() || again.startDigit != 2 || tomelin::boardString(exact) != text)
            std::abort();
    }
    return 0;
}
