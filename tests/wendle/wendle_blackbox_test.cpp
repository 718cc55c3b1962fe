// The real wendle.exe as a child process: real pipes, environment and
// arguments; its standard output byte for byte, its exit code and the files
// it leaves behind.
#include <cstdio>
#include <regex>

#include <gtest/gtest.h>

#include "wendle_test_support.h"

namespace {

const std::string HELP = ExpectedHelp("wendle");

// "YYYY/MM/DD HH:MM:SS PPPPPPPP " of the given process.
std::string PrefixPattern(unsigned long pid) {
    char number[16];
    snprintf(number, sizeof number, "%08lu", pid);
    return std::string(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d )") + number + " ";
}

// Records of one run, each "prefix + text" with text a regex.
std::regex Records(unsigned long pid, const std::vector<std::string> &texts) {
    std::string all;
    for (const std::string &t : texts) all += PrefixPattern(pid) + t;
    return std::regex(all);
}

TEST(WendleBlackBox, HelpAnywhereWinsOverBadArgumentsAndEnvironment) {
    TempDir dir;
    WendleRun run = RunWendle({"ROTATE=0", "logsize=5", "-h"}, {{"WENDLE_ROTATE", "x"}},
                              "not read\n", dir.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, HELP);
    EXPECT_FALSE(FileExists(dir / "VRKcons.log"));
}

TEST(WendleBlackBox, EachArgumentErrorPrintsItsMessageThenHelpAndExits4) {
    struct Case {
        std::vector<std::string> args;
        const char *message;
    } cases[] = {
        {{"LOGSIZE=2001"}, "WDL001E INVALID LOGSIZE LIMIT"},
        {{"LOGSIZE=4294967297"}, "WDL001E INVALID LOGSIZE LIMIT"},
        {{"LOGSIZE=+5"}, "WDL002E INVALID LOGSIZE"},
        {{"LOGTIME="}, "WDL003E INVALID LOGTIME LIMIT"},
        {{"LOGTIME=1 "}, "WDL004E INVALID LOGTIME"},
        {{"ROTATE=0"}, "WDL005E INVALID ROTATE LIMIT"},
        {{"ROTATE=x"}, "WDL006E INVALID ROTATE"},
        {{"LOCKKEY=-1"}, "WDL007E INVALID LOCKKEY"},
        {{"STDTIME=Yes"}, "WDL008E INVALID STDTIME"},
        {{"logsize=5"}, "WDL009E INVALID ARGV"},
        {{"-help"}, "WDL009E INVALID ARGV"},
        {{"LOGSIZE", "=", "5"}, "WDL009E INVALID ARGV"},
        // The scan stops at the first bad argument.
        {{"", "ROTATE=3", "STDTIME=x", "LOGSIZE=x"}, "WDL008E INVALID STDTIME"},
    };
    for (const Case &c : cases) {
        TempDir dir;
        WendleRun run = RunWendle(c.args, {}, "not read\n", dir.path());
        EXPECT_EQ(run.exitCode, 4) << c.message;
        EXPECT_EQ(run.output, std::string(c.message) + "\r\n" + HELP);
        EXPECT_FALSE(FileExists(dir / "VRKcons.log")) << c.message;
    }
}

TEST(WendleBlackBox, EnvironmentWarningsKeepDefaultsAndRecordingGoesOn) {
    TempDir dir;
    // A 2 MB log is under the default 10 MB limit the bad value leaves.
    WriteBytes(dir / "VRKcons.log", std::string(2 << 20, 'o'));
    EnvVars env{{"WENDLE_LOGSIZE", "1x"},   {"WENDLE_LOGTIME", "0"},
                {"WENDLE_ROTATE", "10"},    {"WENDLE_LOCKKEY", "1.5"},
                {"WENDLE_STDTIME", "Yes"},  {"WENDLE_ELOGFIL", ""},
                {"WENDLE_LOGFILE", std::string(1025, 'L')}}; // too long: skipped
    WendleRun run = RunWendle({}, env, "line\n", dir.path());
    EXPECT_EQ(run.exitCode, 0);
    const std::string warnings = "WDL102W INVALID ENV LOGSIZE(IGNORED)\r\n"
                                 "WDL103W INVALID ENV LOGTIME LIMIT(IGNORED)\r\n"
                                 "WDL105W INVALID ENV ROTATE LIMIT(IGNORED)\r\n"
                                 "WDL107W INVALID ENV LOCKKEY(IGNORED)\r\n"
                                 "WDL108W INVALID ENV STDTIME(IGNORED)\r\n";
    ASSERT_EQ(run.output.substr(0, warnings.size()), warnings);
    EXPECT_TRUE(std::regex_match(run.output.substr(warnings.size()),
                                 Records(run.processId, {"line\r\n"})));
    EXPECT_EQ(ReadBytes(dir / "VRKcons.log").size(), size_t(2 << 20) + 35);
    EXPECT_FALSE(FileExists(dir / "VRKcons.log_1"));
}

TEST(WendleBlackBox, CommandLineWinsOverEnvironment) {
    TempDir dir;
    WriteBytes(dir / "b.log", std::string((1 << 20) + 1, 'o'));
    for (int g = 1; g <= 5; ++g) WriteBytes(dir / ("b.log_" + std::to_string(g)), std::to_string(g));
    EnvVars env{{"WENDLE_LOGFILE", "a.log"}, {"WENDLE_ROTATE", "5"},
                {"WENDLE_STDTIME", "NO"},    {"WENDLE_LOGSIZE", "5"}};
    WendleRun run = RunWendle({"LOGFILE=b.log", "ROTATE=3", "STDTIME=yes", "LOGSIZE=1"}, env,
                              "x\n", dir.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(std::regex_match(run.output, Records(run.processId, {"x\r\n"})));
    EXPECT_FALSE(FileExists(dir / "a.log"));
    EXPECT_EQ(ReadBytes(dir / "b.log_1").size(), size_t(1 << 20) + 1);
    EXPECT_EQ(ReadBytes(dir / "b.log_2"), "1");
    EXPECT_EQ(ReadBytes(dir / "b.log_3"), "2");
    EXPECT_EQ(ReadBytes(dir / "b.log_4"), "4"); // above three generations: untouched
    EXPECT_EQ(ReadBytes(dir / "b.log_5"), "5");
}

TEST(WendleBlackBox, PrefixedLinesInLogAndEchoWithCrLf) {
    TempDir dir;
    std::string input = "READY\r\n\nunix\n" + std::string(1024, 'x') + "\n" +
                        std::string(1500, 'y') + "\nlast";
    // Key and forwarding values are accepted: an empty lock key is no lock.
    WendleRun run = RunWendle({"LOCKKEY=", "ELOGFIL="}, {}, input, dir.path());
    EXPECT_EQ(run.exitCode, 0);
    std::regex expect = Records(run.processId, {"READY\r\n", "\r\n", "unix\r\n", "x{1024}",
                                                "\r\n", "y{1024}", "y{476}\r\n", "last"});
    EXPECT_TRUE(std::regex_match(run.output, expect)) << run.output.substr(0, 200);
    EXPECT_EQ(ReadBytes(dir / "VRKcons.log"), run.output);

    // A later record begins on the unfinished last line.
    WendleRun again = RunWendle({"LOCKKEY=4294967296"}, {}, "more\n", dir.path());
    EXPECT_EQ(again.exitCode, 0);
    std::string log = ReadBytes(dir / "VRKcons.log");
    EXPECT_TRUE(std::regex_search(log, std::regex("last" + PrefixPattern(again.processId) +
                                                  "more\r\n$")));
}

TEST(WendleBlackBox, EchoWithoutPrefixWhenStdtimeIsOff) {
    TempDir dir;
    WendleRun run = RunWendle({"STDTIME=NO"}, {}, "one\r\ntwo", dir.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "one\r\ntwo");
    EXPECT_TRUE(std::regex_match(ReadBytes(dir / "VRKcons.log"),
                                 Records(run.processId, {"one\r\n", "two"})));
}

TEST(WendleBlackBox, EmptyInputCreatesNoLog) {
    TempDir dir;
    WendleRun run = RunWendle({}, {}, "", dir.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_FALSE(FileExists(dir / "VRKcons.log"));
}

TEST(WendleBlackBox, SizeRotationWithOneGeneration) {
    TempDir dir;
    const std::string big((1 << 20) + 1, 'o');
    WriteBytes(dir / "VRKcons.log", big);
    WriteBytes(dir / "VRKcons.log_1", "old");
    WriteBytes(dir / "VRKcons.log_2", "beyond");
    WendleRun run = RunWendle({"LOGSIZE=1"}, {}, "first\nsecond\n", dir.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(ReadBytes(dir / "VRKcons.log_1"), big); // rotated before the first append
    EXPECT_EQ(ReadBytes(dir / "VRKcons.log_2"), "beyond");
    EXPECT_FALSE(FileExists(dir / "VRKcons.log_0"));
    EXPECT_TRUE(std::regex_match(ReadBytes(dir / "VRKcons.log"),
                                 Records(run.processId, {"first\r\n", "second\r\n"})));
}

TEST(WendleBlackBox, SizeRotationWhileRecordingShiftsThreeGenerations) {
    TempDir dir;
    WriteBytes(dir / "VRKcons.log_1", "g1");
    WriteBytes(dir / "VRKcons.log_2", "g2");
    WriteBytes(dir / "VRKcons.log_3", "g3");
    // About 1.2 MB in records of 1024 characters: the limit is passed once.
    std::string input;
    for (int i = 0; i < 1200; ++i) input += std::string(1023, char('a' + i % 26)) + "\n";
    WendleRun run = RunWendle({"LOGSIZE=1", "ROTATE=3", "STDTIME=NO"}, {}, input, dir.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.size(), 1200u * 1025);
    std::string gen1 = ReadBytes(dir / "VRKcons.log_1");
    std::string live = ReadBytes(dir / "VRKcons.log");
    EXPECT_GT(gen1.size(), size_t(1 << 20));
    EXPECT_LE(gen1.size(), size_t(1 << 20) + 1054);        // over by one record at most
    EXPECT_EQ((gen1.size() + live.size()) / 1054, 1200u); // no line lost
    EXPECT_EQ(ReadBytes(dir / "VRKcons.log_2"), "g1");
    EXPECT_EQ(ReadBytes(dir / "VRKcons.log_3"), "g2");
    EXPECT_FALSE(FileExists(dir / "VRKcons.log_4"));
}

TEST(WendleBlackBox, LogThatCannotBeOpenedGivesWdl010eAndExit12) {
    TempDir dir;
    WendleRun run = RunWendle({"LOGFILE=missing\\r.log", "STDTIME=NO"}, {}, "a\nb\n", dir.path());
    EXPECT_EQ(run.exitCode, 12);
    EXPECT_EQ(run.output, "a\r\nWDL010E OPEN FAILED(errno=2)\r\n"
                          "b\r\nWDL010E OPEN FAILED(errno=2)\r\n");
}

} // namespace
