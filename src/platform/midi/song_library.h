#pragma once
// The songs the music window offers: finding the "Zvuk" folder and listing its MIDI files.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tomelin {

// Item 0 of every song list: choosing it silences the music.
inline constexpr const char* kSilenceItem = "(Ticho)";
// The songs folder's name inside each data folder.
inline constexpr const char* kSongFolderName = "Zvuk";

// The folders that may hold the songs, most specific first: "Zvuk" beside the program, then
// in each data folder in the order given (e.g. the installed data folder, then the source
// tree's assets for a build run from its build folder). Empty folder names are skipped.
std::vector<std::filesystem::path> songFolderCandidates(
    const std::filesystem::path& programFolder,
    const std::vector<std::filesystem::path>& dataFolders);

// The first candidate that is a folder holding at least one song; none when no candidate
// does (a missing or empty "Zvuk" leaves the player silent).
std::optional<std::filesystem::path> findSongFolder(
    const std::vector<std::filesystem::path>& candidates);

// The song names in `folder`: every regular file whose name ends in ".mid" (in any letter
// case, as file names are matched on the system the songs come from), without those four
// characters, sorted without regard to letter case. A missing or unreadable folder has none.
std::vector<std::string> listSongs(const std::filesystem::path& folder);

// The music window's list: kSilenceItem, then the songs of `folder` when there is one.
std::vector<std::string> buildSongList(const std::optional<std::filesystem::path>& folder);

// The file of song `name` in `folder`.
std::filesystem::path songFile(const std::filesystem::path& folder, const std::string& name);

// The item start-up selects in a list of `count` items for a random number r in [0, 1):
// floor(r × (count − 1)) + 1, a song and never the silence item, when the list holds a
// song; item 0 otherwise. An r outside [0, 1) is brought back into it.
int randomSongItem(int count, double r);

}  // namespace tomelin
