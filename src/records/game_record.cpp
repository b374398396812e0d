#include "records/game_record.h"

#include <algorithm>
#include <cmath>
#include <set>

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

GameRecord finishedGameRecord(std::string_view boardName, const std::array<std::string, 2>& names,
                              std::string_view logicLabel, const std::array<int, 2>& timeListPos,
                              const std::array<int, 2>& counts,
                              const std::array<TokenStyle, 2>& tokens, double moveCounter) {
    GameRecord record;
    record.board = std::string(boardName);
    record.names = names;
    record.logic = logicCode(logicLabel);
    record.times = timesCode(timeListPos[0], timeListPos[1]);
    record.counts = counts;
    for (int i = 0; i < 2; ++i)
        record.tokens[i] = tokenString(tokens[i].colour, tokens[i].shape);
    record.winner = winnerFromCounts(counts[0], counts[1]);
    record.moves = movesFromCounter(moveCounter);
    return record;
}

int lowestFreeRecordNumber(Store& store) {
    std::set<int> taken;
    for (const NumberedSubkey& record :
         numberedSubkeys(store, kRecordsKey, recordNumberFromKeyName, kRecBoard)) {
        if (!record.values.empty() && !isEmptyValue(record.values.front().value))
            taken.insert(record.number);
    }
    int number = 1;
    for (int used : taken) {
        if (used != number)
            break;
        ++number;
    }
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
