#include "records/game_record.h"
#include "records/time_list.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "core/winner.h"
#include "records/unfinished_game.h"

namespace tomelin {

namespace {

int channelLevel(int value) {
    const int clamped = std::clamp(value, 0, 255);
    return (255 - clamped) / 60;
}

// Level 0..4 of one colour letter; damaged letters take the nearest valid level.
int letterLevel(char letter) {
    if (letter >= 'a' && letter <= 'e')
        return letter - 'a';
    return std::clamp(static_cast<int>(static_cast<unsigned char>(letter)) - 'A', 0, 4);
}

const StoreValue* findValue(std::span<const StoredValue> values, std::string_view name) {
    // Values come ordered by name, but the store compares names without regard to ASCII
    // case, so look them up the same way.
    for (const StoredValue& value : values) {
        if (value.name.size() == name.size() &&
            std::equal(value.name.begin(), value.name.end(), name.begin(), [](char a, char b) {
                return (a >= 'A' && a <= 'Z' ? a + 32 : a) == (b >= 'A' && b <= 'Z' ? b + 32 : b);
            })) {
            return &value.value;
        }
    }
    return nullptr;
}

// The text of a value that is not needed afterwards: moved out instead of copied.
std::string takeText(std::vector<StoredValue>& values, std::string_view name) {
    for (StoredValue& value : values) {
        if (&value.value != findValue({&value, 1}, name))
            continue;
        if (auto* text = std::get_if<std::string>(&value.value))
            return std::move(*text);
        return valueText(value.value);
    }
    return {};
}

int intOf(const std::vector<StoredValue>& values, std::string_view name) {
    const StoreValue* value = findValue(values, name);
    return value ? valueInt(*value) : 0;
}

}  // namespace

std::string tokenString(std::uint32_t colour, int shape) {
    std::string text;
    for (int shift : {0, 8, 16}) {
        text += static_cast<char>('A' + channelLevel(static_cast<int>((colour >> shift) & 0xFF)));
    }
    text += std::to_string(shape);
    return text;
}

TokenStyle decodeTokenString(std::string_view text) {
    TokenStyle style;
    for (int i = 0; i < 3; ++i) {
        const int level = i < static_cast<int>(text.size()) ? letterLevel(text[i]) : 0;
        style.colour |= static_cast<std::uint32_t>(255 - 60 * level) << (8 * i);
    }
    const double shape = text.size() > 3 ? leadingNumber(text.substr(3)) : 0;
    style.shape = (shape >= 1 && shape <= 8) ? static_cast<int>(shape) : 1;
    return style;
}

bool isCompleteTokenString(std::string_view text) {
    return text.size() >= 4;
}

std::string recordKeyPath(int number) {
    std::string digits = std::to_string(number);
    if (digits.size() < 5)
        digits.insert(0, 5 - digits.size(), '0');
    return joinKeyPath(kRecordsKey, digits);
}

std::optional<int> recordNumberFromKeyName(std::string_view name) {
    if (name.empty() || name.size() > 9)
        return std::nullopt;
    int number = 0;
    for (char c : name) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    // Only the one spelling the writer uses names a record ("00001", not "1" or "000001").
    if (number < 1 || recordKeyPath(number) != joinKeyPath(kRecordsKey, name)) {
        return std::nullopt;
    }
    return number;
}

int movesFromCounter(double moveCounter) {
    return static_cast<int>(std::floor(moveCounter + 0.5));
}

GameRecord finishedGameRecord(const GameEnd& end) {
    GameRecord record;
    record.board = end.board;
    record.names = end.names;
    record.logic = logicNumber(end.logic);
    record.times =
        timesCode(timeListPositionOf(end.timeLimits[0]), timeListPositionOf(end.timeLimits[1]));
    record.counts = end.counts;
    for (int i = 0; i < 2; ++i)
        record.tokens[i] = tokenString(end.tokens[i].colour, end.tokens[i].shape);
    record.winner = winnerOfCounts(end.counts[0], end.counts[1]);
    record.moves = movesFromCounter(end.moveCounter);
    return record;
}

RecordWrite recordFinishedGame(Store& store, const GameEnd& end) {
    RecordWrite write = writeGameRecord(store, finishedGameRecord(end));
    // A file found damaged is replaced by a fresh one: the game goes there.
    if (write.outcome == RecordWrite::Outcome::Failed && store.recoverIfDamaged())
        write = writeGameRecord(store, finishedGameRecord(end));
    if (write.outcome == RecordWrite::Outcome::Failed && write.reason.empty())
        write.reason = store.failureReason();
    return write;
}

namespace {

RecordWrite recordAndForgetOnce(Store& store, const GameEnd& end,
                                const std::function<void()>& afterRemoval) {
    RecordWrite write;
    int status = kStatusOk;
    {
        StoreTransaction transaction(store);
        if (!transaction.started()) {
            status = store.readOnly() ? kStatusReadOnly : kStatusFailed;
        } else {
            if (store.openKey(kUnfinishedGameKey))
                status = store.DeleteRegKey(kUnfinishedGameKey);
            if (status == kStatusOk && afterRemoval)
                afterRemoval();
            if (status == kStatusOk) {
                write = writeGameRecord(store, finishedGameRecord(end));
                if (write.outcome == RecordWrite::Outcome::Failed)
                    status = write.status;
            }
            if (status == kStatusOk && !transaction.commit())
                status = kStatusFailed;
        }
    }
    if (status == kStatusOk) {
        store.releaseKeptGameClaim();
        return write;
    }
    write.outcome = RecordWrite::Outcome::Failed;
    write.number = 0;
    write.status = status;
    write.reason = store.failureReason();
    return write;
}

}  // namespace

RecordWrite recordAndForgetKeptGame(Store& store, const GameEnd& end,
                                    const std::function<void()>& afterRemoval) {
    RecordWrite write = recordAndForgetOnce(store, end, afterRemoval);
    if (write.outcome != RecordWrite::Outcome::Failed)
        return write;
    // A file found damaged is replaced by a fresh one: the game goes there.
    if (store.recoverIfDamaged()) {
        write = recordAndForgetOnce(store, end, afterRemoval);
        if (write.outcome != RecordWrite::Outcome::Failed)
            return write;
    }
    // The record is lost either way; an ended game offered again would be worse.
    if (store.openKey(kUnfinishedGameKey) &&
        store.DeleteRegKey(kUnfinishedGameKey) == kStatusOk)
        store.releaseKeptGameClaim();
    return write;
}

std::vector<StoredGameRecord> readGameRecords(Store& store) {
    std::vector<StoredGameRecord> rows;
    // Every record key with its values in one read, in ascending number.
    std::vector<NumberedSubkey> keys = numberedSubkeys(store, kRecordsKey, recordNumberFromKeyName);
    rows.reserve(keys.size());
    for (auto& [number, values] : keys) {
        GameRecord r;
        r.board = takeText(values, kRecBoard);
        if (r.board.empty())
            continue;  // a free number, not a record
        r.names = {takeText(values, kRecPlayer1), takeText(values, kRecPlayer2)};
        r.logic = intOf(values, kRecLogic);
        r.times = intOf(values, kRecTimes);
        r.counts = {intOf(values, kRecCount1), intOf(values, kRecCount2)};
        r.tokens = {takeText(values, kRecToken1), takeText(values, kRecToken2)};
        r.winner = intOf(values, kRecWinner);
        r.moves = intOf(values, kRecMoves);
        rows.push_back({number, std::move(r)});
    }
    return rows;
}

int lowestFreeRecordNumber(Store& store) {
    // Only the names of the taken keys are read, not the records. With n of them the answer
    // is at most n + 1, so larger numbers need not be remembered.
    const std::vector<std::string> names = store.subkeysWithNonEmptyValue(kRecordsKey, kRecBoard);
    std::vector<bool> taken(names.size() + 2, false);
    for (const std::string& name : names) {
        const auto number = recordNumberFromKeyName(name);
        if (number && *number < static_cast<int>(taken.size()))
            taken[static_cast<std::size_t>(*number)] = true;
    }
    int number = 1;
    while (taken[static_cast<std::size_t>(number)])
        ++number;
    return number;
}

RecordWrite writeGameRecord(Store& store, const GameRecord& record) {
    RecordWrite result;
    if (record.winner != 1 && record.winner != 2)
        return result;
    if (record.counts[0] + record.counts[1] == 0)
        return result;

    result.outcome = RecordWrite::Outcome::Failed;
    // The board name marks the record as present: without one it could never be read.
    if (record.board.empty()) {
        result.status = kStatusBadValue;
        return result;
    }
    StoreTransaction transaction(store);
    if (!transaction.started()) {
        result.status = store.readOnly() ? kStatusReadOnly : kStatusFailed;
        return result;
    }
    const int number = lowestFreeRecordNumber(store);
    const std::string path = recordKeyPath(number);

    // A key whose unnamed value was lost may still hold old values: start it afresh.
    int status = store.DeleteRegKey(path);
    if (status == kStatusOk)
        status = store.CreateRegKey(path);
    const KeyHandle key = store.openKey(path);
    auto put = [&](const char* name, const StoreValue& value, int type) {
        if (status == kStatusOk)
            status = store.WriteValueToKey(key, name, type, value);
    };
    put(kRecBoard, record.board, kTypeText);
    put(kRecMoves, record.moves, kTypeInt);
    put(kRecPlayer1, record.names[0], kTypeText);
    put(kRecPlayer2, record.names[1], kTypeText);
    put(kRecLogic, record.logic, kTypeInt);
    put(kRecTimes, record.times, kTypeInt);
    put(kRecCount1, record.counts[0], kTypeInt);
    put(kRecCount2, record.counts[1], kTypeInt);
    put(kRecToken1, record.tokens[0], kTypeText);
    put(kRecToken2, record.tokens[1], kTypeText);
    put(kRecWinner, record.winner, kTypeInt);
    if (status != kStatusOk) {
        result.status = status;
        return result;
    }
    if (!transaction.commit()) {
        result.status = kStatusFailed;
        return result;
    }
    result.outcome = RecordWrite::Outcome::Written;
    result.number = number;
    return result;
}

}  // namespace tomelin
