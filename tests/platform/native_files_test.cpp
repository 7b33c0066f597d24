// The folder call the game makes through the platform: making the folder the
// records go into.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/native.h"
#include "support/portable.h"

namespace {

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

TEST(NativeFolders, MakeFolderMakesOneAndAcceptsOneThatIsThere) {
    char pattern[] = "/tmp/vexal-native-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string made = root + "/records";
    EXPECT_EQ(Native_MakeFolder(made.c_str()), 0);
    EXPECT_TRUE(IsFolder(made));
    EXPECT_EQ(Native_MakeFolder(made.c_str()), 0) << "a folder already there is no failure";
    // Only one level at a time: a missing parent is the caller's to make.
    EXPECT_EQ(Native_MakeFolder((root + "/missing/records").c_str()), ENOENT);
    EXPECT_FALSE(IsFolder(root + "/missing"));
    TestFolder_Remove(root);
}

}  // namespace
