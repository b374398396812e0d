// Several programs opening the same, not yet existing store file at once.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/store/store_folder.h"
#include "platform/store/store_location.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;

TEST(StoreProcesses, FirstStartOfSeveralCopiesAtOnceGivesOneHealthyStore) {
    StoreFolder folder;
    const std::string path = (folder.path() / "new" / "tomelin.db").string();
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < 4; ++i) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(go[1]);
            char byte;
            if (read(go[0], &byte, 1) != 0)
                _exit(6);  // wait until the parent closes the pipe
            StoreOpening opening = openStoreAt(path);
            const std::string key = "Software\\Brantl\\Tomelin\\Kopie" + std::to_string(i);
            const bool ok =
                !opening.hasProblem() && opening.store->CreateRegKey(key) == kStatusOk &&
                opening.store->WriteRegValue(key, "", std::string("ano"), kTypeText) == kStatusOk;
            opening.store.reset();
            _exit(ok ? 0 : 3);
        }
        children.push_back(pid);
    }
    close(go[0]);
    close(go[1]);  // releases every child at the same moment
    for (pid_t pid : children) {
        int status = 0;
        EXPECT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }

    StoreOpening opening = openStoreAt(path);
    ASSERT_FALSE(opening.hasProblem()) << opening.problem;
    EXPECT_EQ(opening.store->subkeyNames(kProgramKey).size(), 4u);
    for (const auto& entry : std::filesystem::directory_iterator(folder.path() / "new"))
        EXPECT_EQ(entry.path().filename().string().find("damaged"), std::string::npos);
}

}  // namespace
}  // namespace tomelin
