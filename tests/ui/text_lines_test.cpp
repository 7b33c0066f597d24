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

}  // namespace
