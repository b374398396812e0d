#include "records/store_check.h"

#include <algorithm>

#include "boards/board_list.h"
#include "core/board.h"
#include "core/texts.h"
#include "records/game_record.h"
#include "records/survey.h"

namespace tomelin {

namespace {

bool hasValue(const std::vector<StoredValue>& values, std::string_view name) {
    return std::any_of(values.begin(), values.end(), [&](const StoredValue& v) {
        return v.name.size() == name.size() &&
               std::equal(v.name.begin(), v.name.end(), name.begin(), [](char a, char b) {
                   return (a >= 'A' && a <= 'Z' ? a + 32 : a) ==
                          (b >= 'A' && b <= 'Z' ? b + 32 : b);
               });
    });
}

const StoredValue* unnamed(const std::vector<StoredValue>& values) {
    for (const StoredValue& v : values) {
        if (v.name.empty())
            return &v;
    }
    return nullptr;
}

// "1 záznam hry", "3 záznamy her", "5 záznamů her".
std::string recordsWord(int n) {
    // A translator gives each language its plural forms.
    if (hasTextTranslator())
        return trText("StoreCheck", "%n záznamů her", nullptr, n);
    // Czech without a translator (the headless tool, the tests).
    if (n == 1)
        return "1 záznam hry";
    return std::to_string(n) + (n >= 2 && n <= 4 ? " záznamy her" : " záznamů her");
}

// "1 hrací pole", "5 hracích polí".
std::string boardsWord(int n) {
    if (hasTextTranslator())
        return trText("StoreCheck", "%n hracích polí", nullptr, n);
    // Czech without a translator.
    return std::to_string(n) + (n <= 4 ? " hrací pole" : " hracích polí");
}

}  // namespace

StoreCheck checkStore(Store& store) {
    StoreCheck check;
    const Survey survey = readSurvey(store);
    for (const SubkeyValues& key : store.subkeysWithValues(kRecordsKey)) {
        const std::string path = joinKeyPath(kRecordsKey, key.name);
        const auto number = recordNumberFromKeyName(key.name);
        if (!number) {
            check.records.push_back({path, "not a record number as the program writes it"});
            ++check.hiddenRecords;
            continue;
        }
        const StoredValue* board = unnamed(key.values);
        if (!board || isEmptyValue(board->value)) {
            // A free number; values without a board name are a record that lost it.
            if (!key.values.empty()) {
                check.records.push_back({path, "values but no board name"});
                ++check.hiddenRecords;
            }
            continue;
        }
        if (std::find(survey.skippedNumbers.begin(), survey.skippedNumbers.end(), *number) !=
            survey.skippedNumbers.end()) {
            const bool winner = hasValue(key.values, kRecWinner);
            check.records.push_back({path, winner ? "damaged: a token or the winner cannot be read"
                                                  : "damaged: no winner"});
            ++check.hiddenRecords;
        }
    }
    for (const SubkeyValues& key : store.subkeysWithValues(kBoardsKey)) {
        const std::string path = joinKeyPath(kBoardsKey, key.name);
        if (!slotFromText(key.name)) {
            check.boards.push_back({path, "not a board slot 01..99"});
            ++check.hiddenBoards;
            continue;
        }
        const StoredValue* name = unnamed(key.values);
        if (!name || isEmptyValue(name->value)) {
            if (!key.values.empty()) {
                check.boards.push_back({path, "a board without a name"});
                ++check.hiddenBoards;
            }
            continue;
        }
        std::string text;
        for (const StoredValue& v : key.values) {
            if (hasValue({v}, kBoardStringValue))
                text = valueText(v.value);
        }
        if (checkBoardString(text))
            check.boards.push_back({path, "not a playable board (listed, but it never starts)"});
    }
    auto byKey = [](const StoreEntryProblem& a, const StoreEntryProblem& b) {
        return a.key < b.key;
    };
    std::sort(check.records.begin(), check.records.end(), byKey);
    std::sort(check.boards.begin(), check.boards.end(), byKey);
    return check;
}

std::string hiddenEntriesMessage(const StoreCheck& check, const std::string& storePath) {
    if (check.hiddenRecords == 0 && check.hiddenBoards == 0)
        return {};
    std::string what;
    if (check.hiddenRecords > 0)
        what = recordsWord(check.hiddenRecords);
    if (check.hiddenBoards > 0)
        what += (what.empty() ? "" : trText("StoreCheck", " a ")) + boardsWord(check.hiddenBoards);
    std::string text = trText("StoreCheck",
                              "V souboru s uloženými hracími poli a záznamy her „%1“ "
                              "nelze přečíst %2. Zůstávají v souboru beze změny; "
                              "vypíše je příkaz „tomelin-cli store check“.");
    // The path first, then what: a path holding "%2" stays as it is.
    const std::size_t what_at = text.find("%2");
    if (what_at != std::string::npos)
        text.replace(what_at, 2, what);
    return withValue(std::move(text), storePath);
}

}  // namespace tomelin
