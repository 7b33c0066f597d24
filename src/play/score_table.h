// The top-ten table of campaign totals and its file, score.vex.
#pragma once

enum { SCORE_TABLE_SIZE = 10, SCORE_NAME_MAX = 10, SCORE_TEXT_SIZE = 512 };

struct ScoreEntry {
    char name[SCORE_NAME_MAX + 2];  // up to ten characters and the terminator
    int score;
};

// Kept sorted by score, highest first; zeroed at program start.
extern ScoreEntry scoreTable[SCORE_TABLE_SIZE];
// The table as the "Top Scores" popup shows it.
extern char scoreText[SCORE_TEXT_SIZE];

// Reads score.vex (creating the default file first when there is none).
// Names longer than ten characters are cut, malformed lines skipped, missing
// entries left zero. When the file cannot be read the table stays as it was.
void ScoreTable_Load(void);

// A campaign total earns a name in the table when it reaches the tenth score.
bool ScoreTable_Qualifies(int total);

// Puts the entry into the table (the lowest of the eleven drops out), writes
// score.vex safely and fills scoreText. An empty name becomes "Player"; blanks
// become underscores so the name stays one word in the file.
void ScoreTable_Record(ScoreEntry* entry);

// Makes a name safe to store: at most ten characters, no white space.
void ScoreTable_CleanName(char* name);

void ScoreTable_ResetForTests(void);
