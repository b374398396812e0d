#pragma once
// What in the store the program cannot read: records the survey leaves out, keys below the
// records or boards that are not spelt as the writers spell them, and stored boards without
// a name or outside the slots. Looking never changes anything; the entries stay where they
// are, so that nothing of the user's is lost.

#include <string>
#include <vector>

#include "platform/store/store.h"

namespace tomelin {

// One entry that cannot be read or that nothing expects there.
struct StoreEntryProblem {
    std::string key;   // the key's whole path
    std::string what;  // what is wrong, in English (for the tool)
};

struct StoreCheck {
    std::vector<StoreEntryProblem> records;  // below the records key
    std::vector<StoreEntryProblem> boards;   // below the boards key
    // Of those, the ones no window shows at all (a board that is listed but cannot be
    // played is shown, and said so, by the board list).
    int hiddenRecords = 0;
    int hiddenBoards = 0;

    bool empty() const { return records.empty() && boards.empty(); }
};

StoreCheck checkStore(Store& store);

// The one Czech message for the user about the entries no window shows, naming the store
// file; empty when there are none.
std::string hiddenEntriesMessage(const StoreCheck& check, const std::string& storePath);

}  // namespace tomelin
