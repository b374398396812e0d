#pragma once
// An external engine of the standard game's protocol (UAI) as a child process. Everything
// runs on signals and timers of the calling thread: no call waits for the engine, so a slow,
// silent or crashed engine never holds up the window that asks it.
//
//     EngineClient engine;
//     connect(&engine, &EngineClient::ready, ...);        // the handshake is done
//     connect(&engine, &EngineClient::moveChosen, ...);   // a legal answer to requestMove()
//     connect(&engine, &EngineClient::failed, ...);       // the engine is already ended
//     engine.start("/usr/games/some-engine");
//     ... engine.requestMove(request);
//     engine.stop();                                      // "quit", killed if it lingers
//
// The conversation: `uai` (answered by `id name ...` and `uaiok`), `isready` (`readyok`),
// then per move `position fen <start> moves ...` and `go` with both clocks (btime for x,
// wtime for o) or a fixed `movetime`, answered by `bestmove <move>`.

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "core/directions.h"
#include "core/position.h"

class QTimer;

namespace tomelin {

enum class EngineFault {
    NotStarted,   // the program could not be run
    NoHandshake,  // no `uaiok` (or `readyok`) in time
    Crashed,      // the process ended by itself
    Hanging,      // no `bestmove` within the move's time and the grace after it
    IllegalMove,  // `bestmove` named a move the position does not allow
};

struct EngineTimeouts {
    int handshakeMs = 5000;  // for `uaiok` and for `readyok`
    int graceMs = 3000;      // beyond the time the engine was given for a move
    int quitMs = 1000;       // after `quit`, before the process is killed
};

struct EngineMoveRequest {
    std::string startFen;            // the game's start
    std::vector<std::string> moves;  // the moves since, in the protocol's notation
    Position position;               // where they lead, the player to move included
    Logic logic = Logic::Star;
    // Time left in milliseconds of x (player One) and o (player Two); without both, the
    // engine is given `movetimeMs` for this move.
    std::optional<int> blackMs, whiteMs;
    int movetimeMs = 1000;
};

class EngineClient : public QObject {
    Q_OBJECT
public:
    explicit EngineClient(QObject* parent = nullptr);
    // Ends a running engine at once.
    ~EngineClient() override;

    void setTimeouts(const EngineTimeouts& timeouts) { m_timeouts = timeouts; }

    // Runs the program and starts the handshake; ready() or failed() follows.
    void start(const QString& program, const QStringList& arguments = {});
    bool isReady() const { return m_phase == Phase::Idle; }
    bool isThinking() const { return m_phase == Phase::Thinking; }
    // What the engine calls itself (`id name`), or its file name when it said nothing.
    QString name() const { return m_name; }
    QString program() const { return m_program; }

    // Asks for a move: moveChosen() or failed() follows. Asked before the handshake is done
    // or while a withdrawn move is still coming, the request waits its turn (the latest one
    // only). Nothing happens once the engine has ended.
    void requestMove(const EngineMoveRequest& request);
    // Withdraws the move asked for: `stop` is said and its answer, when it comes, dropped.
    void cancelMove();
    // Says `quit` and kills the process if it has not ended after EngineTimeouts::quitMs.
    // Nothing is reported afterwards. Safe to call at any time, also twice.
    void stop();

    // The line `go` for a request (both clocks, or the fixed time).
    static std::string goLine(const EngineMoveRequest& request);
    // The Czech message for a fault of the engine `name`; `detail` is the illegal move.
    static QString faultText(EngineFault fault, const QString& name, const QString& detail = {});

signals:
    void ready(const QString& name);
    // A legal move (`pass`: the engine passed, which the position requires).
    void moveChosen(tomelin::Move move, bool pass);
    // The engine failed and has been ended; `message` says so in Czech.
    void failed(tomelin::EngineFault fault, const QString& message);

private:
    enum class Phase { NotRunning, Starting, WaitUaiOk, WaitReadyOk, Idle, Thinking, Withdrawn, Ended };
    void becomeIdle();
    void send(const std::string& line);
    void readLines();
    void handleLine(const std::string& line);
    void handleBestMove(const std::string& text);
    void fail(EngineFault fault, const QString& detail = {});
    void finishProcess();
    void armTimer(int ms);

    QProcess* m_process = nullptr;
    QTimer* m_timer = nullptr;
    QTimer* m_killTimer = nullptr;
    EngineTimeouts m_timeouts;
    Phase m_phase = Phase::NotRunning;
    QString m_program;
    QString m_name;
    QByteArray m_buffer;
    EngineMoveRequest m_request;
    std::optional<EngineMoveRequest> m_queued;
};

}  // namespace tomelin
