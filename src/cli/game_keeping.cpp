#include "cli/game_keeping.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ostream>

#include "cli/cli_text.h"
#include "cli/options.h"
#include "cli/play.h"
#include "platform/store/store_location.h"
#include "records/game_record.h"
#include "records/unfinished_game.h"

namespace tomelin::cli {

GameKeeping::GameKeeping(std::unique_ptr<Store> store) : m_store(std::move(store)) {}
GameKeeping::~GameKeeping() = default;

std::unique_ptr<GameKeeping> GameKeeping::open(std::ostream& err) {
    messageLanguage();  // chosen before the store is opened (see cli_text.h)
    StoreOpening opening = openDefaultStore();
    reportStoreOpening(opening, err);
    if (!opening.keepsWrites()) {
        err << "tomelin-cli: " << cliTr("keeping", "the game cannot be kept: ")
            << (opening.readOnly() ? cliTr("keeping", "the store file is read-only")
                                   : cliTr("keeping", "no usable store file"))
            << "\n";
        return nullptr;
    }
    return std::unique_ptr<GameKeeping>(new GameKeeping(std::move(opening.store)));
}

void holdPoint(const char* name) {
    const char* wanted = std::getenv("TOMELIN_CLI_HOLD");
    if (wanted && std::strcmp(wanted, name) == 0)
        std::raise(SIGSTOP);
}

std::optional<GameSnapshot> GameKeeping::load(std::ostream& err) {
    UnfinishedGameTake take = takeUnfinishedGame(*m_store);
    if (take.outcome == UnfinishedGameTake::Outcome::InPlay) {
        err << "tomelin-cli: "
            << cliTr("keeping", "the kept game is already being played by another program") << "\n";
        return std::nullopt;
    }
    UnfinishedGameRead& read = take.read;
    switch (read.outcome) {
        case UnfinishedGameRead::Outcome::None:
            err << "tomelin-cli: " << cliTr("keeping", "no unfinished game is kept") << "\n";
            return std::nullopt;
        case UnfinishedGameRead::Outcome::Damaged:
            err << "tomelin-cli: "
                << cliArgs(cliTr("keeping", "the kept game is damaged (%1) and was dropped"),
                           {read.problem})
                << "\n";
            clear(err);
            return std::nullopt;
        case UnfinishedGameRead::Outcome::Ready:
            break;
    }
    m_boardName = read.snapshot.boardName;
    m_tokens = read.snapshot.tokens;
    return std::move(read.snapshot);
}

bool GameKeeping::keep(const Game& game, std::ostream& err) {
    GameSnapshot s = captureSnapshot(game);
    s.boardName = m_boardName;
    s.tokens = m_tokens;
    const KeepResult result = writeUnfinishedGame(*m_store, s);
    reportNotice(*m_store, err);
    if (result.ok())
        return true;
    err << "tomelin-cli: " << cliTr("keeping", "the game could not be kept")
        << (result.reason.empty()
                ? cliArgs(cliTr("keeping", " (status %1)"), {std::to_string(result.status)})
                : ": " + withoutControls(result.reason))
        << "\n";
    return false;
}

bool GameKeeping::clear(std::ostream& err) {
    const KeepResult result = clearUnfinishedGame(*m_store);
    if (result.ok())
        return true;
    err << "tomelin-cli: " << cliTr("keeping", "the kept game could not be removed")
        << (result.reason.empty()
                ? cliArgs(cliTr("keeping", " (status %1)"), {std::to_string(result.status)})
                : ": " + withoutControls(result.reason))
        << "\n";
    return false;
}

bool GameKeeping::recordAndClear(const FinishedGame& game, std::ostream& err) {
    const RecordWrite write = recordAndForgetKeptGame(*m_store, finishedGameEnd(game),
                                                      [] { holdPoint("kept-game-removed"); });
    reportNotice(*m_store, err);
    if (write.outcome != RecordWrite::Outcome::Failed)
        return true;
    reportRecordFailure(game, write, err);
    return false;
}

std::array<SnapshotToken, 2> defaultKeptTokens() {
    // (255, 135, 15) "Obdélník" with white, (15, 135, 255) "Ovál" with black.
    return {SnapshotToken{255 | (135 << 8) | (15 << 16), 1, 0xFFFFFF},
            SnapshotToken{15 | (135 << 8) | (255 << 16), 5, 0}};
}

}  // namespace tomelin::cli
