// The engine protocol's line reader and the FEN reader on arbitrary text. Every line goes
// through the parser; every line but go reaches a real engine session (a search would only
// make the run slow), and the first line is also read as a FEN. Whatever the engine says is
// whole printable lines; a FEN that is read writes and reads back as the same position.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "cli/uai_engine.h"
#include "cli/uai_protocol.h"
#include "core/fen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string firstLine = text.substr(0, text.find('\n'));
    const tomelin::FenResult fen = tomelin::readFen(firstLine);
    if (fen.position) {
        const tomelin::FenResult back = tomelin::readFen(tomelin::writeFen(*fen.position));
        if (!back.position || !(*back.position == *fen.position))
            std::abort();
    } else if (fen.error.empty()) {
        std::abort();
    }
    std::ostringstream out;
    {
        tomelin::cli::UaiEngine engine(out);
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            const tomelin::cli::UaiCommand c = tomelin::cli::parseUaiLine(line);
            if (c.kind == tomelin::cli::UaiCommand::Kind::Go)
                continue;
            if (!engine.handle(line))
                break;
        }
    }
    const std::string said = out.str();
    if (!said.empty() && said.back() != '\n')
        std::abort();
    for (const char c : said) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\n') || u == 0x7F)
            std::abort();
    }
    return 0;
}
