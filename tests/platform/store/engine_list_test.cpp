#include "platform/store/engine_list.h"

#include <gtest/gtest.h>

#include "platform/store/sqlite_store.h"
#include "platform/store/token_detail.h"

namespace tomelin {
namespace {

TEST(KnownEngines, AreKeptByPathBesideTheProgramsOwnValuesAndRenamedInPlace) {
    auto store = SqliteStore::open(":memory:").store;
    ASSERT_TRUE(store);
    EXPECT_TRUE(loadKnownEngines(*store).empty());
    loadTokenDetail(*store);  // the program's own value, which must stay as it is

    ASSERT_TRUE(rememberEngine(*store, {"/usr/games/b-engine", "Béčko 1.0"}));
    ASSERT_TRUE(rememberEngine(*store, {"/opt/a engine/run", "Áčko"}));
    ASSERT_TRUE(rememberEngine(*store, {"/usr/games/b-engine", "Béčko 2.0"}));
    EXPECT_FALSE(rememberEngine(*store, {"", "bez cesty"}));
    // What is not an engine's entry is left out: an integer, a value of the unnamed name.
    store->WriteRegValue(kEnginesKey, "/bin/cislo", std::int32_t{5}, kTypeInt);
    store->WriteRegValue(kEnginesKey, "", std::string("nic"), kTypeText);
    // An empty name reads as the path.
    store->WriteRegValue(kEnginesKey, "/bin/bezejmenny", std::string(), kTypeText);

    EXPECT_EQ(loadKnownEngines(*store),
              (std::vector<KnownEngine>{{"/bin/bezejmenny", "/bin/bezejmenny"},
                                        {"/opt/a engine/run", "Áčko"},
                                        {"/usr/games/b-engine", "Béčko 2.0"}}));
    EXPECT_EQ(valueText(store->ReadRegValue(kProgramKey, "GrafickáPropracovanostFigurek")), "5");
    EXPECT_TRUE(store->subkeyNames(kProgramKey) == std::vector<std::string>{"Enginy"});
}

}  // namespace
}  // namespace tomelin
