#pragma once
// `play --max-moves` and `play --resume`: the tool keeps its running game in the store after
// every turn change, exactly as the game window does, so that a game it stops (or that is
// killed) is the unfinished game the next run or the game window resumes.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "core/game_snapshot.h"

namespace tomelin {
class Store;
struct StoreOpening;
}  // namespace tomelin

namespace tomelin::cli {

struct FinishedGame;

// For tests that stop the tool at a named moment: with TOMELIN_CLI_HOLD set to `name` the
// tool stops itself there (SIGSTOP) until it is continued or killed.
void holdPoint(const char* name);

// Tells on the error stream what had to be done to open the store (store_commands.cpp).
void reportStoreOpening(const StoreOpening& opening, std::ostream& err);

class GameKeeping {
public:
    // Opens the store of the environment; null (with the reason on `err`) when a game kept
    // there would not survive the run: a read-only store or none at all.
    static std::unique_ptr<GameKeeping> open(std::ostream& err);
    ~GameKeeping();

    // The kept game, or nothing (with one line on `err`: none kept, or why it was dropped; a
    // damaged one is cleared).
    std::optional<GameSnapshot> load(std::ostream& err);
    // Keeps the game as it stands after a turn change; a refusal prints its reason.
    bool keep(const Game& game, std::ostream& err);
    // The game ended: nothing is kept any more.
    bool clear(std::ostream& err);
    // The game ended and is recorded: the record written and the kept game removed in one
    // transaction (a kill in between loses neither).
    bool recordAndClear(const FinishedGame& game, std::ostream& err);

    void setBoardName(std::string name) { m_boardName = std::move(name); }
    void setTokens(const std::array<SnapshotToken, 2>& tokens) { m_tokens = tokens; }

private:
    explicit GameKeeping(std::unique_ptr<Store> store);
    std::unique_ptr<Store> m_store;
    std::string m_boardName;
    std::array<SnapshotToken, 2> m_tokens{};
};

// The tokens the tool's games carry: the first start's defaults.
std::array<SnapshotToken, 2> defaultKeptTokens();

}  // namespace tomelin::cli
