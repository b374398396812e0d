#include "records/survey.h"

#include <algorithm>
#include <unordered_set>

#include "records/game_record.h"

namespace tomelin {

namespace {

const StoreValue* findValue(const std::vector<StoredValue>& values, std::string_view name) {
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

std::string textOf(const std::vector<StoredValue>& values, std::string_view name) {
    const StoreValue* value = findValue(values, name);
    return value ? valueText(*value) : std::string();
}

int intOf(const std::vector<StoredValue>& values, std::string_view name) {
    const StoreValue* value = findValue(values, name);
    return value ? valueInt(*value) : 0;
}

// Tenths of a percent of `part` in `whole`, cut: 20 of 32 -> 625.
int shareTenthsOf(long long part, long long whole) {
    if (whole <= 0)
        return 500;  // no tokens at all: neither side held more
    return static_cast<int>(std::clamp(1000 * part / whole, 0LL, 1000LL));
}

// "(" + count + ")". Built by appending: GCC 12 warns wrongly (-Wrestrict) about
// a literal prepended to a temporary string.
std::string bracketed(int count) {
    std::string text = "(";
    text += std::to_string(count);
    text += ')';
    return text;
}

bool entersPlayerLists(const std::string& name) {
    return !name.empty() && name != kDrawName && name != kDefaultName1 && name != kDefaultName2;
}

}  // namespace

Survey PruzkHer(Store& store) {
    Survey survey;
    // Every record key with its values in one read, in ascending number.
    const std::vector<NumberedSubkey> records =
        numberedSubkeys(store, kRecordsKey, recordNumberFromKeyName);

    auto& lists = survey.lists;
    for (const auto& [number, values] : records) {
        const std::string board = textOf(values, kRecBoard);
        if (board.empty())
            continue;  // a free number, not a record
        const std::array<std::string, 2> names{textOf(values, kRecPlayer1),
                                               textOf(values, kRecPlayer2)};
        const std::array<int, 2> counts{intOf(values, kRecCount1), intOf(values, kRecCount2)};
        const std::array<std::string, 2> tokens{textOf(values, kRecToken1),
                                                textOf(values, kRecToken2)};
        const int winner = intOf(values, kRecWinner);
        // A record of the old format or one without a winner is left where it is and out of
        // the lists: nothing else in the store is touched because of it.
        if (!isCompleteTokenString(tokens[0]) || !isCompleteTokenString(tokens[1]) ||
            (winner != 1 && winner != 2)) {
            survey.skippedNumbers.push_back(number);
            continue;
        }
        const int w = winner - 1;
        const int l = 1 - w;
        const int share = shareTenthsOf(counts[w], static_cast<long long>(counts[0]) + counts[1]);

        lists[kListBoard].push_back(board);
        lists[kListPlayer1].push_back(names[0]);
        lists[kListPlayer2].push_back(names[1]);
        lists[kListCount1].push_back(bracketed(counts[0]));
        lists[kListCount2].push_back(bracketed(counts[1]));
        lists[kListLogic].push_back(std::to_string(intOf(values, kRecLogic)));
        lists[kListMoves].push_back(std::to_string(intOf(values, kRecMoves)));
        lists[kListWinner].push_back(names[w]);
        lists[kListShare].push_back(tenthsText(share));
        lists[kListTimes].push_back(std::to_string(intOf(values, kRecTimes)));
        lists[kListLoserWinner].push_back(names[l]);
        lists[kListLoserWinner].push_back(names[w]);
        lists[kListTokens].push_back(tokens[l]);
        lists[kListTokens].push_back(tokens[w]);
        survey.recordNumbers.push_back(number);
        survey.shareTenths.push_back(share);
    }

    std::unordered_set<std::string> known;
    const auto& players = lists[kListLoserWinner];
    for (std::size_t k = 0; k < players.size(); ++k) {
        const std::string& name = players[k];
        if (!entersPlayerLists(name) || !known.insert(name).second)
            continue;
        survey.viewerPlayers.push_back(name);
        lists[kListViewerTokens].push_back(lists[kListTokens][k]);
        if (name.rfind("PC ", 0) != 0) {
            survey.setupPlayers.push_back(name);
            lists[kListSetupTokens].push_back(lists[kListTokens][k]);
        }
    }
    return survey;
}

PlayerStats playerStatistics(const Survey& survey, std::string_view name) {
    PlayerStats stats;
    long long pointsTenths = 0;
    const auto& lists = survey.lists;
    for (int k = 0; k < survey.recordCount(); ++k) {
        const std::string& p1 = lists[kListPlayer1][k];
        const std::string& p2 = lists[kListPlayer2][k];
        if (name != p1 && name != p2)
            continue;
        // The share as stored in the list, read back with "." as its decimal point.
        const int share = static_cast<int>(leadingNumber(lists[kListShare][k]) * 10 + 0.5);
        if (p1 == p2) {
            stats.played += 2;
            stats.won += 1;
            stats.lost += 1;
            pointsTenths += 1000;
        } else {
            stats.played += 1;
            if (name == lists[kListWinner][k]) {
                stats.won += 1;
                pointsTenths += share;
            } else {
                stats.lost += 1;
                pointsTenths += 1000 - share;
            }
        }
    }
    // rate = floor(points / played * 100) / 100, here in whole hundredths.
    if (stats.played > 0)
        stats.rateHundredths = static_cast<int>(pointsTenths * 10 / stats.played);
    return stats;
}

std::string CzechGamesWord(int count) {
    if (count == 1)
        return " hru";
    if (count > 1 && count < 5)
        return " hry";
    if (count > 4 || count == 0)
        return " her";
    return " ";
}

std::string hundredthsText(int hundredths) {
    const bool negative = hundredths < 0;
    const int magnitude = negative ? -hundredths : hundredths;
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / 100);
    const int fraction = magnitude % 100;
    if (fraction != 0) {
        text += '.';
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0)
            text += static_cast<char>('0' + fraction % 10);
    }
    return text;
}

