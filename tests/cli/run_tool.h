#pragma once
// Runs the built headless tool as a real process and collects what it printed.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

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

// Starts the tool without waiting: its output goes to `outPath` and its errors to
// `outPath`.err, `store` becomes its TOMELIN_STORE and `extraEnv` ("NAME=value") is added.
inline pid_t spawnTool(const std::vector<std::string>& args, const std::string& store,
                       const std::string& outPath, const std::string& extraEnv = {}) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, (outPath + ".err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> env{"TOMELIN_STORE=" + store};
    if (!extraEnv.empty())
        env.push_back(extraEnv);
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("TOMELIN_STORE=", 0) != 0 && entry.rfind("TOMELIN_CLI_HOLD=", 0) != 0)
            env.push_back(entry);
    }
    std::vector<char*> argv{const_cast<char*>(TOMELIN_CLI_PATH)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, TOMELIN_CLI_PATH, &actions, nullptr, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Won games the "result" lines of `out` announce (draws are never recorded).
inline int announcedRecords(const std::string& out) {
    std::istringstream lines(out);
    int won = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string tag;
        int tokens1 = 0, tokens2 = 0, winner = 0;
        if (words >> tag >> tokens1 >> tokens2 >> winner && tag == "result" && winner != 0)
            ++won;
    }
    return won;
}

// How often the process races repeat: TOMELIN_RACE_TRIALS (`make stress` sets 100), else 3.
inline int raceTrials() {
    const char* text = std::getenv("TOMELIN_RACE_TRIALS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 3;
}
