#include "platform/store/engine_list.h"

namespace tomelin {

std::vector<KnownEngine> loadKnownEngines(Store& store) {
    std::vector<KnownEngine> engines;
    const KeyHandle key = store.openKey(kEnginesKey);
    if (!key)
        return engines;
    for (const StoredValue& value : store.values(key)) {
        const auto* name = std::get_if<std::string>(&value.value);
        if (value.name.empty() || name == nullptr)
            continue;
        engines.push_back({value.name, name->empty() ? value.name : *name});
    }
    return engines;
}

bool rememberEngine(Store& store, const KnownEngine& engine) {
    if (engine.path.empty())
        return false;
    if (store.CreateRegKey(kEnginesKey) != kStatusOk)
        return false;
    return store.WriteRegValue(kEnginesKey, engine.path, engine.name, kTypeText) == kStatusOk;
}

}  // namespace tomelin
