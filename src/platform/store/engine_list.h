#pragma once
// The external engines a player has chosen before: each program's path with the name it
// reported for itself, kept in a key of their own beside the program's other values
// ("Software\Brantl\Tomelin\Enginy": one text value a program, named by its path).

#include <string>
#include <vector>

#include "platform/store/store.h"

namespace tomelin {

inline constexpr const char* kEnginesKey = "Software\\Brantl\\Tomelin\\Enginy";

struct KnownEngine {
    std::string path;  // the executable, as chosen
    std::string name;  // what it called itself (`id name`)
    bool operator==(const KnownEngine&) const = default;
};

// Every engine kept, by path; a value that is not text or has an empty path is left out.
std::vector<KnownEngine> loadKnownEngines(Store& store);
// Keeps (or renames) an engine; false when the store did not take it.
bool rememberEngine(Store& store, const KnownEngine& engine);

}  // namespace tomelin
