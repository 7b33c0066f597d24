// What the file chooser lists of a folder: natural name order, a folder too
// big for the table, and folders that cannot be read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/unprivileged.h"
#include "ui/folder_listing.h"
#include "support/portable.h"

namespace {

class FolderListingTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vexal-listing-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = std::string(pattern) + "/";
        OpenToEveryone(root_);
        ASSERT_TRUE(FolderListing_Create(&listing_));
    }
    void TearDown() override {
        FolderListing_Free(&listing_);
#ifdef _WIN32
        TestFolder_Remove(root_);
#else
        // Folders a test locked are opened first, or rm could not enter them.
        if (std::system(("chmod -R u+rwx '" + root_ + "'; rm -rf '" + root_ + "'").c_str()) != 0) {
            // Leftovers in /tmp are harmless.
        }
#endif
    }
    // Names are UTF-8, as the game's; u8path makes them so on Windows too.
    void File(const std::string& name) {
        std::ofstream(std::filesystem::u8path(root_ + name)) << "";
    }
    void Folder(const std::string& name) {
        std::filesystem::create_directory(std::filesystem::u8path(root_ + name));
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < listing_.count; ++i) names.push_back(listing_.entries[i].name);
        return names;
    }

    std::string root_;
    FolderListing listing_;
};

TEST(FolderNameOrder, DigitRunsCompareByValueAndLettersIgnoreCase) {
    // Each name strictly before the next; equal-looking names are told apart
    // by their bytes, capitals and extra zeros first.
    const std::vector<std::string> ordered = {"a01",
                                              "a1",
                                              "a9",
                                              "a10",
                                              "b1",
                                              "level_2",
                                              "level_10",
                                              "Level_11",
                                              "LEVEL_12",
                                              "level_0012",
                                              "level_12",
                                              "level_12b",
                                              "level_13",
                                              "x99999999999999999999",
                                              "x100000000000000000000",
                                              "x100000000000000000000a"};
    for (size_t i = 0; i < ordered.size(); ++i) {
        EXPECT_EQ(FolderName_Compare(ordered[i].c_str(), ordered[i].c_str()), 0) << ordered[i];
        for (size_t j = i + 1; j < ordered.size(); ++j) {
            EXPECT_LT(FolderName_Compare(ordered[i].c_str(), ordered[j].c_str()), 0)
                << ordered[i] << " before " << ordered[j];
            EXPECT_GT(FolderName_Compare(ordered[j].c_str(), ordered[i].c_str()), 0)
                << ordered[j] << " after " << ordered[i];
        }
    }
    EXPECT_LT(FolderName_Compare("level", "level_1"), 0);  // a prefix comes first
    EXPECT_LT(FolderName_Compare("a_b", "ab"), 0);         // '_' before letters, as typed
}

TEST_F(FolderListingTest, FoldersThenFilesEachInNaturalOrder) {
    for (const char* name :
         {"level_10.vexl", "Level_11.vexl", "level_2.vexl", "a10.vexl", "a9.vexl", "b1.vexl"}) {
        File(name);
    }
    Folder("pack10");
    Folder("Pack9");
    ASSERT_TRUE(FolderListing_Read(&listing_, root_.c_str()));
    const std::vector<std::string> expected = {"..",           "Pack9",         "pack10",
                                               "a9.vexl",      "a10.vexl",      "b1.vexl",
                                               "level_2.vexl", "level_10.vexl", "Level_11.vexl"};
    EXPECT_EQ(Names(), expected);
    EXPECT_FALSE(listing_.truncated);
    EXPECT_FALSE(listing_.unreadable);
}