std::string tenthsText(int tenths) {
    return hundredthsText(tenths * 10);
}

std::array<std::string, 4> playerLines(const PlayerStats& stats) {
    return {
        "Vyhrál\t\t" + std::to_string(stats.won) + CzechGamesWord(stats.won),
        "Prohrál\t\t" + std::to_string(stats.lost) + CzechGamesWord(stats.lost),
        "Celkem odehrál\t" + std::to_string(stats.played) + CzechGamesWord(stats.played),
        "Úspěšnost\t" + hundredthsText(stats.rateHundredths) + "%",
    };
}

std::array<std::string, 2> anonymousPlayersLines() {
    return {"Nejsou záznamy žádného", "konkrétního hráče."};
}

const std::array<std::string, 5>& timeLimitTexts() {
    static const std::array<std::string, 5> texts{"Neomezeně", "90 minut", "60 minut", "30 minut",
                                                  "10 minut"};
    return texts;
}

std::array<std::string, 8> recordLines(const Survey& survey, int k) {
    if (k < 0 || k >= survey.recordCount())
        return {};
    const auto& lists = survey.lists;
    const int logic = static_cast<int>(leadingNumber(lists[kListLogic][k]));
    const int times = static_cast<int>(leadingNumber(lists[kListTimes][k]));
    auto timeText = [](int position) {
        return position >= 0 && position < 5 ? timeLimitTexts()[position] : std::string();
    };
    const int t1 = times >= 0 ? times / 10 : -1;
    const int t2 = times >= 0 ? times % 10 : -1;
    return {
        "Hrací pole\t" + lists[kListBoard][k],
        "1. hráč\t\t" + lists[kListPlayer1][k] + lists[kListCount1][k],
        "2. hráč\t\t" + lists[kListPlayer2][k] + lists[kListCount2][k],
        std::string("Logika pohybu\t") + (logic == 1   ? "Hvězda"
                                          : logic == 2 ? "Kříž"
                                                       : ""),
        "Počet tahů\t" + lists[kListMoves][k],
        "Vítěz\t\t" + lists[kListWinner][k] + "(" + lists[kListShare][k] + "%)",
        "Čas na hru 1. h.\t" + timeText(t1),
        "Čas na hru 2. h.\t" + timeText(t2),
    };
}

int playerKindOfName(std::string_view name) {
    if (name == "PC Začátečník")
        return 1;
    if (name == "PC Profesionál")
        return 2;
    if (name == "PC Génius")
        return 3;
    if (name == "PC Velmistr")
        return 4;
    return 0;
}

}  // namespace tomelin
