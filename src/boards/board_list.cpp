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

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Lower case of the letters of a UTF-8 text, ASCII and the Czech accented ones (two-byte
// sequences of Latin-1 Supplement and Latin Extended-A), so that "ČELEM" is "čelem".
std::string foldCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c + 32);
            continue;
        }
        if ((c == 0xC3 || c == 0xC4 || c == 0xC5) && i + 1 < text.size()) {
            unsigned code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            // Capitals and small letters alternate in these blocks, in four runs.
            if (code >= 0xC0 && code <= 0xDE && code != 0xD7)
                code += 0x20;  // À .. Þ
            else if ((code >= 0x100 && code <= 0x137 && code != 0x130 && code % 2 == 0) ||
                     (code >= 0x139 && code <= 0x148 && code % 2 == 1) ||
                     (code >= 0x14A && code <= 0x177 && code % 2 == 0) ||
                     (code >= 0x179 && code <= 0x17E && code % 2 == 1))
                code += 1;  // Č, Ď, Ě, Ň, Ř, Š, Ť, Ů, Ž ...
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
            ++i;
            continue;
        }
        out += static_cast<char>(c);
    }
    return out;
}

}  // namespace

std::string tidyBoardName(std::string_view name) {
    std::size_t first = 0;
    std::size_t last = name.size();
    while (first < last && isBlank(name[first]))
        ++first;
    while (last > first && isBlank(name[last - 1]))
        --last;
    return std::string(name.substr(first, last - first));
}

int boardNameLength(std::string_view name) {
    int count = 0;
    for (const char c : name)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

bool boardNameTaken(const BoardList& boards, std::string_view name, std::string_view ownSlot) {
    const std::string wanted = foldCase(tidyBoardName(name));
    for (int i = 0; i < boards.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (boards.keys[k] != kBuiltinKey && boards.keys[k] == ownSlot)
            continue;
        if (foldCase(tidyBoardName(boards.names[k])) == wanted)
            return true;
    }
    return false;
}

std::string boardNameTakenText(std::string_view name) {
    return withValue(trText("Boards", "Hrací pole se jménem „%1“ už existuje. Zvolte jiné jméno."),
                     tidyBoardName(name));
}

std::string unplayableBoardLabel(std::string_view name) {
    return withValue(trText("Boards", "%1 (poškozené – nelze hrát)"), std::string(name));
}

std::string unplayableBoardText(std::string_view name) {
    return withValue(trText("Boards", "Hrací pole „%1“ je v úložišti poškozené: nelze na něm hrát "
                                      "ani ho upravit, aniž by se změnilo. Můžete ho smazat "
                                      "(Editor → Smazat pole)."),
                     std::string(name));
}

BoardList readBoardList(Store& store) {
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
        // A name of white space alone, stored before names were tidied, would be an
        // invisible row.
        name = tidyBoardName(name);
        if (name.empty())
            name = kUnnamedBoard;
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
    const std::string tidy = tidyBoardName(name);
    if (tidy.empty())
        return BoardStoreError::EmptyName;
    if (boardNameLength(tidy) > kMaxBoardNameLength)
        return BoardStoreError::NameTooLong;
    if (boardNameTaken(readBoardList(store), tidy, slot))
        return BoardStoreError::NameTaken;
    if (store.readOnly())
        return BoardStoreError::ReadOnly;
    const std::string path = boardKeyPath(slot);
    StoreTransaction transaction(store);
    if (!transaction.started() || store.CreateRegKey(path) != kStatusOk ||
        store.WriteRegValue(path, "", tidy, kTypeText) != kStatusOk ||
        store.WriteRegValue(path, kBoardStringValue, std::string(boardString), kTypeText) !=
            kStatusOk ||
        !transaction.commit()) {
        return BoardStoreError::StoreFailed;
    }
    return std::nullopt;
}

}  // namespace tomelin
