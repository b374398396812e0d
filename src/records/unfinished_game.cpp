#include "records/unfinished_game.h"
#include "records/time_list.h"

#include <cstdlib>
#include <sstream>

namespace tomelin {

namespace {

std::string tokenText(const SnapshotToken& t) {
    return std::to_string(t.colour) + " " + std::to_string(t.shape) + " " +
           std::to_string(t.secondColour);
}

// Whole decimal numbers separated by single spaces, exactly `count` of them.
bool readNumbers(const std::string& text, std::size_t count, std::vector<long long>& out) {
    out.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = text.find(' ', i);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(i, end - i);
        if (word.empty() || word.size() > 11)
            return false;
        // Only the writer's own spelling: digits, with a minus for the clock codes.
        for (std::size_t k = 0; k < word.size(); ++k) {
            if (!(word[k] >= '0' && word[k] <= '9') && !(k == 0 && word[k] == '-' && word.size() > 1))
                return false;
        }
        char* stop = nullptr;
        const long long v = std::strtoll(word.c_str(), &stop, 10);
        if (*stop != '\0')
            return false;
        out.push_back(v);
        i = end + 1;
        if (end == text.size())
            break;
    }
    return out.size() == count && (text.empty() || text.back() != ' ');
}

std::optional<SnapshotToken> parseToken(const std::string& text) {
    std::vector<long long> n;
    if (!readNumbers(text, 3, n) || n[0] < 0 || n[0] > 0xFFFFFF || n[1] < 1 || n[1] > 8 ||
        n[2] < 0 || n[2] > 0xFFFFFF)
        return std::nullopt;
    return SnapshotToken{static_cast<Rgb>(n[0]), static_cast<int>(n[1]), static_cast<Rgb>(n[2])};
}

std::vector<std::string> splitSpaces(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

// The values of the key by name, read in one go.
class KeptValues {
public:
    explicit KeptValues(std::vector<StoredValue> values) : m_values(std::move(values)) {}
    bool empty() const { return m_values.empty(); }
    const std::string* text(const char* name) const {
        const StoreValue* v = find(name);
        return v ? std::get_if<std::string>(v) : nullptr;
    }
    const std::int32_t* number(const char* name) const {
        const StoreValue* v = find(name);
        return v ? std::get_if<std::int32_t>(v) : nullptr;
    }

private:
    const StoreValue* find(const char* name) const {
        for (const StoredValue& v : m_values) {
            if (v.name == name)
                return &v.value;
        }
        return nullptr;
    }
    std::vector<StoredValue> m_values;
};

UnfinishedGameRead damaged(std::string problem) {
    UnfinishedGameRead r;
    r.outcome = UnfinishedGameRead::Outcome::Damaged;
    r.problem = std::move(problem);
    return r;
}

}  // namespace

namespace {

KeepResult writeUnfinishedGameOnce(Store& store, const GameSnapshot& s) {
    KeepResult result;
    if (store.readOnly()) {
        result.status = kStatusReadOnly;
        result.reason = store.writeRefusal();
        return result;
    }
    StoreTransaction transaction(store);
    if (!transaction.started()) {
        result.status = kStatusFailed;
        return result;
    }
    int status = store.CreateRegKey(kUnfinishedGameKey);
    const KeyHandle key = store.openKey(kUnfinishedGameKey);
    auto put = [&](const char* name, const StoreValue& value, int type) {
        if (status == kStatusOk)
            status = store.WriteValueToKey(key, name, type, value);
    };
    std::string list;
    for (const std::string& entry : s.moveList) {
        if (!list.empty())
            list += ' ';
        list += entry;
    }
    std::string last;
    if (s.lastSource && s.lastTarget) {
        last = std::to_string(s.lastSource->x) + " " + std::to_string(s.lastSource->y) + " " +
               std::to_string(s.lastTarget->x) + " " + std::to_string(s.lastTarget->y);
    }
    const std::array<PlayerSetup, 2>& players = s.setup.players;
    // The board string with the starting player's digit glued on.
    put(kUgDescriptor, s.setup.board + std::to_string(number(s.setup.starting)), kTypeText);
    put(kUgBoardName, s.boardName, kTypeText);
    put(kUgPlayer1, players[0].name, kTypeText);
    put(kUgPlayer2, players[1].name, kTypeText);
    put(kUgKind1, kindNumber(players[0].kind), kTypeInt);
    put(kUgKind2, kindNumber(players[1].kind), kTypeInt);
    put(kUgLogic, logicNumber(s.setup.logic), kTypeInt);
    put(kUgTimes,
        10 * timeListPositionOf(players[0].timeLimit) + timeListPositionOf(players[1].timeLimit),
        kTypeInt);
    put(kUgToken1, tokenText(s.tokens[0]), kTypeText);
    put(kUgToken2, tokenText(s.tokens[1]), kTypeText);
    put(kUgMoveList, list, kTypeText);
    put(kUgMoves, s.movesMade(), kTypeInt);
    put(kUgToMove, number(s.playerToMove), kTypeInt);
    put(kUgTime1, s.timeLeft[0], kTypeInt);
    put(kUgTime2, s.timeLeft[1], kTypeInt);
    put(kUgLastMove, last, kTypeText);
    if (status == kStatusOk && !transaction.commit())
        status = kStatusFailed;
    if (status != kStatusOk) {
        result.status = status;
        result.reason = store.failureReason();
        return result;
    }
    // The game this program keeps is its own to go on with: no other may take it.
    store.takeKeptGameClaim();
    return result;
}

}  // namespace

KeepResult writeUnfinishedGame(Store& store, const GameSnapshot& s) {
    KeepResult result = writeUnfinishedGameOnce(store, s);
    // A file found damaged is replaced by a fresh one: the game is kept there.
    if (!result.ok() && result.status != kStatusReadOnly && store.recoverIfDamaged())
        result = writeUnfinishedGameOnce(store, s);
    return result;
}

KeepResult clearUnfinishedGame(Store& store) {
    KeepResult result;
    if (!store.openKey(kUnfinishedGameKey))
        return result;  // nothing to forget, even in a store that takes no writes
    if (store.readOnly()) {
        result.status = kStatusReadOnly;
        result.reason = store.writeRefusal();
        return result;
    }
    result.status = store.DeleteRegKey(kUnfinishedGameKey);
    if (!result.ok()) {
        result.reason = store.failureReason();
        return result;
    }
    store.releaseKeptGameClaim();
    return result;
}

UnfinishedGameTake takeUnfinishedGame(Store& store) {
    UnfinishedGameTake take;
    if (!store.takeKeptGameClaim()) {
        take.outcome = UnfinishedGameTake::Outcome::InPlay;
        return take;
    }
    // Read only once the claim is held: a game another program has just finished is gone.
    take.read = readUnfinishedGame(store);
    switch (take.read.outcome) {
        case UnfinishedGameRead::Outcome::Ready:
            take.outcome = UnfinishedGameTake::Outcome::Taken;
            return take;
        case UnfinishedGameRead::Outcome::None:
            take.outcome = UnfinishedGameTake::Outcome::None;
            break;
        case UnfinishedGameRead::Outcome::Damaged:
            take.outcome = UnfinishedGameTake::Outcome::Damaged;
            break;
    }
    store.releaseKeptGameClaim();
    return take;
}

bool unfinishedGameInPlay(Store& store) {
    return store.keptGameClaimedElsewhere();
}

UnfinishedGameRead readUnfinishedGame(Store& store) {
    const KeyHandle key = store.openKey(kUnfinishedGameKey);
    if (!key)
        return {};
    const KeptValues v(store.values(key));
    if (v.empty())
        return {};

    const std::string* descriptor = v.text(kUgDescriptor);
    const std::string* boardName = v.text(kUgBoardName);
    const std::string* name1 = v.text(kUgPlayer1);
    const std::string* name2 = v.text(kUgPlayer2);
    const std::string* token1 = v.text(kUgToken1);
    const std::string* token2 = v.text(kUgToken2);
    const std::string* list = v.text(kUgMoveList);
    const std::string* last = v.text(kUgLastMove);
    const std::int32_t* kind1 = v.number(kUgKind1);
    const std::int32_t* kind2 = v.number(kUgKind2);
    const std::int32_t* logic = v.number(kUgLogic);
    const std::int32_t* times = v.number(kUgTimes);
    const std::int32_t* moves = v.number(kUgMoves);
    const std::int32_t* toMove = v.number(kUgToMove);
    const std::int32_t* time1 = v.number(kUgTime1);
    const std::int32_t* time2 = v.number(kUgTime2);
    if (!descriptor || !boardName || !name1 || !name2 || !token1 || !token2 || !list || !last ||
        !kind1 || !kind2 || !logic || !times || !moves || !toMove || !time1 || !time2)
        return damaged("a value is missing or of the wrong type");

    UnfinishedGameRead r;
    GameSnapshot& s = r.snapshot;
    // The descriptor: the board string and the starting player's digit.
    const char startDigit = descriptor->empty() ? '\0' : descriptor->back();
    if (startDigit != '1' && startDigit != '2')
        return damaged(snapshotErrorText(SnapshotError::BadBoard));
    s.setup.board = descriptor->substr(0, descriptor->size() - 1);
    s.setup.starting = playerOf(startDigit - '0');
    s.boardName = *boardName;
    // A kind the name does not give is refused by checkSnapshot below; a number no kind
    // has is refused here.
    const std::int32_t kinds[2] = {*kind1, *kind2};
    for (const std::int32_t kind : kinds) {
        if (kind < 0 || kind > kMasterKind)
            return damaged(snapshotErrorText(SnapshotError::BadPlayers));
    }
    s.setup.players[0].name = *name1;
    s.setup.players[1].name = *name2;
    s.setup.players[0].kind = playerKindOf(*kind1);
    s.setup.players[1].kind = playerKindOf(*kind2);
    if (*logic != 1 && *logic != 2)
        return damaged("logic " + std::to_string(*logic));
    s.setup.logic = *logic == 1 ? Logic::Star : Logic::Cross;
    if (*times < 0 || *times > 44 || *times % 10 > 4)
        return damaged("time limits " + std::to_string(*times));
    s.setup.players[0].timeLimit = timeLimitAtListPosition(*times / 10);
    s.setup.players[1].timeLimit = timeLimitAtListPosition(*times % 10);
    const auto t1 = parseToken(*token1);
    const auto t2 = parseToken(*token2);
    if (!t1 || !t2)
        return damaged("a token is damaged");
    s.tokens = {*t1, *t2};
    s.moveList = splitSpaces(*list);
    if (*moves != s.movesMade() || s.moveList.empty())
        return damaged("the move count does not match the move list");
    // A side other than 1 or 2 is the turn checkSnapshot would refuse.
    if (*toMove != 1 && *toMove != 2)
        return damaged(snapshotErrorText(SnapshotError::BadTurn));
    s.playerToMove = playerOf(*toMove);
    s.timeLeft = {*time1, *time2};
    if (!last->empty()) {
        std::vector<long long> n;
        if (!readNumbers(*last, 4, n))
            return damaged("the last move is damaged");
        for (const long long c : n) {
            if (c < 0 || c >= kMaxSide)
                return damaged("the last move is off the board");
        }
        s.lastSource = CellPos{static_cast<int>(n[0]), static_cast<int>(n[1])};
        s.lastTarget = CellPos{static_cast<int>(n[2]), static_cast<int>(n[3])};
    }
    if (const auto error = checkSnapshot(s))
        return damaged(snapshotErrorText(*error));
    r.outcome = UnfinishedGameRead::Outcome::Ready;
    return r;
}

std::string unfinishedGameSummary(const GameSnapshot& s) {
    std::string text = trText("Startup", "%1, %2. tah");
    const std::string parts[2] = {trText("Boards", s.boardName.c_str()),
                                  std::to_string(s.movesMade() / 2 + 1)};
    // Each mark is replaced once, in the order of the marks, so a board name holding "%2"
    // stays as it is.
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find('%', from);
        if (at == std::string::npos || at + 1 >= text.size())
            break;
        const char mark = text[at + 1];
        if (mark != '1' && mark != '2') {
            from = at + 1;
            continue;
        }
        const std::string& part = parts[mark - '1'];
        text.replace(at, 2, part);
        from = at + part.size();
    }
    return text;
}

}  // namespace tomelin
