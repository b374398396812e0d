#include "platform/engine/engine_client.h"

#include <QFileInfo>
#include <QTimer>

#include "core/fen.h"

namespace tomelin {

namespace {

// A line longer than this is no line of the protocol; what it held is dropped.
constexpr qsizetype kMaxLine = 1 << 16;

std::string trimmed(const std::string& s) {
    const auto begin = s.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return {};
    const auto end = s.find_last_not_of(" \t\r");
    return s.substr(begin, end - begin + 1);
}

// The first word and the rest after the white space that follows it.
std::pair<std::string, std::string> firstWord(const std::string& line) {
    const auto space = line.find_first_of(" \t");
    if (space == std::string::npos)
        return {line, {}};
    return {line.substr(0, space), trimmed(line.substr(space))};
}

}  // namespace

EngineClient::EngineClient(QObject* parent) : QObject(parent) {
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        switch (m_phase) {
            case Phase::WaitUaiOk:
            case Phase::WaitReadyOk:
                fail(EngineFault::NoHandshake);
                break;
            case Phase::Thinking:
            case Phase::Withdrawn:
                fail(EngineFault::Hanging);
                break;
            default:
                break;
        }
    });
    m_killTimer = new QTimer(this);
    m_killTimer->setSingleShot(true);
    connect(m_killTimer, &QTimer::timeout, this, [this] {
        if (m_process)
            m_process->kill();
    });
}

EngineClient::~EngineClient() {
    if (m_process) {
        m_process->disconnect(this);
        if (m_process->state() != QProcess::NotRunning) {
            m_process->kill();
            m_process->waitForFinished(1000);  // reaped after SIGKILL; no engine is waited on
        }
    }
}

void EngineClient::start(const QString& program, const QStringList& arguments) {
    finishProcess();
    m_program = program;
    m_name = QFileInfo(program).fileName();
    m_buffer.clear();
    m_process = new QProcess(this);
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, &QProcess::readyReadStandardOutput, this, &EngineClient::readLines);
    connect(m_process, &QProcess::started, this, [this] {
        m_phase = Phase::WaitUaiOk;
        armTimer(m_timeouts.handshakeMs);
        send("uai");
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && m_phase == Phase::Starting)
            fail(EngineFault::NotStarted);
    });
    connect(m_process, &QProcess::finished, this, [this] {
        // What it said before it ended still counts (a move, or its handshake).
        readLines();
        if (m_phase != Phase::Ended && m_phase != Phase::NotRunning)
            fail(EngineFault::Crashed);
    });
    m_phase = Phase::Starting;
    m_process->start(program, arguments, QIODevice::ReadWrite);
}

void EngineClient::requestMove(const EngineMoveRequest& request) {
    if (m_phase == Phase::Ended || m_phase == Phase::NotRunning)
        return;
    if (m_phase != Phase::Idle) {
        m_queued = request;
        return;
    }
    m_request = request;
    std::string position = "position fen " + request.startFen;
    if (!request.moves.empty()) {
        position += " moves";
        for (const std::string& move : request.moves)
            position += " " + move;
    }
    send(position);
    send(goLine(request));
    m_phase = Phase::Thinking;
    const int given = request.blackMs && request.whiteMs
                          ? (request.position.toMove() == Player::One ? *request.blackMs : *request.whiteMs)
                          : request.movetimeMs;
    armTimer(std::max(0, given) + m_timeouts.graceMs);
}

void EngineClient::cancelMove() {
    m_queued.reset();
    if (m_phase != Phase::Thinking)
        return;
    // The answer must still come (or the engine hangs): the timer keeps running.
    send("stop");
    m_phase = Phase::Withdrawn;
}

void EngineClient::becomeIdle() {
    m_timer->stop();
    m_phase = Phase::Idle;
    if (m_queued) {
        const EngineMoveRequest next = *m_queued;
        m_queued.reset();
        requestMove(next);
    }
}

std::string EngineClient::goLine(const EngineMoveRequest& request) {
    if (request.blackMs && request.whiteMs)
        return "go btime " + std::to_string(std::max(0, *request.blackMs)) + " wtime " +
               std::to_string(std::max(0, *request.whiteMs));
    return "go movetime " + std::to_string(std::max(1, request.movetimeMs));
}

void EngineClient::stop() {
    m_timer->stop();
    m_queued.reset();
    if (!m_process || m_phase == Phase::Ended || m_phase == Phase::NotRunning) {
        m_phase = m_process ? Phase::Ended : Phase::NotRunning;
        return;
    }
    m_phase = Phase::Ended;
    if (m_process->state() == QProcess::Running) {
        send("quit");
        m_process->closeWriteChannel();
        m_killTimer->start(m_timeouts.quitMs);
    } else {
        m_process->kill();
    }
}

