// Event-log forwarding: the list file, identifiers and patterns, the event
// of a forwarded line, and forwarding in the recorder's loop.
#include <cstring>

#include <gtest/gtest.h>

#include "wendle_forward.h"
#include "wendle_in_process.h"

namespace {

struct ListFixture {
    TempDir dir;
    std::string path = dir / "list.txt";
    FILE *out = fopen((dir / "out.txt").c_str(), "w+b");
    ForwardList list{};
    ~ListFixture() {
        ForwardFree(list);
        fclose(out);
        ForwardFailAt(0);
    }
    std::string Messages() {
        fflush(out);
        return ReadBytes(dir / "out.txt");
    }
    std::vector<std::string> Patterns() const {
        std::vector<std::string> p;
        for (int i = 0; i < list.count; ++i) p.push_back(list.entries[i]);
        return p;
    }
};

TEST(WendleForwardList, BlanksCommentsAndEightCharacterPatterns) {
    ListFixture f;
    WriteBytes(f.path, "# forward all errors\n"
                       "WDL???E\n"
                       "  \t\n"
                       "\n"
                       "   # indented comment\n"
                       "/ slash comment\n"
                       "WDL 001 E\n"
                       "WDL001E123\n"
                       "\tA*W\t\r\n" +
                           std::string(1030, 'L') + "X\n" + "last");
    ASSERT_TRUE(ForwardLoad(f.list, f.path.c_str(), f.out));
    // The 1031-character line is read as a piece of 1023 and one of 8.
    EXPECT_EQ(f.Patterns(), (std::vector<std::string>{"WDL???E", "WDL001E", "WDL001E1", "A*W",
                                                      "LLLLLLLL", "LLLLLLLX", "last"}));
    EXPECT_EQ(f.Messages(), "");

    // A list without patterns loads and forwards nothing.
    WriteBytes(f.path, "# nothing\n\n");
    ASSERT_TRUE(ForwardLoad(f.list, f.path.c_str(), f.out));
    EXPECT_EQ(f.list.count, 0);
    EXPECT_FALSE(ForwardMatches(f.list, "WDL010E OPEN FAILED\n"));
}

TEST(WendleForwardList, GrowsByAHundredEntries) {
    ListFixture f;
    std::string text;
    for (int i = 0; i < 250; ++i) text += "P" + std::to_string(i) + "\n";
    WriteBytes(f.path, text);
    ASSERT_TRUE(ForwardLoad(f.list, f.path.c_str(), f.out));
    EXPECT_EQ(f.list.count, 250);
    EXPECT_EQ(f.list.capacity, 300);
    EXPECT_STREQ(f.list.entries[0], "P0");
    EXPECT_STREQ(f.list.entries[249], "P249");
}

TEST(WendleForwardList, FailuresDropTheList) {
    struct Case {
        int failAt; // 0: the file is missing
        const char *message;
    } cases[] = {
        {0, "WDL016E FOPEN FAILED(errno=2)\n"},
        {1, "WDL015E MALLOC FAILED\n"}, // the first array
        {3, "WDL015E MALLOC FAILED\n"}, // growing past 200 entries
    };
    for (const Case &c : cases) {
        ListFixture f;
        WriteBytes(f.dir / "good.txt", "WDL???E\n");
        ASSERT_TRUE(ForwardLoad(f.list, (f.dir / "good.txt").c_str(), f.out));
        std::string text;
        for (int i = 0; i < 250; ++i) text += "P" + std::to_string(i) + "\n";
        if (c.failAt) WriteBytes(f.path, text);
        ForwardFailAt(c.failAt);
        EXPECT_FALSE(ForwardLoad(f.list, f.path.c_str(), f.out));
        EXPECT_EQ(f.Messages(), c.message);
        EXPECT_EQ(f.list.entries, nullptr); // the list loaded before is gone too
        EXPECT_EQ(f.list.count, 0);
        EXPECT_FALSE(ForwardMatches(f.list, "WDL010E OPEN FAILED\n"));
    }
}

TEST(WendleForward, IdentifierIsSevenOrEightCharacters) {
    struct Case {
        const char *line;
        int length;
    } cases[] = {
        {"WDL010E OPEN FAILED\n", 7},
        {"ABCD123X rest\n", 8},
        {"WDL010E\n", 7}, // a line feed in 8th place ends it like a blank
        {"WDL010E", 7},   // shorter: whole
        {"HELLO\n", 6},
        {"HELLO WORLD\n", 8},
    };
    for (const Case &c : cases) EXPECT_EQ(IdentifierLength(c.line), c.length) << c.line;
}

TEST(WendleForward, PatternsMatchTheWholeIdentifier) {
    struct Case {
        const char *pattern, *identifier;
        bool matches;
    } cases[] = {
        {"WDL???E", "WDL010E", true},  {"WDL???E", "WDL101W", false},
        {"WDL???E", "WDL010EX", false}, {"*", "HELLO WO", true},
        {"*", "", true},               {"A*W", "AW", true},
        {"A*W", "ABCD123W", true},     {"A*W", "ABCD123X", false},
        {"*E", "WDL010E", true},       {"W*L*E", "WDL010E", true},
        {"WDL001E1", "WDL001E", false}, {"?", "", false},
        {"WDL??", "WDL0", false},       {"wdl???e", "WDL010E", false},
        {"**E", "WDL010E", true},       {"WDL010E*", "WDL010E", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PatternMatches(c.pattern, c.identifier), c.matches)
            << c.pattern << " / " << c.identifier;
}

TEST(WendleForward, EventOfAForwardedLine) {
    struct Case {
        const char *line;
        bool reported;
        unsigned short type;
        unsigned long id;
    } cases[] = {
        {"WDL010E OPEN FAILED(errno=2)\n", true, 1, 10},
        {"WDL101W INVALID ENV\n", true, 2, 101},
        {"WDL200I ADDED\n", true, 4, 200},
        {"ABCD123X rest\n", true, 4, 123},
        {"ABCD999E\n", true, 1, 999},
        {"WDL010E\n", true, 1, 10},
        {"WDL000E", false, 0, 0}, // shorter than 8
        {"HELLO WORLD\n", false, 0, 0},
        {"WDL01XE x\n", false, 0, 0},
    };
    for (const Case &c : cases) {
        ListFixture f;
        EventCapture capture;
        EXPECT_TRUE(ForwardReport(c.line, capture.sink(), f.out)) << c.line;
        EXPECT_EQ(f.Messages(), "");
        if (!c.reported) {
            EXPECT_TRUE(capture.events.empty()) << c.line;
            continue;
        }
        ASSERT_EQ(capture.events.size(), 1u) << c.line;
        EXPECT_EQ(capture.events[0], (CapturedEvent{c.type, 3800, c.id, c.line})) << c.line;
    }
}

TEST(WendleForward, EventLogFailureIsReported) {
    ListFixture f;
    EventCapture capture;
    capture.error = 1502;
    EXPECT_FALSE(ForwardReport("WDL010E OPEN FAILED\n", capture.sink(), f.out));
    EXPECT_EQ(f.Messages(), "WDL022E EVENTLOG FAILED(errno=1502)\n");
}

TEST(WendleForward, SystemEventLogTakesTheEvent) {
    ListFixture f;
    EXPECT_TRUE(ForwardReport("WDL010E OPEN FAILED(errno=2)\n", SystemEventLog(), f.out));
    EXPECT_EQ(f.Messages(), "");
}

// The loop: matching lines go to the event log as read, before the echo;
// every line is recorded whatever forwarding did.
TEST(WendleForwardLoop, MatchingLinesAreReportedAndAllRecorded) {
    TempDir dir;
    WriteBytes(dir / "list.txt", "WDL???E\nA*W\n");
    const std::string input = "WDL010E OPEN FAILED\nWDL101W WARN\nAXYZ001W w\nplain\n";
    InProcessRun run = RunInProcess(dir, {"LOGFILE=" + (dir / "r.log"), "STDTIME=NO"},
                                    {{"WENDLE_ELOGFIL", dir / "list.txt"}}, input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.events, (std::vector<CapturedEvent>{{1, 3800, 10, "WDL010E OPEN FAILED\n"},
                                                      {2, 3800, 1, "AXYZ001W w\n"}}));
    EXPECT_EQ(run.output, "WDL010E OPEN FAILED\r\nWDL101W WARN\r\nAXYZ001W w\r\nplain\r\n");
    EXPECT_EQ(ReadBytes(dir / "r.log").size(), input.size() + 4 + 4 * 29);
}

TEST(WendleForwardLoop, UnloadableListEndsStartUpOnlyFromTheCommandLine) {
    TempDir dir;
    const std::string missing = dir / "missing.txt";
    InProcessRun fromArg =
        RunInProcess(dir, {"LOGFILE=" + (dir / "r.log"), "ELOGFIL=" + missing}, {}, "x\n");
    EXPECT_EQ(fromArg.exitCode, 4);
    EXPECT_EQ(fromArg.output, "WDL016E FOPEN FAILED(errno=2)\r\n" + ExpectedHelp("wendle"));
    EXPECT_FALSE(FileExists(dir / "r.log"));

    InProcessRun fromEnv = RunInProcess(dir, {"LOGFILE=" + (dir / "r.log"), "STDTIME=NO"},
                                        {{"WENDLE_ELOGFIL", missing}}, "WDL010E x\n");
    EXPECT_EQ(fromEnv.exitCode, 0);
    EXPECT_EQ(fromEnv.output, "WDL016E FOPEN FAILED(errno=2)\r\nWDL010E x\r\n");
    EXPECT_TRUE(fromEnv.events.empty());
}

TEST(WendleForwardLoop, EventLogFailureDoesNotStopRecording) {
    TempDir dir;
    WriteBytes(dir / "list.txt", "*\n");
    InProcessRun run = RunInProcess(dir, {"LOGFILE=" + (dir / "r.log"), "STDTIME=NO"},
                                    {{"WENDLE_ELOGFIL", dir / "list.txt"}}, "WDL010E x\n",
                                    1365141000, 1234, -2, 1502);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "WDL022E EVENTLOG FAILED(errno=1502)\r\nWDL010E x\r\n");
    EXPECT_EQ(ReadBytes(dir / "r.log").size(), 29 + 11u);
}

} // namespace
