// The headless tool's argument parser on arbitrary words (the input split at NUL bytes).
// A sentinel option appended to every command line stops each command after its parser has
// run every handler: the parsing and the error line are fuzzed, never a long game. Every
// refusal must be one printable line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // `store` and `records` open the store named here when their arguments are right.
    setenv("TOMELIN_STORE", "/dev/null/tomelin-fuzz.db", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> argv{"tomelin-cli"};
    std::string word;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            argv.push_back(word);
            word.clear();
        } else {
            word.push_back(static_cast<char>(data[i]));
        }
    }
    argv.push_back(word);
    argv.push_back("--fuzz-sentinel");
    std::ostringstream out, err;
    tomelin::cli::CommandIo io{out, err};
    const int status = tomelin::cli::runCommandLine(argv, io);
    if (status == tomelin::cli::kExitUsage) {
        const std::string line = err.str();
        if (line.empty() || line.back() != '\n' || line.find('\n') != line.size() - 1)
            std::abort();  // one line
        for (const char c : line.substr(0, line.size() - 1)) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x20 || u == 0x7F)
                std::abort();  // nothing that steers the terminal
        }
        if (line.size() > 600)
            std::abort();
    }
    return 0;
}