void EngineClient::send(const std::string& line) {
    if (m_process && m_process->state() == QProcess::Running)
        m_process->write(QByteArray::fromStdString(line + "\n"));
}

void EngineClient::readLines() {
    if (!m_process)
        return;
    m_buffer += m_process->readAllStandardOutput();
    qsizetype newline;
    while ((newline = m_buffer.indexOf('\n')) >= 0) {
        const std::string line = m_buffer.left(newline).toStdString();
        m_buffer.remove(0, newline + 1);
        if (line.size() <= static_cast<std::size_t>(kMaxLine))
            handleLine(trimmed(line));
        if (m_phase == Phase::Ended)
            return;
    }
    if (m_buffer.size() > kMaxLine)
        m_buffer.clear();
}

void EngineClient::handleLine(const std::string& line) {
    const auto [word, rest] = firstWord(line);
    switch (m_phase) {
        case Phase::WaitUaiOk:
            if (word == "id") {
                const auto [what, value] = firstWord(rest);
                if (what == "name" && !value.empty())
                    m_name = QString::fromStdString(value);
            } else if (word == "uaiok") {
                m_phase = Phase::WaitReadyOk;
                armTimer(m_timeouts.handshakeMs);
                send("uainewgame");
                send("isready");
            }
            break;
        case Phase::WaitReadyOk:
            if (word == "readyok") {
                m_timer->stop();
                m_phase = Phase::Idle;
                emit ready(m_name);
                if (m_phase == Phase::Idle)
                    becomeIdle();
            }
            break;
        case Phase::Withdrawn:
            if (word == "bestmove")
                becomeIdle();
            break;
        case Phase::Thinking:
            if (word == "bestmove")
                handleBestMove(firstWord(rest).first);
            break;
        default:
            break;  // "info" lines and anything unasked for
    }
}

void EngineClient::handleBestMove(const std::string& text) {
    const Position& position = m_request.position;
    const MoveParse parsed = parseMoveText(position, m_request.logic, text);
    const bool mustPass = position.mustPass(m_request.logic);
    const bool legal = parsed.kind == MoveParse::Kind::Pass
                           ? mustPass
                           : parsed.kind == MoveParse::Kind::Move && !mustPass &&
                                 position.isLegal(m_request.logic, parsed.move);
    if (!legal) {
        fail(EngineFault::IllegalMove, QString::fromStdString(text));
        return;
    }
    m_timer->stop();
    m_phase = Phase::Idle;
    emit moveChosen(parsed.move, parsed.kind == MoveParse::Kind::Pass);
    if (m_phase == Phase::Idle && m_queued)
        becomeIdle();
}

void EngineClient::fail(EngineFault fault, const QString& detail) {
    m_timer->stop();
    const QString message = faultText(fault, m_name, detail);
    // Ended before it is reported: whoever hears of it may start another engine at once.
    if (m_process && m_process->state() != QProcess::NotRunning)
        m_process->kill();
    m_phase = Phase::Ended;
    emit failed(fault, message);
}

void EngineClient::finishProcess() {
    m_timer->stop();
    m_killTimer->stop();
    if (m_process) {
        m_process->disconnect(this);
        if (m_process->state() != QProcess::NotRunning) {
            m_process->kill();
            // Deleted once it has ended, so that it is reaped without waiting here.
            connect(m_process, &QProcess::finished, m_process, &QObject::deleteLater);
            m_process->setParent(nullptr);
        } else {
            m_process->deleteLater();
        }
        m_process = nullptr;
    }
    m_phase = Phase::NotRunning;
}

void EngineClient::armTimer(int ms) {
    m_timer->start(ms);
}

QString EngineClient::faultText(EngineFault fault, const QString& name, const QString& detail) {
    switch (fault) {
        case EngineFault::NotStarted:
            return tr("Program %1 se nepodařilo spustit.").arg(name);
        case EngineFault::NoHandshake:
            return tr("Program %1 neodpověděl jako engine protokolu UAI (uaiok, readyok).")
                .arg(name);
        case EngineFault::Crashed:
            return tr("Engine %1 nečekaně skončil.").arg(name);
        case EngineFault::Hanging:
            return tr("Engine %1 neposlal tah v daném čase a byl ukončen.").arg(name);
        case EngineFault::IllegalMove:
            return tr("Engine %1 poslal nepovolený tah „%2“ a byl ukončen.").arg(name, detail);
    }
    return {};
}

}  // namespace tomelin
