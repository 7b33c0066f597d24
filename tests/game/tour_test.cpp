// The screenshot tour: every stop visited in order with its picture at the
// window's size, nothing written outside the picture folder, and the command
// line it is started with.
#include "game/tour.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "support/malloc_counter.h"
#include "support/portable.h"
#include "support/text_fit_check.h"
#include "world/world.h"

namespace fs = std::filesystem;

namespace {

// A PNG's size from its header: the IHDR chunk follows the 8-byte signature.
bool PngSize(const fs::path& file, int* width, int* height) {
    std::ifstream in(file, std::ios::binary);
    unsigned char header[24] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
    const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!std::equal(signature, signature + 8, header)) return false;
    if (std::string(reinterpret_cast<char*>(header + 12), 4) != "IHDR") return false;
    auto big = [&](int at) {
        return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3];
    };
    *width = big(16);
    *height = big(20);
    return true;
}

std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Each test gets its own temporary folder, and TMPDIR and XDG_DATA_HOME
// point into it: the tour's scratch folder must be made and removed there,
// and the player's save folder must stay untouched.
class TourTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vexal-tour-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "temp");
        fs::create_directories(root_ / "player");
        savedTemp_ = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
        setenv("TMPDIR", (root_ / "temp").string().c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ / "player").string().c_str(), 1);
    }
    void TearDown() override {
        if (savedTemp_.empty()) unsetenv("TMPDIR");
        else setenv("TMPDIR", savedTemp_.c_str(), 1);
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    fs::path root_;
    std::string savedTemp_;
};

struct TourSize {
    int width, height;
    const char* name;
};

class TourPicturesTest : public TourTest, public ::testing::WithParamInterface<TourSize> {};

TEST_P(TourPicturesTest, VisitsEveryStopWithAPictureOfTheWindowsSize) {
    const TourSize size = GetParam();
    if (!MallocCounter_Available() && size.width > 1280) {
        // The sanitizers make every frame several times slower: there the
        // larger window is only walked (see WalksEveryStopWithoutDrawing).
        GTEST_SKIP() << "pictures at 1280 x 720 only in a sanitizer build";
    }
    TourOptions options;
    options.folder = (root_ / "pictures" / "new").string();  // made by the tour
    options.width = size.width;
    options.height = size.height;
    std::vector<std::string> seen;
    options.onStop = [&seen, &options](const std::string& stop) {
        seen.push_back(stop);
        // The picture of a stop is written before the stop is announced.
        char name[64];
        std::snprintf(name, sizeof name, "%02zu-%s.png", seen.size(), stop.c_str());
        EXPECT_TRUE(fs::exists(fs::path(options.folder) / name)) << name;
    };
    std::string error;
    ASSERT_TRUE(Tour_Run(options, &error)) << error;

    EXPECT_EQ(seen, Tour_StopNames());
    std::set<std::string> expected;
    for (size_t i = 0; i < seen.size(); ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%02zu-%s.png", i + 1, seen[i].c_str());
        expected.insert(name);
    }
    EXPECT_EQ(Entries(options.folder), expected);
    for (const std::string& name : expected) {
        int width = 0, height = 0;
        ASSERT_TRUE(PngSize(fs::path(options.folder) / name, &width, &height)) << name;
        EXPECT_EQ(width, size.width) << name;
        EXPECT_EQ(height, size.height) << name;
    }
    // The scratch save folder is gone and the player's was never made.
    EXPECT_TRUE(Entries(root_ / "temp").empty());
    EXPECT_TRUE(Entries(root_ / "player").empty());
    EXPECT_EQ(Entries(root_ / "pictures"), std::set<std::string>{"new"});
}

INSTANTIATE_TEST_SUITE_P(Sizes, TourPicturesTest,
                         ::testing::Values(TourSize{1280, 720, "Window1280x720"},
                                           TourSize{1920, 1080, "Window1920x1080"}),
                         [](const ::testing::TestParamInfo<TourSize>& info) {
                             return std::string(info.param.name);
                         });

// The walk alone, nothing drawn or written, at every shape of window a player
// brings (16:9 at three scales, 21:9, 16:10 and 4:3): every stop is still
// reached, and at every stop each text stays inside the window, inside its
// button, popup or bar, clear of the other texts and of the boxes drawn over
// it. The draw record holds what would have been drawn.
// A level's own texts belong to the scene: they scroll with the camera and
// may hang over the window's edge like any asteroid. Only the game's own texts
// must fit.
std::vector<AutomationDrawCall> WithoutLevelTexts(const std::vector<AutomationDrawCall>& calls) {
    std::set<std::string> levelTexts;
    for (uint64_t i = 0; world.level.texts && i < world.level.textCapacity; ++i) {
        const TextObject* text = world.level.texts[i];
        if (text && text->text) levelTexts.insert(text->text);
    }
    std::vector<AutomationDrawCall> kept;
    for (const AutomationDrawCall& call : calls) {
        if (call.kind != DRAW_TEXT || !levelTexts.count(call.text)) kept.push_back(call);
    }
    return kept;
}

