// The records store: a level's best time keeps the run that flew it, the best
// score may come from another run, the file reads back as an ordinary replay,
// and a damaged or unwritable records folder never costs the player anything.

#include <cerrno>
#include <cmath>
#include <string>

#include "app/safe_file.h"
#include "play/records.h"
#include "support/headless.h"
#include "support/unprivileged.h"
#include "world/replay.h"
#include "support/portable.h"

namespace {

const uint64_t kHash = 0x0123456789abcdefull;

class RecordsTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        InitReplay(&run_);
    }
    void TearDown() override {
        FreeReplay(&run_);
        HeadlessTest::TearDown();
    }

    std::string RecordsFolder() const { return SaveFolder() + "records"; }
    std::string RecordFile(const std::string& key) const {
        return RecordsFolder() + "/" + key + ".replay";
    }

    // A run of `presses` thrust taps on level_3 (as the campaign names it).
    const Replay& Run(int presses) {
        FreeReplay(&run_);
        InitReplay(&run_);
        Replay_SetLevel(&run_, "level_3", kHash);
        for (int i = 0; i < presses; ++i) {
            Replay_AddEvent(&run_, i * 10, 32, true);
            Replay_AddEvent(&run_, i * 10 + 5, 32, false);
        }
        return run_;
    }

    static RecordOutcome Offer(const char* key, const Replay& run, float time, int32_t score) {
        RecordOutcome outcome;
        Records_Offer(key, &run, time, score, 30.0f, 0.0f, &outcome);
        return outcome;
    }

    // The stored record of a key: its time, score and number of events.
    struct Stored {
        int error;
        float time;
        int32_t score;
        uint32_t events;
    };
    static Stored Load(const char* key) {
        LevelRecord record;
        const int error = Records_Load(key, &record);
        const Stored stored{error, record.bestTime, record.bestScore, record.bestRun.count};
        FreeLevelRecord(&record);
        return stored;
    }

    Replay run_;
};

TEST_F(RecordsTest, KeysNameShippedLevelsAndHashCustomOnes) {
    char key[RECORD_KEY_SIZE];
    Records_Key("level_3", kHash, key, sizeof key);
    EXPECT_STREQ(key, "level_3");
    Records_Key(nullptr, kHash, key, sizeof key);
    EXPECT_STREQ(key, "custom-0123456789abcdef");
    Records_Key("", 0xffull, key, sizeof key);
    EXPECT_STREQ(key, "custom-00000000000000ff");
    // A key that would leave the folder is refused, never written.
    RecordOutcome outcome = Offer("../user", Run(1), 5.0f, 100);
    EXPECT_EQ(outcome.saveError, EINVAL);
    EXPECT_FALSE(FileExists(SaveFolder() + "user.replay"));
}

TEST_F(RecordsTest, TheBestTimeKeepsItsRunAndTheBestScoreMayComeFromAnother) {
    EXPECT_EQ(Load("level_3").error, ENOENT);
    RecordOutcome outcome = Offer("level_3", Run(3), 10.0f, 900);
    EXPECT_TRUE(outcome.newBestTime);
    EXPECT_TRUE(outcome.newBestScore);
    EXPECT_EQ(outcome.previousTime, 0.0f);
    EXPECT_EQ(outcome.saveError, 0);

    // Slower, but more fuel left: the score is new, the time and run stay.
    outcome = Offer("level_3", Run(5), 12.0f, 1200);
    EXPECT_FALSE(outcome.newBestTime);
    EXPECT_TRUE(outcome.newBestScore);
    EXPECT_EQ(outcome.previousTime, 10.0f);
    Stored stored = Load("level_3");
    EXPECT_EQ(stored.error, 0);
    EXPECT_EQ(stored.time, 10.0f);
    EXPECT_EQ(stored.score, 1200);
    EXPECT_EQ(stored.events, 6u);

    // Faster with a poorer score: time and run are new, the score stays.
    outcome = Offer("level_3", Run(2), 9.5f, 700);
    EXPECT_TRUE(outcome.newBestTime);
    EXPECT_FALSE(outcome.newBestScore);
    stored = Load("level_3");
    EXPECT_EQ(stored.time, 9.5f);
    EXPECT_EQ(stored.score, 1200);
    EXPECT_EQ(stored.events, 4u);

    // A tie is no new best.
    outcome = Offer("level_3", Run(7), 9.5f, 1200);
    EXPECT_FALSE(outcome.newBestTime);
    EXPECT_FALSE(outcome.newBestScore);
    EXPECT_EQ(Load("level_3").events, 4u);
}