// Names are UTF-8 in the game whatever the system's own form (UTF-16 on
// Windows): a folder and a level named in other scripts come back byte for
// byte, and a listed folder can be read in turn.
TEST_F(FolderListingTest, NamesOutsideAsciiComeBackAsTheyWereWritten) {
    const std::string folder =
        "Gr\xC3\xB6\xC3\x9F"
        "e \xE6\x98\x9F";  // "Größe 星"
    const std::string level =
        "\xC3\x9C"
        "ber_\xD0\xBB\xD0\xB5\xD1\x82.vexl";  // "Über_лет.vexl"
    Folder(folder);
    File(level);
    File(folder + "/" + level);
    ASSERT_TRUE(FolderListing_Read(&listing_, root_.c_str()));
    EXPECT_EQ(Names(), (std::vector<std::string>{"..", folder, level}));
    ASSERT_TRUE(FolderListing_Read(&listing_, (root_ + folder + "/").c_str()));
    EXPECT_EQ(Names(), (std::vector<std::string>{"..", level}));
}

TEST_F(FolderListingTest, AFolderBeyondTheLimitKeepsItsFirstEntriesByName) {
    listing_.limit = 10;
    // Created out of order, so the folder gives them in no useful order.
    for (int i = 30; i >= 1; i -= 2) File("f" + std::to_string(i) + ".vexl");
    for (int i = 1; i <= 29; i += 2) File("f" + std::to_string(i) + ".vexl");
    Folder("zz");
    Folder("m2");
    Folder("m10");
    ASSERT_TRUE(FolderListing_Read(&listing_, root_.c_str()));
    const std::vector<std::string> expected = {
        "..", "m2", "m10", "zz", "f1.vexl", "f2.vexl", "f3.vexl", "f4.vexl", "f5.vexl", "f6.vexl"};
    EXPECT_EQ(Names(), expected);
    EXPECT_TRUE(listing_.truncated);
    // Reading again with room for all shows all, and clears the mark.
    listing_.limit = FOLDER_MAX_ENTRIES;
    ASSERT_TRUE(FolderListing_Read(&listing_, root_.c_str()));
    EXPECT_EQ(listing_.count, 34);
    EXPECT_FALSE(listing_.truncated);
}

TEST_F(FolderListingTest, GoneOrNotAFolderLeavesOnlyTheWayUp) {
    File("one.vexl");
    File("plain.vexl");
    for (const std::string& path : {root_ + "gone/", root_ + "plain.vexl/"}) {
        ASSERT_TRUE(FolderListing_Read(&listing_, root_.c_str()));
        EXPECT_FALSE(FolderListing_Read(&listing_, path.c_str())) << path;
        EXPECT_TRUE(listing_.unreadable) << path;
        EXPECT_STREQ(listing_.folder, path.c_str());
        ASSERT_EQ(listing_.count, 1) << path;
        EXPECT_TRUE(listing_.entries[0].isParent);
    }
    // A path that cannot be held changes nothing.
    const std::string tooLong(FOLDER_PATH_SIZE, 'x');
    EXPECT_FALSE(FolderListing_Read(&listing_, tooLong.c_str()));
    EXPECT_EQ(std::string(listing_.folder), root_ + "plain.vexl/");
    EXPECT_FALSE(FolderListing_Read(&listing_, ""));
}

TEST_F(FolderListingTest, AFolderWithoutPermissionIsUnreadableNotEmpty) {
    SKIP_ON_WINDOWS(WINDOWS_NO_PERMISSION_BITS);
    Folder("locked");
    File("locked/hidden-away.vexl");
    chmod((root_ + "locked").c_str(), 0);
    const std::string locked = root_ + "locked/";
    // Root reads any folder, so the player's view is checked as another user.
    const int result = RunUnprivileged([&locked] {
        FolderListing listing;
        if (!FolderListing_Create(&listing)) return 10;
        const bool read = FolderListing_Read(&listing, locked.c_str());
        const int outcome = read                           ? 11
                            : !listing.unreadable          ? 12
                            : listing.count != 1           ? 13
                            : !listing.entries[0].isParent ? 14
                                                           : 0;
        FolderListing_Free(&listing);
        return outcome;
    });
    EXPECT_EQ(result, 0) << "11 read, 12 not marked, 13 wrong count, 14 no way up";
}

}  // namespace
