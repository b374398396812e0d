#include "records/survey.h"

#include <algorithm>
#include <unordered_set>

#include "core/texts.h"
#include "records/game_record.h"

namespace tomelin {

namespace {

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

Survey readSurvey(Store& store) {
    Survey survey;
    auto& lists = survey.lists;
    for (StoredGameRecord& row : readGameRecords(store)) {
        const GameRecord& r = row.record;
        // A record of the old format or one without a winner is left where it is and out of
        // the lists: nothing else in the store is touched because of it.
        if (!isCompleteTokenString(r.tokens[0]) || !isCompleteTokenString(r.tokens[1]) ||
            (r.winner != 1 && r.winner != 2)) {
            survey.skippedNumbers.push_back(row.number);
            continue;
        }
        const int w = r.winner - 1;
        const int l = 1 - w;
        const int share =
            shareTenthsOf(r.counts[w], static_cast<long long>(r.counts[0]) + r.counts[1]);

        lists[kListBoard].push_back(r.board);
        lists[kListPlayer1].push_back(r.names[0]);
        lists[kListPlayer2].push_back(r.names[1]);
        lists[kListCount1].push_back(bracketed(r.counts[0]));
        lists[kListCount2].push_back(bracketed(r.counts[1]));
        lists[kListLogic].push_back(std::to_string(r.logic));
        lists[kListMoves].push_back(std::to_string(r.moves));
        lists[kListWinner].push_back(r.names[w]);
        lists[kListShare].push_back(tenthsText(share));
        lists[kListTimes].push_back(std::to_string(r.times));
        lists[kListLoserWinner].push_back(r.names[l]);
        lists[kListLoserWinner].push_back(r.names[w]);
        lists[kListTokens].push_back(r.tokens[l]);
        lists[kListTokens].push_back(r.tokens[w]);
        survey.recordNumbers.push_back(row.number);
        survey.shareTenths.push_back(share);
        survey.records.push_back(std::move(row.record));
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
    for (int k = 0; k < survey.recordCount(); ++k) {
        const GameRecord& r = survey.records[static_cast<std::size_t>(k)];
        const std::string& p1 = r.names[0];
        const std::string& p2 = r.names[1];
        if (name != p1 && name != p2)
            continue;
        const int share = survey.shareTenths[static_cast<std::size_t>(k)];
        if (p1 == p2) {
            stats.played += 2;
            stats.won += 1;
            stats.lost += 1;
            pointsTenths += 1000;
        } else {
            stats.played += 1;
            if (name == r.names[static_cast<std::size_t>(r.winner - 1)]) {
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
    // An installed translator gives every language its plural forms (Czech's three included).
    if (hasTextTranslator()) {
        return {
            trText("Survey", "Vyhrál\t\t%n her", nullptr, stats.won),
            trText("Survey", "Prohrál\t\t%n her", nullptr, stats.lost),
            trText("Survey", "Celkem odehrál\t%n her", nullptr, stats.played),
            trText("Survey", "Úspěšnost\t") + hundredthsText(stats.rateHundredths) + "%",
        };
    }
    // Czech without a translator (the headless tool, the tests): plurals by CzechGamesWord.
    return {
        "Vyhrál\t\t" + std::to_string(stats.won) + CzechGamesWord(stats.won),
        "Prohrál\t\t" + std::to_string(stats.lost) + CzechGamesWord(stats.lost),
        "Celkem odehrál\t" + std::to_string(stats.played) + CzechGamesWord(stats.played),
        trText("Survey", "Úspěšnost\t") + hundredthsText(stats.rateHundredths) + "%",
    };
}

std::array<std::string, 2> anonymousPlayersLines() {
    return {trText("Survey", "Nejsou záznamy žádného"), trText("Survey", "konkrétního hráče.")};
}

std::array<std::string, 5> timeLimitTexts() {
    return {trText("Survey", "Neomezeně"), trText("Survey", "90 minut"),
            trText("Survey", "60 minut"), trText("Survey", "30 minut"),
            trText("Survey", "10 minut")};
}

std::array<std::string, 8> recordLines(const Survey& survey, int k) {
    if (k < 0 || k >= survey.recordCount())
        return {};
    const GameRecord& r = survey.records[static_cast<std::size_t>(k)];
    auto timeText = [](int position) {
        return position >= 0 && position < 5 ? timeLimitTexts()[static_cast<std::size_t>(position)]
                                             : std::string();
    };
    const int t1 = r.times >= 0 ? r.times / 10 : -1;
    const int t2 = r.times >= 0 ? r.times % 10 : -1;
    const std::string share = tenthsText(survey.shareTenths[static_cast<std::size_t>(k)]);
    // Stored board and computer names are shown in the chosen language.
    auto shown = [](const char* context, const std::string& stored) {
        return trText(context, stored.c_str());
    };
    return {
        trText("Survey", "Hrací pole\t") + shown("Boards", r.board),
        trText("Survey", "1. hráč\t\t") + shown("Players", r.names[0]) + bracketed(r.counts[0]),
        trText("Survey", "2. hráč\t\t") + shown("Players", r.names[1]) + bracketed(r.counts[1]),
        trText("Survey", "Logika pohybu\t") + (r.logic == 1   ? trText("Survey", "Hvězda")
                                               : r.logic == 2 ? trText("Survey", "Kříž")
                                                              : std::string()),
        trText("Survey", "Počet tahů\t") + std::to_string(r.moves),
        trText("Survey", "Vítěz\t\t") +
            shown("Players", r.names[static_cast<std::size_t>(r.winner - 1)]) + "(" + share + "%)",
        trText("Survey", "Čas na hru 1. h.\t") + timeText(t1),
        trText("Survey", "Čas na hru 2. h.\t") + timeText(t2),
    };
}

}  // namespace tomelin
