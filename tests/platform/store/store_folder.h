#pragma once
// A fresh temporary folder per test holding the store file; removed with its contents.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/store/sqlite_store.h"

namespace tomelin::testing {

class StoreFolder {
public:
    StoreFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tomelin-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
    }
    ~StoreFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    StoreFolder(const StoreFolder&) = delete;
    StoreFolder& operator=(const StoreFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name = "tomelin.db") const {
        return (m_path / name).string();
    }
    // Opens (creating) the store file in this folder; null when that fails.
    std::unique_ptr<SqliteStore> open(const std::string& name = "tomelin.db") const {
        return SqliteStore::open(file(name)).store;
    }

private:
    std::filesystem::path m_path;
};

}  // namespace tomelin::testing
