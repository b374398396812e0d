#pragma once
// The board list of the setup window (`NajitMapy`) and the board store's slots
// "Software\Brantl\Tomelin\HracíPole\01" .. "99": free-slot search, delete, save.

#include "core/texts.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/store/store.h"

namespace tomelin {

inline constexpr const char* kBoardsKey = "Software\\Brantl\\Tomelin\\HracíPole";
inline constexpr const char* kBoardStringValue = "Mapa";
// Key of a built-in board in the list; built-ins are neither stored nor deletable.
inline constexpr const char* kBuiltinKey = "N";
inline constexpr int kFirstSlot = 1;
inline constexpr int kLastSlot = 99;

// Shown when "Přidat pole" finds every slot taken.
inline constexpr const char* kBoardStoreFullTitle = TOMELIN_TR_NOOP("Boards", "Nelze přidat pole");
inline constexpr const char* kBoardStoreFullText = TOMELIN_TR_NOOP("Boards",
    "Všech 99 míst pro uložená hrací pole je obsazeno. Smažte nejprve některé pole.");

// The three parallel lists (`List1`, `List2`, `List3`).
struct BoardList {
    std::vector<std::string> names;    // board names
    std::vector<std::string> keys;     // "N" or the slot "01".."99"
    std::vector<std::string> strings;  // board strings
    // Whether the entry's board string is a board a game can start on.
    std::vector<bool> playable;
    // Slots that hold a board whose string is not a playable board.
    std::vector<std::string> invalidSlots;

    int size() const { return static_cast<int>(names.size()); }
    bool isPlayable(int index) const {
        return index >= 0 && index < size() && playable[static_cast<std::size_t>(index)];
    }
};

// `NajitMapy`: the five built-ins first, then every stored board in slot order. A stored
// board whose string is not a square of "0X+-" with side 2..16 is listed too, so that the
// user sees it and can delete it, but marked not playable (and reported in `invalidSlots`):
// it never starts a game. Value names are read without regard to ASCII case, as every
// store read is ("mapa" is "Mapa"). Names are listed tidied; white space alone is listed as
// kUnnamedBoard.
BoardList readBoardList(Store& store);

// Slot text of a slot number: two digits ("01", "42"); empty outside 1..99.
std::string slotText(int slot);
// Slot number of a slot text "01".."99"; nothing for anything else (including "N", "1").
std::optional<int> slotFromText(std::string_view text);
// Key path of a slot.
std::string boardKeyPath(std::string_view slot);

// The Czech text the list shows for a stored board it cannot play.
std::string unplayableBoardLabel(std::string_view name);
inline constexpr const char* kUnplayableTitle = TOMELIN_TR_NOOP("Boards", "Poškozené hrací pole");
// Why a damaged stored board is neither played nor opened in the editor.
std::string unplayableBoardText(std::string_view name);

// The lowest slot whose unnamed value is empty; nothing when all 99 slots hold a board.
std::optional<std::string> findFreeSlot(Store& store);

// ---- board names ----
// What the list shows for a stored board whose name is white space alone.
inline constexpr const char* kUnnamedBoard = TOMELIN_TR_NOOP("Boards", "(bez jména)");
// The longest name a board may be given, in characters: what the game window's caption
// shows beside the toolbar at its smallest and the setup window's list shows in a row.
inline constexpr int kMaxBoardNameLength = 32;
// A name as it is stored: without the white space around it (a name of only spaces is empty).
std::string tidyBoardName(std::string_view name);
// How many characters (not bytes) a UTF-8 name has.
int boardNameLength(std::string_view name);
// Whether a board other than the one in `ownSlot` ("01".."99"; anything else: a board not
// stored yet) already has `name`, compared tidied and without regard to the case of letters.
bool boardNameTaken(const BoardList& boards, std::string_view name, std::string_view ownSlot);
// The Czech text shown under "Nelze uložit" for a name another board has.
std::string boardNameTakenText(std::string_view name);

enum class BoardStoreError {
    NotASlot,     // "N" or text that is not "01".."99"
    NotABoard,    // a board string that is not a playable board
    EmptyName,    // a stored board needs a name to be listed (white space alone is none)
    NameTaken,    // another board has this name: lists, records and the resume note could
                  // not tell the two apart
    NameTooLong,  // longer than kMaxBoardNameLength characters
    StoreFailed,  // the store refused the write
    ReadOnly,     // the store may only be read (Store::writeRefusal() says why)
};

// Deletes the board in a slot. Built-in boards ("N") are refused.
std::optional<BoardStoreError> deleteBoardSlot(Store& store, std::string_view slot);

// Saves a board into a slot (creates the key; the tidied name and "Mapa" in one
// transaction).
std::optional<BoardStoreError> saveBoardToSlot(Store& store, std::string_view slot,
                                               std::string_view name, std::string_view boardString);

}  // namespace tomelin
