// Choice popups and a screen's popups stepped together: a pressed choice
// closes its popup (unless it keeps it open) before its action runs, and one
// action a frame, since an action may open or close the other popups.
#include <gtest/gtest.h>

#include <string>

#include "support/headless.h"
#include "ui/popup.h"

namespace {

Popup* popups[2] = {};
std::string actions;
bool firstWasOpenDuringAction = false;

void Yes(void) {
    actions += "yes ";
    firstWasOpenDuringAction = popups[0] && popups[0]->open;
}
void No(void) { actions += "no "; }
// Opens the second popup, which sits right under the first's buttons.
void OpenSecond(void) {
    actions += "second ";
    Popup_Open(popups[1]);
}

void PopupsFrame() {
    Popups_Update(popups, 2);
    Popups_Draw(popups, 2);
}

class PopupChoicesTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        TS_System_SetWindowSize(1280, 720);
        actions.clear();
        firstWasOpenDuringAction = false;
        Automation_MouseMove(5, 5);
        TS_Engine_SetNextGameState(nullptr, PopupsFrame, nullptr);
    }
    void TearDown() override {
        for (Popup*& popup : popups) {
            Popup_Free(popup);
            popup = nullptr;
        }
        HeadlessTest::TearDown();
    }
};

TEST_F(PopupChoicesTest, AQuestionClosesThenRunsTheAnswer) {
    popups[0] =
        Popup_CreateQuestion("Quit Game", "Are you sure?", {"Yes", Yes, false}, {"No", No, false});
    ASSERT_NE(popups[0], nullptr);
    EXPECT_FALSE(popups[0]->open);  // made closed, opened when asked
    EXPECT_EQ(std::string(popups[0]->buttons[0]->label), "Yes");
    EXPECT_EQ(std::string(popups[0]->buttons[1]->label), "No");

    Popup_Open(popups[0]);
    Automation_RunFrames(1);
    Click(popups[0]->buttons[0]->position.x, popups[0]->buttons[0]->position.y);
    EXPECT_EQ(actions, "yes ");
    EXPECT_FALSE(firstWasOpenDuringAction);
    EXPECT_FALSE(popups[0]->open);

    Popup_Open(popups[0]);
    Click(popups[0]->buttons[1]->position.x, popups[0]->buttons[1]->position.y);
    EXPECT_EQ(actions, "yes no ");
    EXPECT_FALSE(popups[0]->open);
}

TEST_F(PopupChoicesTest, AChoiceWithoutActionJustClosesAndOneThatKeepsOpenStays) {
    const PopupChoice choices[] = {{"Ok", nullptr, false}, {"Help", Yes, true}};
    popups[0] = Popup_CreateChoices("Paused", "", choices, 2);
    ASSERT_NE(popups[0], nullptr);
    Popup_Open(popups[0]);
    Automation_RunFrames(1);
    Click(popups[0]->buttons[1]->position.x, popups[0]->buttons[1]->position.y);
    EXPECT_EQ(actions, "yes ");
    EXPECT_TRUE(firstWasOpenDuringAction);
    EXPECT_TRUE(popups[0]->open);
    Click(popups[0]->buttons[0]->position.x, popups[0]->buttons[0]->position.y);
    EXPECT_EQ(actions, "yes ");
    EXPECT_FALSE(popups[0]->open);
}

TEST_F(PopupChoicesTest, TooManyChoicesMakeNoPopup) {
    const PopupChoice choices[POPUP_MAX_CHOICES + 1] = {};
    EXPECT_EQ(Popup_CreateChoices("Title", "", choices, POPUP_MAX_CHOICES + 1), nullptr);
}

TEST_F(PopupChoicesTest, OnePopupActsPerFrameAndTheyHoldTheInput) {
    const PopupChoice first[] = {{"Next", OpenSecond, false}};
    const PopupChoice second[] = {{"Ok", No, false}};
    popups[0] = Popup_CreateChoices("First", "", first, 1);
    popups[1] = Popup_CreateChoices("Second", "", second, 1);
    ASSERT_NE(popups[0], nullptr);
    ASSERT_NE(popups[1], nullptr);
    EXPECT_FALSE(Popups_AnyOpen(popups, 2));
    EXPECT_FALSE(Popups_Update(popups, 2));

    // Both buttons sit at the same place: the click that opens the second
    // popup must not also press the second popup's button in that frame.
    Popup_Open(popups[0]);
    Automation_RunFrames(1);
    Click(popups[0]->buttons[0]->position.x, popups[0]->buttons[0]->position.y);
    EXPECT_EQ(actions, "second ");
    EXPECT_TRUE(popups[1]->open);
    EXPECT_TRUE(Popups_AnyOpen(popups, 2));
    Click(popups[1]->buttons[0]->position.x, popups[1]->buttons[0]->position.y);
    EXPECT_EQ(actions, "second no ");
    EXPECT_FALSE(Popups_AnyOpen(popups, 2));
}

}  // namespace
