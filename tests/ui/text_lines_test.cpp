// Paths wrapped into popup lines: every line fits, nothing of a path that
// fits is lost, and a path too long for its lines keeps its file name.
#include <string>
#include <vector>

#include "support/headless.h"
#include "ui/text_lines.h"

namespace {

class TextLinesTest : public HeadlessTest {
protected:
    static constexpr float kWidth = 300.0f;

    std::vector<std::string> Wrap(const std::string& text, int maxLines) {
        TS_Settings_TextSize(17.0f);
        char out[2048];
        const int count = TextLines_Wrap(text.c_str(), kWidth, maxLines, out, sizeof out);
        std::vector<std::string> lines;
        std::string rest = out;
        for (size_t at; (at = rest.find('\n')) != std::string::npos; rest.erase(0, at + 1)) {
            lines.push_back(rest.substr(0, at));
        }
        lines.push_back(rest);
        EXPECT_EQ(count, static_cast<int>(lines.size()));
        return lines;
    }
    static void ExpectEachFits(const std::vector<std::string>& lines) {
        TS_Settings_TextSize(17.0f);
        for (const std::string& line : lines) {
            EXPECT_LE(TS_Font_TextWidth(line.c_str()), kWidth) << line;
            ASSERT_FALSE(line.empty());
            EXPECT_NE(static_cast<unsigned char>(line[0]) & 0xC0, 0x80) << "split character";
        }
    }
    static std::string Joined(const std::vector<std::string>& lines) {
        std::string all;
        for (const std::string& line : lines) all += line;
        return all;
    }
};

TEST_F(TextLinesTest, AShortPathStaysOneLineAsItIs) {
    EXPECT_EQ(Wrap("/home/ada/levels/mine.vexl", 3),
              std::vector<std::string>{"/home/ada/levels/mine.vexl"});
}

TEST_F(TextLinesTest, ALongPathBreaksAfterItsSlashesAndLosesNothing) {
    std::string path;
    for (int i = 0; i < 8; ++i) path += "/folder_number_" + std::to_string(i);
    path += "/level.vexl";
    const std::vector<std::string> lines = Wrap(path, 10);
    ASSERT_GT(lines.size(), 2u);
    ExpectEachFits(lines);
    EXPECT_EQ(Joined(lines), path);
    for (size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i].back(), '/') << lines[i];
}

TEST_F(TextLinesTest, ANameWithoutSlashesBreaksBetweenCharactersNeverInsideOne) {
    std::string name;
    for (int i = 0; i < 60; ++i) name += "\xC3\xA9x";  // "éx"
    const std::vector<std::string> lines = Wrap(name, 10);
    ASSERT_GT(lines.size(), 1u);
    ExpectEachFits(lines);
    EXPECT_EQ(Joined(lines), name);
}

TEST_F(TextLinesTest, APathTooLongForItsLinesKeepsItsEndAfterAnEllipsis) {
    std::string path;
    for (int i = 0; i < 20; ++i) path += "/deeply_nested_folder_" + std::to_string(i);
    path += "/the_level.vexl";
    const std::vector<std::string> lines = Wrap(path, 2);
    ASSERT_EQ(lines.size(), 2u);
    ExpectEachFits(lines);
    const std::string ellipsis = "\xE2\x80\xA6";
    ASSERT_EQ(lines[0].compare(0, ellipsis.size(), ellipsis), 0);
    const std::string shown = Joined(lines).substr(ellipsis.size());
    EXPECT_EQ(path.substr(path.size() - shown.size()), shown);
    // It keeps as much as fits: the second line is not left short.
    EXPECT_GT(TS_Font_TextWidth(lines[1].c_str()), kWidth / 2.0f);
}

TEST_F(TextLinesTest, ControlCharactersInANameCannotBreakThePopupsLines) {
    EXPECT_EQ(Wrap("/tmp/two\nlines\t.vexl", 3), std::vector<std::string>{"/tmp/two?lines?.vexl"});
}

class WrapWordsTest : public HeadlessTest {
protected:
    static constexpr float kWidth = 300.0f;

    static std::vector<std::string> Wrap(const std::string& text, float width = kWidth) {
        TS_Settings_TextSize(17.0f);
        char out[2048];
        const int count = TextLines_WrapWords(text.c_str(), width, out, sizeof out);
        std::vector<std::string> lines;
        std::string rest = out;
        for (size_t at; (at = rest.find('\n')) != std::string::npos; rest.erase(0, at + 1)) {
            lines.push_back(rest.substr(0, at));
        }
        lines.push_back(rest);
        EXPECT_EQ(count, static_cast<int>(lines.size()));
        return lines;
    }
    static void ExpectEachFits(const std::vector<std::string>& lines, float width = kWidth) {
        TS_Settings_TextSize(17.0f);
        for (const std::string& line : lines) {
            EXPECT_LE(TS_Font_TextWidth(line.c_str()), width) << line;
            if (!line.empty()) {
                EXPECT_NE(static_cast<unsigned char>(line[0]) & 0xC0, 0x80) << "split character";
            }
        }
    }
};

TEST_F(WrapWordsTest, EmptyShortAndExactlyFittingTextsStayOneLine) {
    EXPECT_EQ(Wrap(""), std::vector<std::string>{""});
    EXPECT_EQ(Wrap("Do you want to overwrite it?"),
              std::vector<std::string>{"Do you want to overwrite it?"});
    const std::string text = "Unsaved changes will be lost.";
    TS_Settings_TextSize(17.0f);
    const float exact = TS_Font_TextWidth(text.c_str());
    EXPECT_EQ(Wrap(text, exact), std::vector<std::string>{text});
    EXPECT_EQ(Wrap(text, exact - 1.0f).size(), 2u);
}

TEST_F(WrapWordsTest, ALongMessageBreaksAtSpacesKeepingEveryWordInOrder) {
    const std::string text =
        "The level could not be saved because the folder it was meant for is no longer there "
        "and nothing else was written";
    const std::vector<std::string> lines = Wrap(text);
    ASSERT_GT(lines.size(), 2u);
    ExpectEachFits(lines);
    std::string joined;
    for (const std::string& line : lines) {
        EXPECT_NE(line.front(), ' ') << line;
        EXPECT_NE(line.back(), ' ') << line;
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, text);
}

TEST_F(WrapWordsTest, ALineEndsWithASentenceWhenThatKeepsItHalfFull) {
    EXPECT_EQ(Wrap("Unsaved changes will be lost. Are you sure you want to continue?", 460.0f),
              (std::vector<std::string>{"Unsaved changes will be lost.",
                                        "Are you sure you want to continue?"}));
}

TEST_F(WrapWordsTest, TheTextsOwnLinesStayAndEmptyOnesToo) {
    EXPECT_EQ(Wrap("--- Editing ---\n\nDrag objects"),
              (std::vector<std::string>{"--- Editing ---", "", "Drag objects"}));
}

TEST_F(WrapWordsTest, AWordLongerThanALineBreaksBetweenWholeCharacters) {
    std::string word;
    for (int i = 0; i < 40; ++i) word += "\xE6\x97\xA5x";  // 日x
    const std::vector<std::string> lines = Wrap("Open " + word + " now");
    ASSERT_GT(lines.size(), 2u);
    ExpectEachFits(lines);
    std::string joined;
    for (const std::string& line : lines) joined += line;
    EXPECT_EQ(joined.find(word), 4u) << joined;  // the word's pieces, in order
}

}  // namespace
