// The frame loop's screen changes and frame time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/headless.h"

namespace {

std::vector<std::string> events;

void AInit() { events.push_back("A.init"); }
void AExit() { events.push_back("A.exit"); }
void BInit() { events.push_back("B.init"); }
void BUpdate() { events.push_back("B.update"); }
void BExit() { events.push_back("B.exit"); }
void AUpdate() {
    events.push_back("A.update:begin");
    TS_Engine_SetNextGameState(BInit, BUpdate, BExit);
    events.push_back("A.update:end");  // the request does not cut the update short
}

class EngineTest : public HeadlessTest {};

TEST_F(EngineTest, ChangeTakesEffectAfterUpdateExitThenInit) {
    events.clear();
    TS_Engine_SetNextGameState(AInit, AUpdate, AExit);
    Automation_RunFrames(2);
    const std::vector<std::string> expected = {"A.init", "A.update:begin", "A.update:end",
                                               "A.exit", "B.init",         "B.update"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(TS_Engine_CurrentUpdate(), &BUpdate);
}

TEST_F(EngineTest, FixedFrameTimeUnderAutomation) {
    EXPECT_FLOAT_EQ(TS_System_GetDt(), 1.0f / 60.0f);
    Automation_SetFrameTime(0.25f);
    Automation_RunFrames(1);
    EXPECT_FLOAT_EQ(TS_System_GetDt(), 0.25f);
}

TEST_F(EngineTest, FullscreenMeansTheWindowCoversTheDisplay) {
    TS_System_SetWindowSize(1280, 720);
    EXPECT_EQ(TS_System_GetWindowWidth(), 1280);
    TS_System_Fullscreen();
    EXPECT_EQ(TS_System_GetWindowPixelWidth(), TS_System_GetDisplayWidth());
    EXPECT_EQ(TS_System_GetWindowPixelHeight(), TS_System_GetDisplayHeight());
    TS_System_SetWindowSize(1280, 720);
    EXPECT_EQ(TS_System_GetWindowHeight(), 720);
}

}  // namespace
