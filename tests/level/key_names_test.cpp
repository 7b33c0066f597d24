// Key names and the placeholders that put the player's keys into level texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/config.h"
#include "level/level.h"
#include "level/level_line.h"

namespace {

const int kWadScheme = 0;
const int kArrowScheme = 1;
const int kArrowSpaceScheme = 2;

class KeyNamesTest : public ::testing::Test {
protected:
    KeyNamesTest() : savedScheme_(userConfig.controlScheme) {}
    ~KeyNamesTest() override { userConfig.controlScheme = savedScheme_; }

    static std::string Substituted(int scheme, const std::string& text) {
        userConfig.controlScheme = scheme;
        char buffer[LEVEL_TEXT_MAX + 1];
        std::strncpy(buffer, text.c_str(), sizeof buffer - 1);
        buffer[sizeof buffer - 1] = '\0';
        SubstituteKeyNames(buffer);
        return buffer;
    }

private:
    int savedScheme_;
};

TEST_F(KeyNamesTest, NamesAndShortNames) {
    EXPECT_STREQ(KeyName(TS_KEY_SPACE), "Spacebar");
    EXPECT_STREQ(KeyName(TS_KEY_W), "W");
    EXPECT_STREQ(KeyName(TS_KEY_RIGHT), "Right Arrow");
    EXPECT_STREQ(KeyShortName(TS_KEY_RIGHT), "->");
    EXPECT_STREQ(KeyShortName(TS_KEY_LEFT), "<-");
    EXPECT_STREQ(KeyShortName(TS_KEY_UP), "Up");
    EXPECT_STREQ(KeyName(TS_KEY_DOWN), "Down Arrow");
    EXPECT_STREQ(KeyName(TS_KEY_F1), "");  // no action may have an F key
    EXPECT_STREQ(KeyShortName(TS_KEY_Q), "Q");
    EXPECT_STREQ(KeyShortName(TS_KEY_F12), "");
    // Every key of every scheme has a name for texts.
    for (int key : controlSchemeKeys) EXPECT_STRNE(KeyName(key), "") << key;
}

TEST_F(KeyNamesTest, PlaceholdersBecomeTheSchemesKeys) {
    EXPECT_EQ(Substituted(kWadScheme, "Press $THRUST_KEY$"), "Press W");
    EXPECT_EQ(Substituted(kArrowScheme, "$TLEFT_KEY$/$TRIGHT_KEY$"), "Left Arrow/Right Arrow");
    EXPECT_EQ(Substituted(kArrowSpaceScheme, "$THRUST_KEY$$THRUST_KEY$"), "SpacebarSpacebar");
    // Without its closing '$' a placeholder runs to the end of the text.
    EXPECT_EQ(Substituted(kArrowScheme, "go $TRIGHT_KEY"), "go Right Arrow");
}

TEST_F(KeyNamesTest, OtherTokensVanish) {
    EXPECT_EQ(Substituted(kWadScheme, "$FOO$ ok"), " ok");
    EXPECT_EQ(Substituted(kWadScheme, "cost $$5"), "cost 5");
    EXPECT_EQ(Substituted(kWadScheme, "end $"), "end ");
    EXPECT_EQ(Substituted(kWadScheme, "$thrust_key$!"), "!");
    EXPECT_EQ(Substituted(kWadScheme, "a $unclosed token"), "a ");
    EXPECT_EQ(Substituted(kWadScheme, "no placeholders"), "no placeholders");
}

TEST_F(KeyNamesTest, LongTokensVanishWithoutHarm) {
    const std::string longToken = "$" + std::string(25, 'K') + "$";
    EXPECT_EQ(Substituted(kWadScheme, "a" + longToken + "b"), "ab");
    EXPECT_EQ(Substituted(kWadScheme, "x$" + std::string(280, 'Q')), "x");
    EXPECT_EQ(Substituted(kWadScheme, "$THRUST_KEY_AND_MORE_THAN_TWENTY$ W"), " W");
}

TEST_F(KeyNamesTest, TheResultNeverOutgrowsTheText) {
    // The longest names against their placeholders, filling a whole text.
    std::string text;
    while (text.size() + 11 <= LEVEL_TEXT_MAX) text += "$TLEFT_KEY$";
    text += "$TRIGHT_KEY";
    text.resize(LEVEL_TEXT_MAX);
    const std::string result = Substituted(kArrowScheme, text);
    EXPECT_LE(result.size(), text.size());
    EXPECT_EQ(result.substr(0, 20), "Left ArrowLeft Arrow");

    // A text longer than a level text holds is cut to that length, in place.
    std::string big(400, 'b');
    SubstituteKeyNames(&big[0]);
    EXPECT_EQ(std::strlen(big.c_str()), static_cast<size_t>(LEVEL_TEXT_MAX));
}

TEST_F(KeyNamesTest, PlaceholderActions) {
    EXPECT_EQ(KeyPlaceholderAction("THRUST_KEY", 10), ACTION_THRUST);
    EXPECT_EQ(KeyPlaceholderAction("TLEFT_KEY", 9), ACTION_TURN_LEFT);
    EXPECT_EQ(KeyPlaceholderAction("TRIGHT_KEY$", 10), ACTION_TURN_RIGHT);
    EXPECT_EQ(KeyPlaceholderAction("THRUST_KE", 9), -1);
    EXPECT_EQ(KeyPlaceholderAction("", 0), -1);
}

}  // namespace
