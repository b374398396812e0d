// The tool's commands over the persistent store: `store list|get|set|delete`, `records`,
// and the `--record` option of `play`, which stores finished games as the game window does.

#include <algorithm>
#include <climits>
#include <memory>
#include <ostream>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/game_keeping.h"
#include "cli/options.h"
#include "cli/play.h"
#include "core/board.h"
#include "platform/store/sqlite_store.h"
#include "platform/store/store_location.h"
#include "records/game_record.h"
#include "records/pgn_records.h"
#include "records/store_check.h"
#include "records/survey.h"

namespace tomelin::cli {

namespace {

// The default tokens of the first start: player 1 shape 1 in (255, 135, 15), player 2
// shape 5 in (15, 135, 255).
constexpr std::uint32_t kDefaultColour1 = 255 | (135 << 8) | (15 << 16);
constexpr std::uint32_t kDefaultColour2 = 15 | (135 << 8) | (255 << 16);
// A --board-string game has no board name; the record needs one to be found again (stored,
// not translated).
constexpr const char* kUnnamedBoard = "Vlastní pole";

// Tells on the error stream what had to be done to open the store: the technical reason,
// where a damaged file went, and the user's message in Czech.
void reportOpening(const StoreOpening& opening, std::ostream& err) {
    if (!opening.hasProblem())
        return;
    const std::string note = "tomelin-cli: " + cliTr("store", "note: ");
    err << note << withoutControls(opening.problem) << "\n";
    if (opening.movedAsideTo) {
        err << note << cliTr("store", "the damaged file was moved to ")
            << withoutControls(*opening.movedAsideTo) << "\n";
    }
    if (!opening.persistent)
        err << note << cliTr("store", "nothing will be kept") << "\n";
    if (opening.readOnly())
        err << note << cliTr("store", "the store is read-only; changes are refused") << "\n";
    err << "tomelin-cli: " << withoutControls(opening.czechMessage()) << "\n";
}

// Opens the store named by the environment and reports how (see reportOpening). Never null.
std::unique_ptr<Store> openForCommand(CommandIo& io) {
    messageLanguage();  // chosen before the store is opened (see cli_text.h)
    StoreOpening opening = openDefaultStore();
    reportOpening(opening, io.err);
    return std::move(opening.store);
}

// The store for a command that changes it; null (with the reason on the error stream) when
// the change would be thrown away with a store that lives only in memory.
std::unique_ptr<Store> openForChange(CommandIo& io) {
    messageLanguage();  // chosen before the store is opened (see cli_text.h)
    StoreOpening opening = openDefaultStore();
    reportOpening(opening, io.err);
    if (!opening.persistent) {
        io.err << "tomelin-cli: "
               << cliTr("store",
                        "the change is refused: the store file cannot be used, so it "
                        "would not be kept")
               << "\n";
        return nullptr;
    }
    return std::move(opening.store);
}

// The line for a write the store refused.
void reportRefusal(Store& store, int status, const std::string& what, CommandIo& io) {
    if (status == kStatusReadOnly && !store.writeRefusal().empty()) {
        io.err << "tomelin-cli: "
               << cliArgs(cliTr("store", "%1 refused: %2"),
                          {what, withoutControls(store.writeRefusal())})
               << "\n";
        return;
    }
    const std::string reason = store.failureReason();
    io.err << "tomelin-cli: " << cliArgs(cliTr("store", "the store refused %1"), {what})
           << (reason.empty() ? std::string() : ": " + withoutControls(reason)) << "\n";
}

// Control characters would break the one-value-per-line output or steer the terminal; they
// are shown escaped, as in the error lines.
std::string printable(const std::string& text) {
    return withoutControls(text);
}

std::string typeName(int type) {
    if (type == kTypeText)
        return "text";
    if (type == kTypeInt)
        return "int";
    return "type" + std::to_string(type);
}

void listKey(Store& store, const std::string& path, CommandIo& io) {
    const std::vector<StoredValue> values = store.values(store.openKey(path));
    if (values.empty() && !path.empty())
        io.out << printable(path) << "\n";
    for (const StoredValue& value : values) {
        io.out << printable(path) << "\t" << printable(value.name) << "\t" << typeName(value.type)
               << "\t" << printable(valueText(value.value)) << "\n";
    }
    std::vector<std::string> names = store.subkeyNames(path);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        listKey(store, joinKeyPath(path, name), io);
}

int storeList(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() > 1)
        return usageError(io, cliTr("store", "store list takes at most one KEYPATH"));
    auto store = openForCommand(io);
    const std::string path = normalizeKeyPath(args.empty() ? "" : args[0]);
    if (!path.empty() && !store->openKey(path)) {
        io.err << "tomelin-cli: " << cliArgs(cliTr("store", "no key %1"), {quotedArg(path)})
               << "\n";
        return kExitFailure;
    }
    listKey(*store, path, io);
    return kExitOk;
}

int storeGet(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 2)
        return usageError(io, cliTr("store", "store get needs KEYPATH NAME"));
    auto store = openForCommand(io);
    StoreValue value;
    const int status = store->ReadValueFromKey(store->openKey(args[0]), args[1], value);
    if (status == kStatusUnsupported) {
        io.err << "tomelin-cli: "
               << cliArgs(cliTr("store", "value %1 has a type this program cannot read"),
                          {quotedArg(args[1])})
               << "\n";
        return kExitFailure;
    }
    if (status != kStatusOk) {
        io.err << "tomelin-cli: "
               << cliArgs(cliTr("store", "no value %1 in %2"),
                          {quotedArg(args[1]), quotedArg(args[0])})
               << "\n";
        return kExitFailure;
    }
    io.out << printable(valueText(value)) << "\n";
    return kExitOk;
}

