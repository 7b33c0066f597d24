// The player's gamecontrollerdb.txt in the save folder: read line by line
// within a size limit, whatever it holds, and never waited on.

#include <string>

#include "app/config.h"
#include "app/controls.h"
#include "support/headless.h"
#include "support/portable.h"

namespace {

class PadMappingsTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Automation_RunFrames(1);
        // Nothing there yet: nothing read, nothing refused; the folder is made.
        ASSERT_EQ(Controls_LoadPadMappings(), 0);
    }
    std::string Path() const { return SaveFolder() + "gamecontrollerdb.txt"; }
};

TEST_F(PadMappingsTest, GoodLinesAreTakenAndDamagedOnesPassedOver) {
    std::string text =
        "# Game pads\n"
        "\n"
        "03000000aaaa0000bbbb000000000000,Linux Pad,a:b0,b:b1,x:b2,y:b3,platform:Linux,\n"
        "03000000aaaa0000cccc000000000000,Windows Pad,a:b0,b:b1,platform:Windows,\r\n"
        "hello\n";
    text += std::string(5000, 'x') + "\n";  // far longer than any mapping
    text += std::string("\x01\xff\xfe,\x00,a:b0\n", 12);
    WriteText(Path(), text);
    const int refused = Controls_LoadPadMappings();
    EXPECT_GE(refused, 2);  // "hello" and the long line at least
    EXPECT_LE(refused, 3);
    Automation_RunFrames(1);
}

TEST_F(PadMappingsTest, AFolderOrAFifoInItsPlaceIsRefusedNotWaitedOn) {
    ASSERT_EQ(mkdir(Path().c_str(), 0700), 0);
    EXPECT_EQ(Controls_LoadPadMappings(), -1);
    ASSERT_EQ(rmdir(Path().c_str()), 0);
#ifndef _WIN32  // Windows has no FIFOs
    ASSERT_EQ(mkfifo(Path().c_str(), 0600), 0);
    EXPECT_EQ(Controls_LoadPadMappings(), -1);
#endif
}

TEST_F(PadMappingsTest, AFileFarLargerThanAnyListIsRefused) {
    WriteText(Path(), std::string(PAD_MAPPINGS_FILE_LIMIT + 1, '#'));
    EXPECT_EQ(Controls_LoadPadMappings(), -1);
}

}  // namespace