TEST_F(RecordsTest, ARecordsFileIsAReplayTheReaderFullyUnderstands) {
    RecordOutcome outcome;
    Records_Offer("level_3", &Run(4), 5.2166667f, 1234, 22.5f, 0.0f, &outcome);
    ASSERT_EQ(outcome.saveError, 0);
    Replay read;
    ASSERT_EQ(ReadReplayFile(RecordFile("level_3").c_str(), &read), 0);
    EXPECT_EQ(read.badLines, 0u) << read.firstBadReason;
    EXPECT_EQ(read.count, 8u);
    EXPECT_STREQ(read.levelName, "level_3");
    EXPECT_TRUE(Replay_FitsLevel(&read, kHash));
    // The time comes back exactly, so the same run later is no new best.
    EXPECT_EQ(read.bestTime, 5.2166667f);
    EXPECT_EQ(read.bestScore, 1234);
    EXPECT_EQ(read.parTime, 22.5f);
    FreeReplay(&read);
}

// What a damaged records file must never touch: the player's settings, score
// table and the records of other levels.
struct Untouched {
    std::string settings, scores, other;
};

class DamagedRecordsTest : public RecordsTest {
protected:
    Untouched Keep() {
        WriteText(SaveFolder() + "user.cfg", "0 40 60 1 ");
        WriteText(SaveFolder() + "score.vex", "Ann 5000\n");
        Offer("level_1", Run(2), 7.0f, 800);
        return Untouched{ReadText(SaveFolder() + "user.cfg"), ReadText(SaveFolder() + "score.vex"),
                         ReadText(RecordFile("level_1"))};
    }
    void ExpectKept(const Untouched& kept) {
        EXPECT_EQ(ReadText(SaveFolder() + "user.cfg"), kept.settings);
        EXPECT_EQ(ReadText(SaveFolder() + "score.vex"), kept.scores);
        EXPECT_EQ(ReadText(RecordFile("level_1")), kept.other);
    }
};

TEST_F(DamagedRecordsTest, ADamagedFileReadsAsNoneAndIsKeptAsideBeforeANewRecord) {
    const Untouched kept = Keep();
    const std::string whole =
        "# vexal replay 1\nscheme 2\nbest-time 8\nbest-score 900\n0 down 32\n40 up 32\n";
    const std::string damaged[] = {
        "\x01\x02garbage\xff\n\n",
        std::string(100000, 'x') + "\n",    // one endless line
        whole.substr(0, whole.size() - 6),  // cut in the last line
        "# vexal replay 1\n0 down 32\n",    // no best time
        "best-time -3\nbest-score 900\n",   // no such time
        std::string("best-time 8\nbest-score 9\0\n", 27),
    };
    int index = 0;
    for (const std::string& text : damaged) {
        SCOPED_TRACE(index++);
        WriteText(RecordFile("level_3"), text);
        EXPECT_EQ(Load("level_3").error, RECORD_DAMAGED);
        const RecordOutcome outcome = Offer("level_3", Run(1), 20.0f, 500);
        EXPECT_EQ(outcome.saveError, 0);
        EXPECT_TRUE(outcome.newBestTime);
        EXPECT_EQ(ReadText(RecordFile("level_3") + ".damaged"), text);
        EXPECT_EQ(Load("level_3").time, 20.0f);
    }
    ExpectKept(kept);
}

TEST_F(DamagedRecordsTest, SomethingUnreadableInItsPlaceIsNeverWrittenOver) {
    const Untouched kept = Keep();
    // A folder where the file should be.
    mkdir(RecordFile("level_3").c_str(), 0755);
    WriteText(RecordFile("level_3") + "/inside", "keep");
    EXPECT_EQ(Load("level_3").error, EISDIR);
    RecordOutcome outcome = Offer("level_3", Run(1), 20.0f, 500);
    EXPECT_EQ(outcome.saveError, EISDIR);
    EXPECT_FALSE(outcome.newBestTime);
    EXPECT_EQ(ReadText(RecordFile("level_3") + "/inside"), "keep");

    // The records folder itself a file: nothing is written and nothing lost.
    const std::string folder = RecordsFolder();
    std::rename(folder.c_str(), (TempDir() + "/moved").c_str());
    WriteText(folder, "not a folder");
    outcome = Offer("level_2", Run(1), 20.0f, 500);
    EXPECT_NE(outcome.saveError, 0);
    EXPECT_EQ(ReadText(folder), "not a folder");
    std::remove(folder.c_str());
    std::rename((TempDir() + "/moved").c_str(), folder.c_str());
    ExpectKept(kept);
}