class TourWalkTest : public TourTest, public ::testing::WithParamInterface<TourSize> {};

TEST_P(TourWalkTest, ReachesEveryStopWithEveryTextInsideItsBox) {
    const TourSize size = GetParam();
    TourOptions options;
    options.width = size.width;
    options.height = size.height;
    options.savePictures = false;
    options.render = false;
    std::vector<std::string> seen;
    std::vector<std::string> problems;
    options.onStop = [&seen, &problems](const std::string& stop) {
        seen.push_back(stop);
        const std::vector<std::string> found =
            TextFitCheck_Calls(stop.c_str(), WithoutLevelTexts(Automation_DrawCalls()),
                               static_cast<float>(TS_System_GetWindowWidth()),
                               static_cast<float>(TS_System_GetWindowHeight()));
        problems.insert(problems.end(), found.begin(), found.end());
    };
    std::string error;
    ASSERT_TRUE(Tour_Run(options, &error)) << error;
    EXPECT_EQ(seen, Tour_StopNames());
    std::set<std::string> unique(seen.begin(), seen.end());
    EXPECT_EQ(unique.size(), seen.size()) << "every stop has a name of its own";
    EXPECT_TRUE(problems.empty()) << size.name << ":\n" << TextFitCheck_Report(problems);
    EXPECT_TRUE(Entries(root_ / "temp").empty());
    EXPECT_TRUE(Entries(root_ / "player").empty());
}

INSTANTIATE_TEST_SUITE_P(Sizes, TourWalkTest,
                         ::testing::Values(TourSize{1280, 720, "Window1280x720"},
                                           TourSize{1920, 1080, "Window1920x1080"},
                                           TourSize{2560, 1080, "Window2560x1080"},
                                           TourSize{3840, 2160, "Window3840x2160"},
                                           TourSize{1920, 1200, "Window1920x1200"},
                                           TourSize{1024, 768, "Window1024x768"}),
                         [](const ::testing::TestParamInfo<TourSize>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(TourTest, RefusesAFolderItCannotWriteOrABadSizeAndLeavesNothing) {
    const fs::path file = root_ / "a file";
    std::ofstream(file) << "not a folder";
    TourOptions options;
    options.folder = (file / "pictures").string();
    std::string error;
    EXPECT_FALSE(Tour_Run(options, &error));
    EXPECT_NE(error.find("pictures"), std::string::npos) << error;

    options.folder = (root_ / "pictures").string();
    options.width = 100;
    options.height = 100;
    EXPECT_FALSE(Tour_Run(options, &error));
    EXPECT_NE(error.find("size"), std::string::npos) << error;
    EXPECT_TRUE(Entries(root_ / "temp").empty());
    EXPECT_TRUE(Entries(root_ / "player").empty());
}

// The command line: what is a tour, what is the plain game, what is refused.
TEST(TourArguments, TourSizeAndTheirMistakes) {
    struct Case {
        std::vector<const char*> arguments;
        int result;
        int width, height;
    };
    const Case cases[] = {
        {{}, 0, 1280, 720},
        {{"-psn_0_1234"}, 0, 1280, 720},  // what a system may hand the plain game
        {{"--tour", "/tmp/shots"}, 1, 1280, 720},
        {{"--size", "1920x1080", "--tour", "/tmp/shots"}, 1, 1920, 1080},
        {{"--tour"}, -1, 0, 0},
        {{"--tour", ""}, -1, 0, 0},
        {{"--size", "1920x1080"}, -1, 0, 0},
        {{"--tour", "/tmp/shots", "--size"}, -1, 0, 0},
        {{"--tour", "/tmp/shots", "--size", "1920"}, -1, 0, 0},
        {{"--tour", "/tmp/shots", "--size", "1920x1080x3"}, -1, 0, 0},
        {{"--tour", "/tmp/shots", "--size", "20x10"}, -1, 0, 0},
        {{"--tour", "/tmp/shots", "--fast"}, -1, 0, 0},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"vexal"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        std::string joined;
        for (const char* a : c.arguments) joined += std::string(a) + " ";
        TourOptions options;
        std::string error;
        EXPECT_EQ(Tour_ParseArguments(static_cast<int>(argv.size()), argv.data(), &options, &error),
                  c.result)
            << joined;
        if (c.result < 0) {
            EXPECT_FALSE(error.empty()) << joined;
        }
        if (c.result > 0) {
            // Made absolute, as the game changes folder before the tour starts.
            EXPECT_EQ(fs::path(options.folder).lexically_normal(),
                      fs::absolute("/tmp/shots").lexically_normal())
                << joined;
            EXPECT_EQ(options.width, c.width) << joined;
            EXPECT_EQ(options.height, c.height) << joined;
        }
    }
    // A relative folder is taken from where the game was started.
    const char* relative[] = {"vexal", "--tour", "shots"};
    TourOptions options;
    std::string error;
    ASSERT_EQ(Tour_ParseArguments(3, relative, &options, &error), 1);
    EXPECT_EQ(options.folder, (fs::current_path() / "shots").generic_string());
}

}  // namespace
