#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it, for the
// tests that need real files.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tomelin::test {

// The whole of a file, byte for byte; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TempFolder {
public:
    TempFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "tomelin-XXXXXX").string();
        m_path = mkdtemp(name.data()) != nullptr ? name : std::string();  // empty: failed
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // Writes `bytes` to `name` inside the folder and returns the file's path.
    std::string write(const std::string& name, const std::string& bytes = "") const {
        std::ofstream(m_path / name, std::ios::binary) << bytes;
        return (m_path / name).string();
    }
    // An executable shell script `name` that runs `body`; returns its path.
    std::string writeScript(const std::string& name, const std::string& body) const {
        const std::string path = write(name, "#!/bin/sh\n" + body);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }

private:
    std::filesystem::path m_path;
};

}  // namespace tomelin::test
