// The engine client against real processes: the tool's own engine (`tomelin-cli uai`) and
// small shell scripts that fail in the ways an engine can (ends, hangs, illegal answers,
// no handshake). The test waits by running the event loop, as the window would.

#include "platform/engine/engine_client.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <optional>

#include "core/fen.h"
#include "support/temp_folder.h"

namespace tomelin {
namespace {

// Answers the handshake, then lets `onGo` answer each `go`.
std::string engineScript(const std::string& onGo, const std::string& name = "Skript") {
    return "while read line; do\n"
           "  case \"$line\" in\n"
           "    uai) echo \"id name " + name + "\"; echo \"id author nikdo\"; echo uaiok ;;\n"
           "    isready) echo readyok ;;\n"
           "    go*) " + onGo + " ;;\n"
           "    quit) exit 0 ;;\n"
           "  esac\n"
           "done\n";
}

struct Heard {
    std::optional<QString> ready;
    std::optional<Move> move;
    bool pass = false;
    std::optional<EngineFault> fault;
    QString message;
    int reports = 0;
};

constexpr EngineTimeouts kQuick{.handshakeMs = 1500, .graceMs = 700, .quitMs = 300};

// Quick timeouts, and every report of `engine` into `heard`.
void listen(EngineClient& engine, Heard& heard) {
    engine.setTimeouts(kQuick);
    QObject::connect(&engine, &EngineClient::ready, [&](const QString& name) {
        heard.ready = name;
        ++heard.reports;
    });
    QObject::connect(&engine, &EngineClient::moveChosen, [&](Move move, bool pass) {
        heard.move = move;
        heard.pass = pass;
        ++heard.reports;
    });
    QObject::connect(&engine, &EngineClient::failed, [&](EngineFault fault, const QString& text) {
        heard.fault = fault;
        heard.message = text;
        ++heard.reports;
    });
}

// Runs the event loop until `done` or `ms` have passed; returns the time it took.
template <class Done>
qint64 runUntil(Done done, int ms = 15000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QTest::qWait(10);
    return clock.elapsed();
}

EngineMoveRequest startRequest() {
    EngineMoveRequest request;
    request.startFen = std::string(kStandardStartFen);
    request.position = *readFen(kStandardStartFen).position;
    request.movetimeMs = 50;
    return request;
}

TEST(EngineClient, TheToolsEngineIntroducesItselfAndAnswersLegalMovesOnBothClocks) {
    EngineClient engine;
    Heard heard;
    listen(engine, heard);
    engine.start(QStringLiteral(TOMELIN_CLI_PATH), {QStringLiteral("uai")});
    runUntil([&] { return heard.reports > 0; });
    ASSERT_TRUE(heard.ready) << heard.message.toStdString();
    EXPECT_TRUE(heard.ready->startsWith(QStringLiteral("Tomelin "))) << heard.ready->toStdString();
    EXPECT_EQ(engine.name(), *heard.ready);
    EXPECT_TRUE(engine.isReady());

    // Two moves: the fixed time, then both clocks after the first move was made.
    EngineMoveRequest request = startRequest();
    for (int turn = 0; turn < 2; ++turn) {
        SCOPED_TRACE(turn);
        heard = {};
        engine.requestMove(request);
        EXPECT_TRUE(engine.isThinking());
        runUntil([&] { return heard.reports > 0; });
        ASSERT_TRUE(heard.move) << heard.message.toStdString();
        EXPECT_FALSE(heard.pass);
        EXPECT_TRUE(request.position.isLegal(Logic::Star, *heard.move));
        request.moves.push_back(moveText(request.position.side(), *heard.move));
        request.position.play(Logic::Star, *heard.move);
        request.blackMs = 60000;
        request.whiteMs = 59000;
    }
    EXPECT_TRUE(engine.isReady());
    engine.stop();
}

TEST(EngineClient, AMoveAskedEarlyWaitsForTheHandshakeAndAWithdrawnOnesAnswerIsDropped) {
    EngineClient engine;
    Heard heard;
    listen(engine, heard);
    engine.start(QStringLiteral(TOMELIN_CLI_PATH), {QStringLiteral("uai")});
    engine.requestMove(startRequest());  // before `uaiok`
    runUntil([&] { return heard.move || heard.fault; });
    ASSERT_TRUE(heard.ready);
    ASSERT_TRUE(heard.move) << heard.message.toStdString();
    EXPECT_EQ(heard.reports, 2);

    // A long think withdrawn, then another position asked: the answer is the second one's.
    EngineMoveRequest slow = startRequest();
    slow.movetimeMs = 4000;
    EngineMoveRequest other = startRequest();
    other.position.play(Logic::Star, *heard.move);
    other.moves = {moveText(7, *heard.move)};
    heard = {};
    engine.requestMove(slow);
    runUntil([] { return false; }, 100);
    engine.cancelMove();
    engine.requestMove(other);
    const qint64 took = runUntil([&] { return heard.reports > 0; });
    ASSERT_TRUE(heard.move) << heard.message.toStdString();
    EXPECT_EQ(heard.reports, 1);
    EXPECT_TRUE(other.position.isLegal(Logic::Star, *heard.move));
    EXPECT_EQ(other.position.toMove(), Player::Two);
    EXPECT_LT(took, 3500) << "the withdrawn think was not stopped";
    engine.stop();
}

TEST(EngineClient, TheGoLineGivesBothClocksOrTheFixedTime) {
    EngineMoveRequest request = startRequest();
    request.movetimeMs = 800;
    EXPECT_EQ(EngineClient::goLine(request), "go movetime 800");
    request.blackMs = 61000;
    EXPECT_EQ(EngineClient::goLine(request), "go movetime 800");  // one clock is no clock
    request.whiteMs = 0;
    EXPECT_EQ(EngineClient::goLine(request), "go btime 61000 wtime 0");
    request.whiteMs = -5;
    EXPECT_EQ(EngineClient::goLine(request), "go btime 61000 wtime 0");
}

TEST(EngineClient, EveryFaultIsReportedOnceInCzechAndTheProcessIsEnded) {
    test::TempFolder folder;
    const struct {
        const char* name;
        std::string body;            // the script; empty: a program that does not exist
        bool askMove;                // the fault comes after a move was asked for
        EngineFault fault;
        const char* message;
    } cases[] = {
        {"missing", "", false, EngineFault::NotStarted,
         "Program missing se nepodařilo spustit."},
        {"mute", "while read line; do :; done\n", false, EngineFault::NoHandshake,
         "Program mute neodpověděl jako engine protokolu UAI (uaiok, readyok)."},
        {"notready", "while read line; do [ \"$line\" = uai ] && echo uaiok; done\n", false,
         EngineFault::NoHandshake,
         "Program notready neodpověděl jako engine protokolu UAI (uaiok, readyok)."},
        {"crash", "read line; echo 'id name Padavka'; echo uaiok; exit 3\n", false,
         EngineFault::Crashed, "Engine Padavka nečekaně skončil."},
        {"crashmove", engineScript("exit 1", "Padavka 2"), true, EngineFault::Crashed,
         "Engine Padavka 2 nečekaně skončil."},
        {"hang", engineScript(":", "Spac"), true, EngineFault::Hanging,
         "Engine Spac neposlal tah v daném čase a byl ukončen."},
        {"occupied", engineScript("echo 'bestmove a7'", "Podvodnik"), true,
         EngineFault::IllegalMove, "Engine Podvodnik poslal nepovolený tah „a7“ a byl ukončen."},
        {"toofar", engineScript("echo 'bestmove a7d4'", "Daleko"), true,
         EngineFault::IllegalMove, "Engine Daleko poslal nepovolený tah „a7d4“ a byl ukončen."},
        {"pass", engineScript("echo 'bestmove 0000'", "Pasak"), true, EngineFault::IllegalMove,
         "Engine Pasak poslal nepovolený tah „0000“ a byl ukončen."},
        {"garbage", engineScript("echo 'bestmove zz9'", "Smeti"), true,
         EngineFault::IllegalMove, "Engine Smeti poslal nepovolený tah „zz9“ a byl ukončen."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString program = QString::fromStdString(
            c.body.empty() ? (folder.path() / c.name).string() : folder.writeScript(c.name, c.body));
        EngineClient engine;
        Heard heard;
        listen(engine, heard);
        engine.start(program);
        runUntil([&] { return heard.reports > 0; });
        if (c.askMove) {
            ASSERT_TRUE(heard.ready) << heard.message.toStdString();
            heard = {};
            engine.requestMove(startRequest());
            const qint64 took = runUntil([&] { return heard.reports > 0; });
            // A hanging engine is given its move's time and the grace, no more (a coarse Qt
            // timer may fire up to 5 % early).
            if (c.fault == EngineFault::Hanging) {
                EXPECT_GE(took, (50 + kQuick.graceMs) * 95 / 100 - 20);
                EXPECT_LT(took, 5000);
            }
        }
        ASSERT_TRUE(heard.fault) << "nothing failed";
        EXPECT_EQ(*heard.fault, c.fault);
        EXPECT_EQ(heard.message, QString::fromUtf8(c.message));
        EXPECT_FALSE(engine.isReady());
        // Ended: nothing more is reported, a move asked of it now gets no answer.
        engine.requestMove(startRequest());
        runUntil([] { return false; }, 300);
        EXPECT_EQ(heard.reports, 1);
    }
}

TEST(EngineClient, StopSaysQuitAndKillsAnEngineThatIgnoresIt) {
    test::TempFolder folder;
    // Records what it was told; ignores "quit" itself.
    const std::string log = (folder.path() / "told.txt").string();
    const QString program = QString::fromStdString(folder.writeScript(
        "deaf", "while read line; do echo \"$line\" >> '" + log + "';\n"
                "  case \"$line\" in uai) echo uaiok ;; isready) echo readyok ;; esac; done\n"
                "trap '' TERM; while :; do sleep 0.05; done\n"));
    EngineClient engine;
    Heard heard;
    listen(engine, heard);
    engine.start(program);
    runUntil([&] { return heard.reports > 0; });
    ASSERT_TRUE(heard.ready);
    EXPECT_EQ(*heard.ready, "deaf");  // no `id name`: the file's name
    const qint64 pid = [&] {
        QProcess ps;
        ps.start("pgrep", {"-f", program});
        ps.waitForFinished();
        return ps.readAllStandardOutput().trimmed().split('\n').value(0).toLongLong();
    }();
    ASSERT_GT(pid, 0);
    engine.stop();
    engine.stop();
    runUntil([&] { return !QFile::exists(QStringLiteral("/proc/%1").arg(pid)); }, 3000);
    EXPECT_FALSE(QFile::exists(QStringLiteral("/proc/%1").arg(pid)));
    QFile told(QString::fromStdString(log));
    ASSERT_TRUE(told.open(QIODevice::ReadOnly));
    EXPECT_EQ(told.readAll(), "uai\nuainewgame\nisready\nquit\n");
    EXPECT_EQ(heard.reports, 1);
}

}  // namespace
}  // namespace tomelin