int storeSet(const std::vector<std::string>& args, CommandIo& io) {
    std::vector<std::string> words;
    bool integer = false;
    for (const std::string& arg : args) {
        if (arg == "--int") {
            integer = true;
        } else {
            words.push_back(arg);
        }
    }
    if (words.size() != 3)
        return usageError(io, cliTr("store", "store set needs KEYPATH NAME VALUE [--int]"));
    if (normalizeKeyPath(words[0]).empty())
        return usageError(io, cliTr("store", "store set needs a KEYPATH"));
    StoreValue value = words[2];
    if (integer) {
        const auto number = parseInteger(words[2], INT32_MIN, INT32_MAX);
        if (!number) {
            return usageError(io, cliArgs(cliTr("store", "%1 is not a whole number for --int"),
                                          {quotedArg(words[2])}));
        }
        value = static_cast<std::int32_t>(*number);
    }
    auto store = openForChange(io);
    if (!store)
        return kExitFailure;
    StoreTransaction transaction(*store);
    int status = store->CreateRegKey(words[0]);
    if (status == kStatusOk)
        status = store->WriteRegValue(words[0], words[1], value, integer ? kTypeInt : kTypeText);
    if (status == kStatusOk && !transaction.commit())
        status = kStatusFailed;
    if (status != kStatusOk) {
        reportRefusal(*store, status, cliTr("store", "the write"), io);
        return kExitFailure;
    }
    return kExitOk;
}

int storeDelete(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 1)
        return usageError(io, cliTr("store", "store delete needs one KEYPATH"));
    if (normalizeKeyPath(args[0]).empty()) {
        return usageError(io, cliTr("store", "store delete needs a KEYPATH below the root"));
    }
    auto store = openForChange(io);
    if (!store)
        return kExitFailure;
    const int status = store->DeleteRegKey(args[0]);
    if (status == kStatusHasSubkeys) {
        io.err << "tomelin-cli: "
               << cliArgs(cliTr("store", "%1 has subkeys; delete them first"), {quotedArg(args[0])})
               << "\n";
        return kExitFailure;
    }
    if (status != kStatusOk) {
        reportRefusal(*store, status, cliArgs(cliTr("store", "deleting %1"), {quotedArg(args[0])}),
                      io);
        return kExitFailure;
    }
    return kExitOk;
}

// Writes one finished game of `play` the way game end in the game window does.
bool storeFinishedGame(Store& store, const FinishedGame& game, std::ostream& err) {
    const RecordWrite write = recordFinishedGame(store, finishedGameEnd(game));
    reportNotice(store, err);
    if (write.outcome == RecordWrite::Outcome::Failed) {
        reportRecordFailure(game, write, err);
        return false;
    }
    return true;
}

}  // namespace

void reportNotice(Store& store, std::ostream& err) {
    const std::string notice = store.takeNotice();
    if (!notice.empty())
        err << "tomelin-cli: " << withoutControls(notice) << "\n";
}

GameEnd finishedGameEnd(const FinishedGame& game) {
    std::string board = game.boardName;
    if (board.empty()) {
        board = kUnnamedBoard;
        for (const BuiltinBoard& builtin : builtinBoards()) {
            if (builtin.boardString == game.boardString)
                board = builtin.name;
        }
    }
    return GameEnd{.board = board,
                   .names = game.names,
                   .logic = game.logic,
                   .counts = {game.tokens1, game.tokens2},
                   .tokens = {TokenStyle{kDefaultColour1, 1}, TokenStyle{kDefaultColour2, 5}},
                   .moveCounter = game.moveCounter};
}

void reportRecordFailure(const FinishedGame& game, const RecordWrite& write, std::ostream& err) {
    err << "tomelin-cli: "
        << cliArgs(cliTr("store", "game %1 could not be recorded"),
                   {std::to_string(game.gameIndex)});
    if (!write.reason.empty())
        err << ": " << withoutControls(write.reason);
    else
        err << cliArgs(cliTr("store", " (status %1)"), {std::to_string(write.status)});
    err << "\n";
}