TEST_F(DamagedRecordsTest, AFailedWriteKeepsTheOldRecordAndSaysSo) {
    SKIP_ON_WINDOWS(WINDOWS_NO_PERMISSION_BITS);
    const Untouched kept = Keep();
    Offer("level_3", Run(3), 10.0f, 900);
    const std::string before = ReadText(RecordFile("level_3"));

    SafeFile_FailNextCommitForTests(ENOSPC);
    RecordOutcome outcome = Offer("level_3", Run(1), 8.0f, 1000);
    EXPECT_TRUE(outcome.newBestTime);
    EXPECT_EQ(outcome.saveError, ENOSPC);
    EXPECT_EQ(ReadText(RecordFile("level_3")), before);

    // A folder the player may not write into.
    chmod(RecordsFolder().c_str(), 0555);
    for (std::string folder = RecordsFolder(); folder.size() > TempDir().size();
         folder = folder.substr(0, folder.rfind('/'))) {
        if (folder != RecordsFolder()) OpenToEveryone(folder);
    }
    OpenToEveryone(TempDir());
    const int result = RunUnprivileged([this] {
        RecordOutcome denied;
        Records_Offer("level_3", &run_, 7.0f, 1100, 30.0f, 0.0f, &denied);
        return denied.saveError == EACCES && denied.newBestTime ? 0 : 1;
    });
    chmod(RecordsFolder().c_str(), 0755);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadText(RecordFile("level_3")), before);
    ExpectKept(kept);
}

TEST_F(RecordsTest, ARecordOfAChangedLevelIsKeptAsideNotCompared) {
    Offer("level_3", Run(3), 5.0f, 900);
    Replay changed = Run(2);
    changed.levelHash = kHash + 1;
    const RecordOutcome outcome = Offer("level_3", changed, 9.0f, 400);
    EXPECT_TRUE(outcome.newBestTime);
    EXPECT_EQ(outcome.previousTime, 0.0f);
    EXPECT_TRUE(FileExists(RecordFile("level_3") + ".old"));
    EXPECT_EQ(Load("level_3").time, 9.0f);
}

TEST_F(RecordsTest, AnIncompleteRecordingNeverBecomesTheBestRun) {
    Offer("level_3", Run(3), 10.0f, 900);
    Replay broken = Run(1);
    broken.incomplete = 1;
    const RecordOutcome outcome = Offer("level_3", broken, 6.0f, 1000);
    EXPECT_EQ(outcome.saveError, ENOMEM);
    const Stored stored = Load("level_3");
    EXPECT_EQ(stored.time, 10.0f);  // its time would have no run to show it
    EXPECT_EQ(stored.score, 1000);  // the score needs none
    EXPECT_EQ(stored.events, 6u);
}

}  // namespace

TEST(Medals, AuthorAtTheProofsTimeThenFractionsOfPar) {
    const float par = 20.0f, author = 15.0f;
    EXPECT_EQ(Medal_ForTime(author, par, author), MEDAL_AUTHOR);
    EXPECT_EQ(Medal_ForTime(author - 0.5f, par, author), MEDAL_AUTHOR);
    EXPECT_EQ(Medal_ForTime(std::nextafter(author, 99.0f), par, author), MEDAL_GOLD);
    EXPECT_EQ(Medal_ForTime(par * 0.85f, par, author), MEDAL_GOLD);
    EXPECT_EQ(Medal_ForTime(std::nextafter(par * 0.85f, 99.0f), par, author), MEDAL_SILVER);
    EXPECT_EQ(Medal_ForTime(par * 0.92f, par, author), MEDAL_SILVER);
    EXPECT_EQ(Medal_ForTime(std::nextafter(par * 0.92f, 99.0f), par, author), MEDAL_BRONZE);
    EXPECT_EQ(Medal_ForTime(par, par, author), MEDAL_BRONZE);  // par itself is beaten
    EXPECT_EQ(Medal_ForTime(std::nextafter(par, 99.0f), par, author), MEDAL_NONE);
    // Without an author time (custom levels) gold is the best; without a par
    // there is nothing to measure against.
    EXPECT_EQ(Medal_ForTime(1.0f, par, 0.0f), MEDAL_GOLD);
    EXPECT_EQ(Medal_ForTime(1.0f, 0.0f, 0.0f), MEDAL_NONE);
    EXPECT_EQ(Medal_ForTime(1.0f, 0.0f, author), MEDAL_AUTHOR);
    EXPECT_EQ(Medal_ForTime(0.0f, par, author), MEDAL_NONE);
    EXPECT_STREQ(Medal_Name(MEDAL_GOLD), "Gold");
    EXPECT_STREQ(Medal_Name(MEDAL_NONE), "");
    EXPECT_EQ(Records_AuthorTime("level_99"), 0.0f);
    EXPECT_EQ(Records_AuthorTime(nullptr), 0.0f);
}
