// Fuzzes the reading of score.vex against a plain reference reader, and the
// saving of a qualifying score: sorted, clean names, the entry kept and a file
// that reads back as the same table.
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/text_file.h"
#include "fuzz_support.h"
#include "play/score_table.h"

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "score table broken: %s\n", what);
    std::abort();
}

// ---- The reference: the rules of score.vex written out one by one ----------

bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Whether the first bytes read as UTF-16 text: its marks, or a zero byte
// beside a non-zero one at the start.
bool LooksLikeUtf16(const std::string& bytes) {
    if (bytes.size() < 2) return false;
    const unsigned char a = static_cast<unsigned char>(bytes[0]);
    const unsigned char b = static_cast<unsigned char>(bytes[1]);
    return (a == 0xFF && b == 0xFE) || (a == 0xFE && b == 0xFF) || ((a == 0) != (b == 0));
}

bool IsByteOrderMark(const std::string& name) {
    return name.compare(0, 3, "\xEF\xBB\xBF") == 0 || name.compare(0, 2, "\xFF\xFE") == 0 ||
           name.compare(0, 2, "\xFE\xFF") == 0;
}

// One line (already cut at its first NUL) as an entry.
bool ReferenceEntry(const std::string& line, ScoreEntry* out) {
    size_t i = 0;
    while (i < line.size() && IsBlank(static_cast<unsigned char>(line[i]))) ++i;
    const size_t nameStart = i;
    while (i < line.size() && !IsBlank(static_cast<unsigned char>(line[i]))) ++i;
    if (i == nameStart) return false;
    const std::string name = line.substr(nameStart, std::min<size_t>(i - nameStart, 10));
    if (IsByteOrderMark(name)) return false;
    while (i < line.size() && IsBlank(static_cast<unsigned char>(line[i]))) ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    long long value = 0;
    size_t digits = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i, ++digits) {
        if (value <= 1LL << 40) value = value * 10 + (line[i] - '0');
    }
    if (digits == 0) return false;
    if (negative) value = -value;
    if (value < INT_MIN || value > INT_MAX) return false;
    std::memset(out, 0, sizeof *out);
    std::memcpy(out->name, name.data(), name.size());
    out->score = static_cast<int>(value);
    return true;
}

// The table score.vex holds; false when the file is not to be read at all.
bool ReferenceTable(const std::string& file, ScoreEntry table[SCORE_TABLE_SIZE]) {
    if (file.size() > SCORE_FILE_MAX || LooksLikeUtf16(file)) return false;
    size_t at = file.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::vector<ScoreEntry> entries;
    while (at < file.size() && entries.size() < SCORE_TABLE_SIZE) {
        size_t end = at;
        while (end < file.size() && file[end] != '\n' && file[end] != '\r') ++end;
        const std::string line = file.substr(at, end - at);
        // "\n", "\r\n" or a lone "\r" ends it.
        at = end;
        if (at + 1 < file.size() && file[at] == '\r' && file[at + 1] == '\n') ++at;
        if (at < file.size()) ++at;
        if (line.size() >= SCORE_LINE_SIZE) continue;
        ScoreEntry entry;
        if (ReferenceEntry(line.substr(0, line.find('\0')), &entry)) entries.push_back(entry);
    }
    entries.resize(SCORE_TABLE_SIZE, ScoreEntry{});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
    std::copy(entries.begin(), entries.end(), table);
    return true;
}

// ---- The game's table ------------------------------------------------------

std::string scoreFile;

void MakeScratchSaveFolder(void) {
    const std::string& folder = Fuzz_ScratchFolder();
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    const std::string saves = folder + "/Orrinth";
    Check(mkdir(saves.c_str(), 0755) == 0 && mkdir((saves + "/Vexal").c_str(), 0755) == 0,
          "no save folder");
    scoreFile = saves + "/Vexal/score.vex";
}

bool SameEntry(const ScoreEntry& a, const ScoreEntry& b) {
    return a.score == b.score && std::strcmp(a.name, b.name) == 0;
}

void CheckShape(void) {
    for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
        const ScoreEntry& e = scoreTable[i];
        Check(std::memchr(e.name, '\0', sizeof e.name) != nullptr, "a name without its end");
        Check(std::strlen(e.name) <= SCORE_NAME_MAX, "a name over ten characters");
        for (const char* c = e.name; *c; ++c)
            Check(!IsBlank(static_cast<unsigned char>(*c)), "a blank in a name");
        if (i > 0) Check(scoreTable[i - 1].score >= e.score, "the table is not sorted");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) {
        MakeScratchSaveFolder();
        ready = true;
    }
    ScoreTable_ResetForTests();
    Fuzz_WriteFile(scoreFile, data, size);
    const std::string input(reinterpret_cast<const char*>(data), size);

    ScoreTable_Load();
    ScoreEntry expected[SCORE_TABLE_SIZE];
    const bool readable = ReferenceTable(input, expected);
    CheckShape();
    if (!readable) {
        Check(ScoreTable_ReadError() != 0, "an unreadable file was read");
        Check(std::strcmp(scoreTable[0].name, "Tansy") == 0, "not the default table");
        ScoreEntry entry = {"Fuzz", scoreTable[SCORE_TABLE_SIZE - 1].score};
        Check(ScoreTable_Record(&entry) != 0, "saved over an unreadable file");
        Check(Fuzz_ReadFile(scoreFile) == input, "an unreadable file was changed");
        return 0;
    }
    Check(ScoreTable_ReadError() == 0, "a readable file was refused");
    for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
        Check(SameEntry(scoreTable[i], expected[i]), "the table differs from the reference");
    }

    // A total that ties the tenth place always gets in, under a name made of
    // the input's first bytes (blanks, marks and all) as the player typed it.
    ScoreEntry entry = {};
    std::memcpy(entry.name, data, std::min<size_t>(size, SCORE_NAME_MAX + 1));
    entry.score = scoreTable[SCORE_TABLE_SIZE - 1].score;
    Check(ScoreTable_Qualifies(entry.score), "a tie with the tenth does not qualify");
    Check(ScoreTable_Record(&entry) == 0, "the save failed");
    CheckShape();
    bool found = false;
    for (const ScoreEntry& e : scoreTable) found = found || SameEntry(e, entry);
    Check(found, "the recorded entry is missing");
    Check(Fuzz_ReadFile(scoreFile) == scoreText, "the file is not the shown table");

    ScoreEntry saved[SCORE_TABLE_SIZE];
    std::memcpy(saved, scoreTable, sizeof saved);
    ScoreTable_Load();
    Check(ScoreTable_ReadError() == 0, "the saved file cannot be read");
    for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
        Check(SameEntry(scoreTable[i], saved[i]), "the saved file reads back differently");
    }
    return 0;
}
