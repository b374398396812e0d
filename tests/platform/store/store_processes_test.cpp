// Several programs opening the same, not yet existing store file at once.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "platform/store/store_folder.h"
#include "platform/store/store_location.h"

namespace tomelin {
namespace {

using testing::StoreFolder;

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
            if (opening.hasProblem()) {
                fprintf(stderr, "child: %s\n", opening.problem.c_str());
                _exit(3);
            }
            const std::string key = "Software\\Brantl\\Tomelin\\Kopie" + std::to_string(i);
            if (opening.store->CreateRegKey(key) != kStatusOk) {
                fprintf(stderr, "child: create failed\n");
                _exit(4);
            }
            if (opening.store->WriteRegValue(key, "", std::string("ano"), kTypeText) != kStatusOk) {
                _exit(5);
            }
            opening.store.reset();
            _exit(0);
        }
        children.push_back(pid);
    }
    close(go[0]);
    close(go[1]);  // releases every child at the same moment
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    StoreOpening opening = openStoreAt(path);
    ASSERT_FALSE(opening.hasProblem()) << opening.problem;
    EXPECT_EQ(opening.store->subkeyNames("Software\\Brantl\\Tomelin").size(), 4u);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path() / "new")) {
        if (entry.path().filename().string().find("damaged") != std::string::npos)
            ++files;
    }
    EXPECT_EQ(files, 0);
}

}  // namespace
}  // namespace tomelin
