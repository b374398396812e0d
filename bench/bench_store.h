#pragma once
// A store file in a fresh folder beside the build (a real disk, as the user's data folder is,
// not memory), opened as the program opens its store and removed afterwards.

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/store/sqlite_store.h"

namespace tomelin {

class BenchStore {
public:
    BenchStore() {
        std::string pattern = (std::filesystem::current_path() / "tomelin-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            m_folder = pattern;
        store = SqliteStore::open((m_folder / "tomelin.db").string()).store;
    }
    ~BenchStore() {
        store.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    BenchStore(const BenchStore&) = delete;
    BenchStore& operator=(const BenchStore&) = delete;
    std::unique_ptr<SqliteStore> store;

private:
    std::filesystem::path m_folder;
};

}  // namespace tomelin
