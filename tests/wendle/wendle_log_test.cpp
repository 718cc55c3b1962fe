// Prefix, append, rotation check and rotation on real files, and the main
// loop run in-process.
#include <cstring>
#include <ctime>
#include <regex>
#include <windows.h>

#include <gtest/gtest.h>

#include "wendle_in_process.h"
#include "wendle_log.h"

namespace {

constexpr WendleTime T0 = 1365141000;

std::string LocalStamp(WendleTime t) {
    time_t tt = time_t(t);
    char s[32];
    strftime(s, sizeof s, "%Y/%m/%d %H:%M:%S", localtime(&tt));
    return s;
}

TEST(WendlePrefix, DateTimeAndProcessNumberFitTheField) {
    struct Case {
        unsigned long pid;
        const char *number;
    } cases[] = {
        {0, "00000000 "},
        {1234, "00001234 "},
        {99999999, "99999999 "},
        {123456789, "123456789 "},
        // More digits than the field holds: the lowest nine are kept.
        {1000000004, "000000004 "},
        {4294967295ul, "294967295 "},
    };
    for (const Case &c : cases) {
        char prefix[WENDLE_PREFIX_FIELD];
        memset(prefix, 'x', sizeof prefix);
        ASSERT_TRUE(FormPrefix(prefix, T0, c.pid));
        EXPECT_EQ(std::string(prefix), LocalStamp(T0) + " " + c.number);
        EXPECT_LE(strlen(prefix), 30u);
    }
    char prefix[WENDLE_PREFIX_FIELD];
    EXPECT_FALSE(FormPrefix(prefix, -1, 1)); // no clock, no prefix
    EXPECT_STREQ(prefix, "");
}

// A log path in a fresh folder with the settings under test.
struct LogFixture {
    TempDir dir;
    std::string path = dir / "app.log";
    WendleSettings settings;
    FILE *messages;
    WendleLog log;
    explicit LogFixture(int rotate = 1) {
        LoadDefaults(settings);
        strcpy(settings.logFile, path.c_str());
        settings.logSize = 1 << 20;
        settings.logTime = 1;
        settings.rotate = rotate;
        messages = fopen((dir / "messages.txt").c_str(), "w+b");
        log = WendleLog{&settings, messages, T0, nullptr};
    }
    ~LogFixture() { fclose(messages); }
    std::string Messages() {
        fflush(messages);
        return ReadBytes(dir / "messages.txt");
    }
    std::string Gen(int g) const { return GenerationPath(path.c_str(), g); }
};

TEST(WendleLog, AppendStoresCrLfAndFailsWithoutMessageForEmptyRecord) {
    LogFixture f;
    EXPECT_TRUE(AppendRecord(f.log, "one\n"));
    EXPECT_TRUE(AppendRecord(f.log, "tw"));
    EXPECT_TRUE(AppendRecord(f.log, "o\n"));
    EXPECT_FALSE(AppendRecord(f.log, ""));
    EXPECT_EQ(ReadBytes(f.path), "one\r\ntwo\r\n");
    EXPECT_EQ(f.Messages(), "");
}

TEST(WendleLog, AppendToUnopenableLogReportsErrno) {
    LogFixture f;
    strcpy(f.settings.logFile, (f.dir / "missing\\app.log").c_str());
    EXPECT_FALSE(AppendRecord(f.log, "x\n"));
    EXPECT_EQ(f.Messages(), "WDL010E OPEN FAILED(errno=2)\n");
}

TEST(WendleLog, AgeLimitIsStrictlyExceeded) {
    LogFixture f; // one minute
    EXPECT_FALSE(RotationDue(f.log, T0 + 60));
    EXPECT_TRUE(RotationDue(f.log, T0 + 61));
    EXPECT_FALSE(RotationDue(f.log, -1)); // no clock: size alone decides
    EXPECT_TRUE(Rotate(f.log, T0 + 61));
    EXPECT_EQ(f.log.lastRotation, T0 + 61);
    EXPECT_FALSE(RotationDue(f.log, T0 + 121));
}

TEST(WendleLog, SizeLimitIsStrictlyExceeded) {
    LogFixture f;
    WriteBytes(f.path, std::string(1 << 20, 'a'));
    EXPECT_FALSE(RotationDue(f.log, T0));
    WriteBytes(f.path, std::string((1 << 20) + 1, 'a'));
    EXPECT_TRUE(RotationDue(f.log, T0));
    EXPECT_TRUE(RotationDue(f.log, -1));
}

TEST(WendleLog, RotationShiftsGenerationsAndDropsTheOldest) {
    struct Case {
        int rotate;
        std::vector<int> before; // generations present besides the live log
        std::vector<std::pair<int, std::string>> after;
    } cases[] = {
        {1, {}, {{1, "live"}}},
        {1, {1}, {{1, "live"}}},
        {1, {1, 2}, {{1, "live"}, {2, "gen2"}}}, // above the count: untouched
        {2, {1, 2}, {{1, "live"}, {2, "gen1"}}},
        {3, {1}, {{1, "live"}, {2, "gen1"}}},
        {3, {1, 2, 3}, {{1, "live"}, {2, "gen1"}, {3, "gen2"}}},
        {3, {2}, {{1, "live"}, {3, "gen2"}}},
        {9, {1, 9}, {{1, "live"}, {2, "gen1"}, {9, "gen9"}}}, // no path_8 to move
    };
    for (const Case &c : cases) {
        LogFixture f(c.rotate);
        WriteBytes(f.path, "live");
        for (int g : c.before) WriteBytes(f.Gen(g), "gen" + std::to_string(g));
        EXPECT_TRUE(Rotate(f.log, T0 + 5));
        SCOPED_TRACE("rotate " + std::to_string(c.rotate));
        EXPECT_EQ(ReadBytes(f.path), "");
        EXPECT_TRUE(FileExists(f.path));
        EXPECT_FALSE(FileExists(f.Gen(0)));
        for (int g = 1; g <= 9; ++g) {
            std::string expect;
            for (const auto &a : c.after)
                if (a.first == g) expect = a.second;
            EXPECT_EQ(FileExists(f.Gen(g)), !expect.empty()) << "generation " << g;
            if (!expect.empty()) {
                EXPECT_EQ(ReadBytes(f.Gen(g)), expect) << "generation " << g;
            }
        }
        EXPECT_EQ(f.Messages(), "");
        EXPECT_EQ(f.log.lastRotation, T0 + 5);
    }
}

TEST(WendleLog, GenerationThatCannotMoveIsKeptNotLost) {
    LogFixture f(3);
    WriteBytes(f.path, "live");
    WriteBytes(f.Gen(1), "gen1");
    WriteBytes(f.Gen(2), "gen2");
    // path_3 is a folder that is not empty: it can be neither deleted nor
    // replaced, so path_2 cannot move.
    ASSERT_TRUE(CreateDirectoryA(f.Gen(3).c_str(), nullptr));
    WriteBytes(f.Gen(3) + "\\inside", "x");
    EXPECT_TRUE(Rotate(f.log, T0 + 5));
    EXPECT_EQ(ReadBytes(f.Gen(2)), "gen2");
    EXPECT_EQ(ReadBytes(f.Gen(1)), "gen1");
    EXPECT_EQ(ReadBytes(f.Gen(0)), "live");
    EXPECT_EQ(ReadBytes(f.path), "");
    std::string m = f.Messages();
    EXPECT_TRUE(std::regex_match(m, std::regex("(WDL017E RENAME FAILED\\(errno=\\d+\\)\n){3}")))
        << m;
    EXPECT_EQ(f.log.lastRotation, T0 + 5);

    // The next rotation cannot move the live log past the path_0 left over:
    // the live log goes on growing, and the age counts from now.
    AppendRecord(f.log, "more\n");
    EXPECT_TRUE(Rotate(f.log, T0 + 500));
    EXPECT_EQ(ReadBytes(f.path), "more\r\n");
    EXPECT_EQ(ReadBytes(f.Gen(0)), "live");
    EXPECT_EQ(f.log.lastRotation, T0 + 500);
}

TEST(WendleLog, RotationOfMissingLogStartsItAndSetsTheTime) {
    LogFixture f;
    WriteBytes(f.Gen(1), "gen1");
    EXPECT_TRUE(Rotate(f.log, T0 + 7));
    EXPECT_TRUE(FileExists(f.path));
    EXPECT_EQ(ReadBytes(f.Gen(1)), "gen1");
    EXPECT_EQ(f.log.lastRotation, T0 + 7);

    strcpy(f.settings.logFile, (f.dir / "missing\\app.log").c_str());
    EXPECT_FALSE(Rotate(f.log, T0 + 9));
    EXPECT_EQ(f.Messages(), "WDL010E OPEN FAILED(errno=2)\n");
    EXPECT_EQ(f.log.lastRotation, T0 + 9);
}

// The main loop, in-process with a fixed clock and process number 1234.
std::string Prefix() { return LocalStamp(T0) + " 00001234 "; }

TEST(WendleLoop, RecordsEachPieceWithPrefixInLogAndEcho) {
    struct Case {
        const char *name;
        std::string input;
        std::vector<std::string> records; // as read, before text-mode storing
    } cases[] = {
        {"lines", "READY\r\nsecond\n", {"READY\n", "second\n"}},
        {"empty line is a bare prefix", "\n", {"\n"}},
        {"last line without line end", "a\nlast", {"a\n", "last"}},
        {"NUL first is skipped", std::string("\0skip\nkept\n", 11), {"kept\n"}},
        {"exactly 1024", std::string(1024, 'x') + "\n", {std::string(1024, 'x'), "\n"}},
        {"longer than 2048",
         std::string(2500, 'y') + "\n",
         {std::string(1024, 'y'), std::string(1024, 'y'), std::string(452, 'y') + "\n"}},
    };
    for (const Case &c : cases) {
        TempDir dir;
        InProcessRun run = RunInProcess(dir, {"LOGFILE=" + (dir / "r.log")}, {}, c.input);
        std::string expect;
        for (const std::string &r : c.records) expect += Prefix() + r;
        expect = std::regex_replace(expect, std::regex("\n"), "\r\n");
        EXPECT_EQ(run.exitCode, 0) << c.name;
        EXPECT_EQ(ReadBytes(dir / "r.log"), expect) << c.name;
        EXPECT_EQ(run.output, expect) << c.name;
    }
}

TEST(WendleLoop, EchoWithoutPrefixWhenStdtimeIsOff) {
    TempDir dir;
    InProcessRun run = RunInProcess(dir, {"LOGFILE=" + (dir / "r.log"), "STDTIME=NO"}, {},
                                    "one\ntwo\n");
    EXPECT_EQ(run.output, "one\r\ntwo\r\n");
    EXPECT_EQ(ReadBytes(dir / "r.log"), Prefix() + "one\r\n" + Prefix() + "two\r\n");
}

TEST(WendleLoop, EmptyInputCreatesNoLog) {
    TempDir dir;
    InProcessRun run = RunInProcess(dir, {"LOGFILE=" + (dir / "r.log")}, {}, "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_FALSE(FileExists(dir / "r.log"));
}

TEST(WendleLoop, ExitCodeFollowsTheLastAppend) {
    TempDir dir;
    InProcessRun run =
        RunInProcess(dir, {"LOGFILE=" + (dir / "no\\r.log")}, {}, "one\ntwo\n");
    EXPECT_EQ(run.exitCode, 12);
    EXPECT_EQ(run.output, Prefix() + "one\r\nWDL010E OPEN FAILED(errno=2)\r\n" + Prefix() +
                              "two\r\nWDL010E OPEN FAILED(errno=2)\r\n");
}

TEST(WendleLoop, OversizedLogIsRotatedBeforeTheFirstAppend) {
    TempDir dir;
    const std::string log = dir / "r.log";
    WriteBytes(log, std::string((1 << 20) + 1, 'o'));
    InProcessRun run =
        RunInProcess(dir, {"LOGFILE=" + log, "LOGSIZE=1"}, {{"WENDLE_ROTATE", "2"}}, "new\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(ReadBytes(log), Prefix() + "new\r\n");
    EXPECT_EQ(ReadBytes(log + "_1").size(), size_t(1 << 20) + 1);
    EXPECT_FALSE(FileExists(log + "_0"));
}

TEST(WendleLoop, AgeCountsFromStartUp) {
    struct Case {
        WendleTime later;
        bool rotated;
    } cases[] = {{T0 + 60, false}, {T0 + 61, true}};
    for (const Case &c : cases) {
        TempDir dir;
        const std::string log = dir / "r.log";
        WriteBytes(log, "old\n");
        InProcessRun run =
            RunInProcess(dir, {"LOGFILE=" + log, "LOGTIME=1"}, {}, "a\nb\n", T0, 7, c.later);
        EXPECT_EQ(run.exitCode, 0);
        // Rotated once at most: the rotation restarts the age.
        std::string records = LocalStamp(c.later) + " 00000007 a\r\n" +
                              LocalStamp(c.later) + " 00000007 b\r\n";
        EXPECT_EQ(ReadBytes(log), c.rotated ? records : "old\n" + records) << c.later - T0;
        EXPECT_EQ(FileExists(log + "_1"), c.rotated) << c.later - T0;
    }
}

} // namespace
