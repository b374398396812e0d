#include "platform/midi/song_library.h"

#include <algorithm>
#include <cmath>

namespace tomelin {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSongExtension = ".mid";

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool hasSongExtension(const std::string& name) {
    if (name.size() <= kSongExtension.size()) {
        return false;
    }
    const std::string_view tail(name.data() + name.size() - kSongExtension.size(),
                                kSongExtension.size());
    return std::equal(tail.begin(), tail.end(), kSongExtension.begin(),
                      [](char a, char b) { return lowerAscii(a) == b; });
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const auto cmp = [](char x, char y) { return lowerAscii(x) < lowerAscii(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), cmp)) {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), cmp)) {
        return false;
    }
    return a < b;  // names differing in case only keep one fixed order
}

}  // namespace

std::vector<fs::path> songFolderCandidates(const fs::path& programFolder,
                                           const std::vector<fs::path>& dataFolders) {
    std::vector<fs::path> folders;
    if (!programFolder.empty()) {
        folders.push_back(programFolder / kSongFolderName);
    }
    for (const fs::path& base : dataFolders) {
        if (!base.empty()) {
            folders.push_back(base / kSongFolderName);
        }
    }
    return folders;
}

std::optional<fs::path> findSongFolder(const std::vector<fs::path>& candidates) {
    for (const fs::path& folder : candidates) {
        if (!listSongs(folder).empty()) {
            return folder;
        }
    }
    return std::nullopt;
}

std::vector<std::string> listSongs(const fs::path& folder) {
    std::vector<std::string> songs;
    // Error codes throughout: a folder that vanishes or cannot be read mid-way ends the
    // list instead of throwing.
    std::error_code error;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        const std::string name = it->path().filename().string();
        if (hasSongExtension(name)) {
            songs.push_back(name.substr(0, name.size() - kSongExtension.size()));
        }
    }
    std::sort(songs.begin(), songs.end(), lessIgnoringCase);
    return songs;
}

std::vector<std::string> buildSongList(const std::optional<fs::path>& folder) {
    std::vector<std::string> items{kSilenceItem};
    if (folder) {
        const std::vector<std::string> songs = listSongs(*folder);
        items.insert(items.end(), songs.begin(), songs.end());
    }
    return items;
}

fs::path songFile(const fs::path& folder, const std::string& name) {
    return folder / (name + std::string(kSongExtension));
}

int randomSongItem(int count, double r) {
    if (count <= 1) {
        return 0;
    }
    if (!(r >= 0.0) || r >= 1.0) {
        r = std::isfinite(r) && r >= 1.0 ? std::nextafter(1.0, 0.0) : 0.0;
    }
    const int item = static_cast<int>(std::floor(r * (count - 1))) + 1;
    return std::min(item, count - 1);
}

}  // namespace tomelin
