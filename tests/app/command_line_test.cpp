#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tomelin {
namespace {

struct Answer {
    int status;
    std::string out;
    std::string err;
};

std::string contents(std::FILE* f) {
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(f);
    return text;
}

Answer answer(const std::vector<std::string>& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = answerCommandLine(readCommandLine(arguments), out, err);
    return {status, contents(out), contents(err)};
}

TEST(GameCommandLine, OpensTheGameOnlyWithoutArguments) {
    EXPECT_EQ(readCommandLine({}).action, CommandLine::Action::OpenGame);
    const Answer none = answer({});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out + none.err, "");
}

TEST(GameCommandLine, HelpAndVersionAnswerOnStandardOutput) {
    const Answer version = answer({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("tomelin ") + TOMELIN_VERSION + "\n");
    EXPECT_EQ(version.err, "");
    for (const char* ask : {"--help", "-h"}) {
        const Answer help = answer({ask});
        EXPECT_EQ(help.status, 0) << ask;
        EXPECT_EQ(help.err, "") << ask;
        EXPECT_EQ(help.out.rfind("Usage: tomelin", 0), 0U) << help.out;
        // It tells of all four strengths, the hint, the redo and resuming.
        for (const char* told : {"PC Začátečník", "PC Profesionál", "PC Génius", "PC Velmistr",
                                 "N shows", "Y plays", "resume", "TOMELIN_STORE", "--version"})
            EXPECT_NE(help.out.find(told), std::string::npos) << told;
    }
}

TEST(GameCommandLine, RefusesEverythingElseWithOneLineAndStatusTwo) {
    const struct {
        std::vector<std::string> arguments;
        std::string quoted;  // what the line must show of the argument
    } cases[] = {
        {{"--helpme"}, "\"--helpme\""},
        {{"-platform", "offscreen"}, "\"-platform\""},
        {{"game.db"}, "\"game.db\""},
        {{"--help", "--version"}, "--help takes no further arguments"},
        {{"--version", "x"}, "--version takes no further arguments"},
        {{""}, "\"\""},
        {{"a\nb\x1b"}, "\"a\\x0Ab\\x1B\""},
        {{std::string(50, 'x')}, "\"" + std::string(40, 'x') + "...\""},
        {{"ž" + std::string(45, 'y')}, "\"ž" + std::string(39, 'y') + "...\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readCommandLine(c.arguments).action, CommandLine::Action::Refuse);
        const Answer refused = answer(c.arguments);
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err.rfind("tomelin: ", 0), 0U) << refused.err;
        EXPECT_EQ(refused.err.find('\n'), refused.err.size() - 1) << refused.err;
        EXPECT_NE(refused.err.find(c.quoted), std::string::npos) << refused.err;
    }
}

TEST(GameCommandLine, AnAnswerThatCannotBeWrittenIsAnError) {
    for (const char* ask : {"--help", "--version"}) {
        std::FILE* full = std::fopen("/dev/full", "w");
        ASSERT_NE(full, nullptr);
        std::FILE* err = std::tmpfile();
        EXPECT_EQ(answerCommandLine(readCommandLine({ask}), full, err), 1) << ask;
        std::fclose(full);
        EXPECT_NE(contents(err).find("cannot write"), std::string::npos);
    }
}

}  // namespace
}  // namespace tomelin
