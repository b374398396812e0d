// The game-record reader and the board list over a real store (SQLite, in memory) holding
// random keys and values: the survey, the statistics and the viewer's lines must cope with
// anything a damaged or hand-edited store holds.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/store/sqlite_store.h"
#include "records/game_record.h"
#include "records/survey.h"
#include "boards/board_list.h"

namespace {

const char* const kNames[] = {"",           "PočetTahů",  "Hráč1",        "Hráč2",
                              "LogikaPohybu", "Časy",     "Hráč1Počet",   "Hráč2Počet",
                              "Hráč1Figurka", "Hráč2Figurka", "Vyhrál",   "Mapa",
                              "mapa",       "HRÁČ1"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::unique_ptr<tomelin::SqliteStore> store =
        tomelin::SqliteStore::open(":memory:").store;
    if (!store)
        std::abort();
    FuzzedDataProvider input(data, size);
    store->beginTransaction();  // undone at the end: every input starts from an empty store
    const int keys = input.ConsumeIntegralInRange(0, 12);
    for (int k = 0; k < keys; ++k) {
        const bool board = input.ConsumeBool();
        const std::string name = input.ConsumeBool()
                                     ? input.ConsumeRandomLengthString(8)
                                     : std::to_string(input.ConsumeIntegralInRange(0, 1200));
        const std::string path =
            std::string(board ? tomelin::kBoardsKey : tomelin::kRecordsKey) + "\\" + name;
        store->CreateRegKey(path);
        const int values = input.ConsumeIntegralInRange(0, 12);
        for (int v = 0; v < values; ++v) {
            const char* value = kNames[input.ConsumeIntegralInRange<std::size_t>(
                0, sizeof kNames / sizeof kNames[0] - 1)];
            if (input.ConsumeBool()) {
                store->WriteRegValue(path, value, input.ConsumeRandomLengthString(40),
                                     tomelin::kTypeText);
            } else {
                store->WriteRegValue(path, value, input.ConsumeIntegral<std::int32_t>(),
                                     tomelin::kTypeInt);
            }
        }
    }
    const tomelin::Survey survey = tomelin::readSurvey(*store);
    for (const std::string& player : survey.viewerPlayers)
        (void)tomelin::playerStatistics(survey, player);
    const tomelin::BoardList boards = tomelin::readBoardList(*store);
    if (boards.size() < 5 || boards.playable.size() != boards.names.size())
        std::abort();
    (void)tomelin::findFreeSlot(*store);
    (void)tomelin::lowestFreeRecordNumber(*store);
    store->rollbackTransaction();
    return 0;
}
