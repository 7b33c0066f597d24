// The top-ten table of campaign totals and its file, score.vex.
#pragma once

enum {
    SCORE_TABLE_SIZE = 10,
    SCORE_NAME_MAX = 10,
    SCORE_TEXT_SIZE = 512,
    SCORE_LINE_SIZE = 256,   // a longer line of score.vex is not an entry
    SCORE_FILE_MAX = 65536,  // a larger score.vex is not ours to read or replace
};

struct ScoreEntry {
    char name[SCORE_NAME_MAX + 2];  // up to ten characters and the terminator
    int score;
};

// Kept sorted by score, highest first; zeroed at program start.
extern ScoreEntry scoreTable[SCORE_TABLE_SIZE];
// The table as the "Top Scores" popup shows it: always the table on disk.
extern char scoreText[SCORE_TEXT_SIZE];

// Reads score.vex, creating the default file first when there is none. The
// first ten entries count (see ScoreTable_ParseLine; a line of 256 bytes or
// more is none), missing entries are zero, and the table is sorted.
// A score.vex that exists but cannot be read (no permission, a folder, a
// FIFO or device, too large, unreadable bytes) is left alone: the table is
// the default one, ScoreTable_ReadError tells why, and standard error hears
// it once.
void ScoreTable_Load(void);

// 0 when the last load read score.vex, otherwise the error number that kept
// it from being read (FileError_Text gives the words). While it is not 0,
// nothing is ever written over the file.
int ScoreTable_ReadError(void);

// One line of score.vex: after optional white space a name (the run of
// non-blank characters, cut to ten) and then a number as strtol reads it,
// which must fit an int. False when the line is no entry. A name that starts
// with a byte-order mark is none either: written at the top of the file it
// would be taken for the mark of the file itself.
bool ScoreTable_ParseLine(const char* line, ScoreEntry* out);

// A campaign total earns a name in the table when it reaches the tenth score.
bool ScoreTable_Qualifies(int total);

// Puts the entry into the table ahead of any equal score (the lowest of the
// eleven drops out), writes score.vex safely and fills scoreText. An empty
// name becomes "Player"; blanks become underscores so the name stays one word
// in the file. Returns 0, or the error number of the failed save (the read
// error when score.vex could not be read); the table and scoreText then stay
// as the file on disk has them.
int ScoreTable_Record(ScoreEntry* entry);

// Makes a name safe to store: at most ten characters, no white space, and no
// byte-order mark at its start.
void ScoreTable_CleanName(char* name);

void ScoreTable_ResetForTests(void);
