#pragma once
// Runs the built headless tool as a real process and collects what it printed.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& word) {
    std::string q = "'";
    for (char c : word)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs the tool with `args`; `storePath`, when given, becomes its TOMELIN_STORE. Its messages
// are in `language` (LANGUAGE), English unless asked: the tests read the English ones
// whatever the desktop of the machine they run on speaks.
inline CliRun runTool(const std::vector<std::string>& args, const std::string& storePath = "",
                      const std::string& language = "en") {
    const std::string base = testing::TempDir() + "/cli_" + std::to_string(::getpid());
    std::string command = "LANGUAGE=" + shellQuoted(language) + " " + shellQuoted(TOMELIN_CLI_PATH);
    if (!storePath.empty())
        command = "TOMELIN_STORE=" + shellQuoted(storePath) + " " + command;
    for (const std::string& a : args)
        command += " " + shellQuoted(a);
    const int raw = std::system(
        (command + " >" + shellQuoted(base + ".out") + " 2>" + shellQuoted(base + ".err")).c_str());
    CliRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    for (auto [suffix, text] : {std::pair{".out", &r.out}, std::pair{".err", &r.err}}) {
        const std::string path = base + suffix;
        std::stringstream ss;
        ss << std::ifstream(path).rdbuf();
        *text = ss.str();
        std::remove(path.c_str());
    }
    return r;
}
