// Entries of the store no window can show (a damaged record, a board outside the slots) are
// told once at start, with how many there are; a store without any says nothing.

#include <gtest/gtest.h>

#include "boards/board_list.h"
#include "records/game_record.h"
#include "setupwin/launched_program.h"

namespace tomelin {
namespace {

class StoreEntriesAtStart : public LaunchedProgram {};

TEST_F(StoreEntriesAtStart, UnreadableRecordsAndBoardsAreToldOnceWithTheirCount) {
    storeGame({"Eva", "Jan"}, {"AAA1", "EEE5"});
    const std::string damaged = recordKeyPath(2);
    store().CreateRegKey(damaged);
    store().WriteRegValue(damaged, "", std::string("Dáma"), kTypeText);  // no winner
    const std::string outside = joinKeyPath(kBoardsKey, "100");
    store().CreateRegKey(outside);
    store().WriteRegValue(outside, "", std::string("Sto"), kTypeText);
    launch();
    const QString told = QStringLiteral("Tomelin|V souboru s uloženými hracími poli a záznamy her „") +
                         storePath +
                         QStringLiteral("“ nelze přečíst 1 záznam hry a 1 hrací pole. Zůstávají "
                                        "v souboru beze změny; vypíše je příkaz „tomelin-cli store "
                                        "check“.");
    EXPECT_EQ(messages, QStringList{told});
    // Back from a game the lists are read again, but nothing is said twice.
    form().returnFromGame();
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(StoreEntriesAtStart, AStoreThatCanBeReadWholeSaysNothing) {
    storeGame({"Eva", "Jan"}, {"AAA1", "EEE5"});
    storeBoard("01", "Moje");
    launch();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

}  // namespace
}  // namespace tomelin