// `store check`: every entry the program cannot read, looked at through a read-only
// connection (a damaged file is not moved aside, nothing is created).
int storeCheck(const std::vector<std::string>& args, CommandIo& io) {
    if (!args.empty())
        return usageError(io, cliTr("store", "store check takes no arguments"));
    messageLanguage();  // chosen before the store is opened (see cli_text.h)
    const std::string path = defaultStorePath();
    SqliteStore::OpenResult opened = SqliteStore::openReadOnly(path);
    if (!opened.store) {
        io.err << "tomelin-cli: "
               << cliArgs(cliTr("store", "the store %1 cannot be read: %2"),
                          {quotedArg(path), withoutControls(opened.detail)})
               << "\n";
        return kExitFailure;
    }
    const StoreCheck check = checkStore(*opened.store);
    for (const auto* entries : {&check.records, &check.boards}) {
        for (const StoreEntryProblem& entry : *entries)
            io.out << printable(entry.key) << "\t" << entry.what << "\n";
    }
    const std::size_t found = check.records.size() + check.boards.size();
    if (found == 0) {
        io.out << cliTr("store", "every entry can be read") << "\n";
        return kExitOk;
    }
    const int entries = static_cast<int>(found);
    io.out << (entries == 1
                   ? cliTr("store",
                           "1 entry cannot be read or are not expected; nothing was changed")
                   : cliTr("store",
                           "%n entries cannot be read or are not expected; nothing was changed",
                           nullptr, entries))
           << "\n";
    return kExitFailure;
}

void reportStoreOpening(const StoreOpening& opening, std::ostream& err) {
    reportOpening(opening, err);
}

int storeCommand(const std::vector<std::string>& args, CommandIo& io) {
    if (args.empty())
        return usageError(io, cliTr("store", "store needs list, get, set, delete or check"));
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "list")
        return storeList(rest, io);
    if (args[0] == "get")
        return storeGet(rest, io);
    if (args[0] == "set")
        return storeSet(rest, io);
    if (args[0] == "delete")
        return storeDelete(rest, io);
    if (args[0] == "check")
        return storeCheck(rest, io);
    return usageError(io,
                      cliArgs(cliTr("store", "unknown store command %1"), {quotedArg(args[0])}));
}

int recordsCommand(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() == 1 && args[0] == "--pgn") {
        writeRecordsPgn(*openForCommand(io), io.out);
        return kExitOk;
    }
    if (!args.empty())
        return usageError(io, cliTr("records", "records takes no arguments but --pgn"));
    auto store = openForCommand(io);
    const Survey survey = readSurvey(*store);
    for (int number : survey.skippedNumbers) {
        io.err << "tomelin-cli: "
               << cliArgs(cliTr("records", "note: record %1 is damaged and was skipped"),
                          {std::to_string(number)})
               << "\n";
    }
    for (int k = 0; k < survey.recordCount(); ++k) {
        const GameRecord& r = survey.records[static_cast<std::size_t>(k)];
        io.out << "record";
        for (const std::string& field :
             {r.board, r.names[0], r.names[1], std::to_string(r.logic), std::to_string(r.moves),
              r.names[static_cast<std::size_t>(r.winner - 1)], std::to_string(r.times),
              std::to_string(r.counts[0]), std::to_string(r.counts[1]),
              tenthsText(survey.shareTenths[static_cast<std::size_t>(k)])}) {
            io.out << "\t" << printable(field);
        }
        io.out << "\n";
    }
    for (const std::string& name : survey.viewerPlayers) {
        const PlayerStats stats = playerStatistics(survey, name);
        io.out << "player\t" << printable(name) << "\t" << stats.won << "\t" << stats.lost << "\t"
               << stats.played << "\t" << hundredthsText(stats.rateHundredths) << "\n";
    }
    return kExitOk;
}

bool recordPlayedGame(std::unique_ptr<Store>& store, const FinishedGame& game, std::ostream& err) {
    if (!store) {
        messageLanguage();  // chosen before the store is opened (see cli_text.h)
        StoreOpening opening = openDefaultStore();
        reportOpening(opening, err);
        // Recording into a store that is not kept would report success for nothing.
        if (!opening.keepsWrites()) {
            err << "tomelin-cli: " << cliTr("store", "games cannot be recorded: ")
                << (opening.readOnly() ? cliTr("store", "the store file is read-only")
                                       : cliTr("store", "no usable store file"))
                << "\n";
            return false;
        }
        store = std::move(opening.store);
    }
    return storeFinishedGame(*store, game, err);
}

}  // namespace tomelin::cli
