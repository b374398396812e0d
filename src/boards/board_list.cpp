#include "boards/board_list.h"

#include <algorithm>

#include "core/board.h"

namespace tomelin {

std::string slotText(int slot) {
    if (slot < kFirstSlot || slot > kLastSlot)
        return {};
    std::string text = slot < 10 ? "0" : "";
    text += std::to_string(slot);
    return text;
}

std::optional<int> slotFromText(std::string_view text) {
    if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
        return std::nullopt;
    }
    const int slot = (text[0] - '0') * 10 + (text[1] - '0');
    if (slot < kFirstSlot)
        return std::nullopt;
    return slot;
}

std::string boardKeyPath(std::string_view slot) {
    return joinKeyPath(kBoardsKey, slot);
}

namespace {

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

}  // namespace

std::string unplayableBoardLabel(std::string_view name) {
    return std::string(name) + " (poškozené – nelze hrát)";
}

std::string unplayableBoardText(std::string_view name) {
    return "Hrací pole „" + std::string(name) +
           "“ je v úložišti poškozené: nelze na něm hrát ani ho upravit, aniž by se změnilo. "
           "Můžete ho smazat (Editor → Smazat pole).";
}

BoardList NajitMapy(Store& store) {
    BoardList list;
    for (const BuiltinBoard& board : builtinBoards()) {
        list.names.push_back(board.name);
        list.keys.push_back(kBuiltinKey);
        list.strings.push_back(board.boardString);
        list.playable.push_back(true);
    }
    // Only the slot keys that exist are looked at, in slot order.
    const std::vector<NumberedSubkey> slots = numberedSubkeys(store, kBoardsKey, slotFromText);
    for (const auto& [slot, values] : slots) {
        const std::string slotKey = slotText(slot);
        std::string name;
        std::string text;
        for (const StoredValue& value : values) {
            if (value.name.empty())
                name = valueText(value.value);
            if (sameNameIgnoringCase(value.name, kBoardStringValue))
                text = valueText(value.value);
        }
        if (name.empty())
            continue;
        const bool playable = !checkBoardString(text).has_value();
        if (!playable)
            list.invalidSlots.push_back(slotKey);
        list.names.push_back(name);
        list.keys.push_back(slotKey);
        list.strings.push_back(text);
        list.playable.push_back(playable);
    }
    return list;
}

std::optional<std::string> findFreeSlot(Store& store) {
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        const std::string slotKey = slotText(slot);
        if (isEmptyValue(store.ReadRegValue(boardKeyPath(slotKey), "")))
            return slotKey;
    }
    return std::nullopt;
}

std::optional<BoardStoreError> deleteBoardSlot(Store& store, std::string_view slot) {
    if (!slotFromText(slot))
        return BoardStoreError::NotASlot;
    const int status = store.DeleteRegKey(boardKeyPath(slot));
    if (status == kStatusReadOnly)
        return BoardStoreError::ReadOnly;
    if (status != kStatusOk)
        return BoardStoreError::StoreFailed;
    return std::nullopt;
}

std::optional<BoardStoreError> saveBoardToSlot(Store& store, std::string_view slot,
                                               std::string_view name,
                                               std::string_view boardString) {
    if (!slotFromText(slot))
        return BoardStoreError::NotASlot;
    if (checkBoardString(boardString))
        return BoardStoreError::NotABoard;
    if (name.empty())
        return BoardStoreError::EmptyName;
    if (store.readOnly())
        return BoardStoreError::ReadOnly;
    const std::string path = boardKeyPath(slot);
    StoreTransaction transaction(store);
    if (!transaction.started() || store.CreateRegKey(path) != kStatusOk ||
        store.WriteRegValue(path, "", std::string(name), kTypeText) != kStatusOk ||
        store.WriteRegValue(path, kBoardStringValue, std::string(boardString), kTypeText) !=
            kStatusOk ||
        !transaction.commit()) {
        return BoardStoreError::StoreFailed;
    }
    return std::nullopt;
}

}  // namespace tomelin
