// Opening the store on a file of random bytes (often a damaged SQLite file, as the seed
// corpus starts from real stores): the open must end with a working store and never lose
// the bytes — a file it does not use stays as it was or is moved aside unchanged.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/store/store_location.h"
#include "records/survey.h"
#include "boards/board_list.h"

namespace fs = std::filesystem;

namespace {

fs::path folder() {
    static const fs::path path = [] {
        const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path made = base / ("tomelin-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(made);
        return made;
    }();
    return path;
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path path = folder() / "tomelin.db";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    {
        tomelin::StoreOpening opening = tomelin::openStoreAt(path.string());
        if (!opening.store)
            std::abort();
        if (opening.movedAsideTo && contents(*opening.movedAsideTo) != bytes)
            std::abort();
        if (!opening.persistent && !opening.movedAsideTo && contents(path) != bytes)
            std::abort();  // a file that is not used is not changed
        (void)tomelin::readSurvey(*opening.store);
        (void)tomelin::readBoardList(*opening.store);
        (void)opening.czechMessage();
    }
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder(), ignored))
        fs::remove(entry.path(), ignored);
    return 0;
}
