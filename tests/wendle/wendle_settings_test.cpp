// Settings: digits, ranges, the order of environment and command line.
#include <cstring>

#include <gtest/gtest.h>

#include "wendle_in_process.h"
#include "wendle_settings.h"

namespace {

// A captured message stream for the settings readers.
struct Capture {
    TempDir dir;
    FILE *f = fopen((dir / "msg.txt").c_str(), "w+b");
    ~Capture() { fclose(f); }
    std::string text() {
        fflush(f);
        return ReadBytes(dir / "msg.txt");
    }
};

TEST(WendleSettings, DecimalValuesNeverWrap) {
    struct Case {
        const char *text;
        bool valid;
        uint64_t value;
    } cases[] = {
        {"", true, 0},
        {"007", true, 7},
        {"2000", true, 2000},
        {"4294967295", true, 4294967295ull},
        {"4294967296", true, 4294967296ull}, // saturated: beyond every limit
        {"4294969296", true, 4294967296ull}, // 2^32 + 2000 must not pass as 2000
        {"123456789012345678901234567890", true, 4294967296ull},
        {"+5", false, 0},
        {"-1", false, 0},
        {"5MB", false, 0},
        {" 5", false, 0},
        {"5 ", false, 0},
    };
    for (const Case &c : cases) {
        DecimalValue d = ParseDecimal(c.text);
        EXPECT_EQ(d.kind == Digits::Value, c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(d.value, c.value) << c.text;
        }
    }
}

TEST(WendleSettings, DefaultsWithoutArgumentsOrEnvironment) {
    WendleSettings s;
    LoadDefaults(s);
    EXPECT_STREQ(s.logFile, ".\\VRKcons.log");
    EXPECT_EQ(s.logSize, 10485760);
    EXPECT_EQ(s.logTime, 1440);
    EXPECT_EQ(s.rotate, 1);
    EXPECT_EQ(s.lockKey, 0u);
    EXPECT_TRUE(s.stdTime);
    EXPECT_STREQ(s.eLogFil, "");
}

TEST(WendleSettings, CommandLineValuesAndErrors) {
    struct Case {
        const char *arg;
        const char *message; // "" when accepted
    } cases[] = {
        {"LOGSIZE=1", ""},
        {"LOGSIZE=2000", ""},
        {"LOGSIZE=2001", "WDL001E INVALID LOGSIZE LIMIT\n"},
        {"LOGSIZE=0", "WDL001E INVALID LOGSIZE LIMIT\n"},
        {"LOGSIZE=", "WDL001E INVALID LOGSIZE LIMIT\n"},
        {"LOGSIZE=4294967297", "WDL001E INVALID LOGSIZE LIMIT\n"},
        {"LOGSIZE=4294969296", "WDL001E INVALID LOGSIZE LIMIT\n"},
        {"LOGSIZE=+5", "WDL002E INVALID LOGSIZE\n"},
        {"LOGSIZE=5MB", "WDL002E INVALID LOGSIZE\n"},
        {"LOGTIME=44640", ""},
        {"LOGTIME=44641", "WDL003E INVALID LOGTIME LIMIT\n"},
        {"LOGTIME=", "WDL003E INVALID LOGTIME LIMIT\n"},
        {"LOGTIME=4294967297", "WDL003E INVALID LOGTIME LIMIT\n"},
        {"LOGTIME=1h", "WDL004E INVALID LOGTIME\n"},
        {"ROTATE=9", ""},
        {"ROTATE=0", "WDL005E INVALID ROTATE LIMIT\n"},
        {"ROTATE=10", "WDL005E INVALID ROTATE LIMIT\n"},
        {"ROTATE=4294967297", "WDL005E INVALID ROTATE LIMIT\n"},
        {"ROTATE=-1", "WDL006E INVALID ROTATE\n"},
        {"LOCKKEY=", ""},
        {"LOCKKEY=99999999999999999999", ""},
        {"LOCKKEY=0x10", "WDL007E INVALID LOCKKEY\n"},
        {"STDTIME=no", ""},
        {"STDTIME=Yes", "WDL008E INVALID STDTIME\n"},
        {"STDTIME=YESS", "WDL008E INVALID STDTIME\n"},
        {"STDTIME=", "WDL008E INVALID STDTIME\n"},
        {"logsize=5", "WDL009E INVALID ARGV\n"},
        {"LOGSIZE", "WDL009E INVALID ARGV\n"},
        {"-help", "WDL009E INVALID ARGV\n"},
        {"ROTATE 3", "WDL009E INVALID ARGV\n"},
    };
    for (const Case &c : cases) {
        Capture cap;
        WendleSettings s;
        LoadDefaults(s);
        const char *argv[] = {"wendle", c.arg};
        bool ok = ReadArguments(s, 2, argv, cap.f);
        EXPECT_EQ(ok, !*c.message) << c.arg;
        EXPECT_EQ(cap.text(), c.message) << c.arg;
    }
}

TEST(WendleSettings, AcceptedValuesLandInTheirSettings) {
    Capture cap;
    WendleSettings s;
    LoadDefaults(s);
    std::string longPath(1500, 'p');
    std::string logFile = "LOGFILE=" + longPath;
    const std::string list = cap.dir / "list.txt";
    WriteBytes(list, "WDL???E\n");
    const std::string eLogFil = "ELOGFIL=" + list;
    const char *argv[] = {"wendle",     "",          logFile.c_str(), "LOGSIZE=2000",
                          "LOGTIME=1",  "ROTATE=3",  "ROTATE=9",      "LOCKKEY=100",
                          "STDTIME=NO", eLogFil.c_str()};
    ASSERT_TRUE(ReadArguments(s, 10, argv, cap.f));
    EXPECT_EQ(strlen(s.logFile), 1023u); // cut, not rejected
    EXPECT_EQ(s.logSize, 2097152000);
    EXPECT_EQ(s.logTime, 1);
    EXPECT_EQ(s.rotate, 9); // the later argument wins
    EXPECT_EQ(s.lockKey, 100u);
    EXPECT_FALSE(s.stdTime);
    EXPECT_EQ(s.eLogFil, list);
    ASSERT_EQ(s.eLogList.count, 1);
    EXPECT_STREQ(s.eLogList.entries[0], "WDL???E");
    EXPECT_EQ(cap.text(), "");
    FreeSettings(s);
}

TEST(WendleSettings, LockKeyBeyond32BitsKeepsAskingForALock) {
    EXPECT_EQ(LockKeyOf(0), 0u);
    EXPECT_EQ(LockKeyOf(4294967295ull), 4294967295u);
    EXPECT_EQ(LockKeyOf(ParseDecimal("4294967296").value), 4294967295u);
    EXPECT_EQ(LockKeyOf(ParseDecimal("99999999999999999999").value), 4294967295u);
}

TEST(WendleSettings, EmptyForwardingListArgumentTurnsForwardingOff) {
    Capture cap;
    WendleSettings s;
    LoadDefaults(s);
    WriteBytes(cap.dir / "list.txt", "*\n");
    const std::string named = "ELOGFIL=" + (cap.dir / "list.txt");
    const char *argv[] = {"wendle", named.c_str(), "ELOGFIL="};
    ASSERT_TRUE(ReadArguments(s, 3, argv, cap.f));
    EXPECT_STREQ(s.eLogFil, "");
    EXPECT_EQ(s.eLogList.entries, nullptr); // the list named before is dropped
    EXPECT_EQ(cap.text(), "");
}

TEST(WendleSettings, FirstBadArgumentStopsTheScan) {
    Capture cap;
    WendleSettings s;
    LoadDefaults(s);
    const char *argv[] = {"wendle", "ROTATE=2", "STDTIME=maybe", "LOGSIZE=x", "ROTATE=5"};
    EXPECT_FALSE(ReadArguments(s, 5, argv, cap.f));
    EXPECT_EQ(cap.text(), "WDL008E INVALID STDTIME\n");
    EXPECT_EQ(s.rotate, 2);
}

bool MapEnv(void *ctx, const char *name, std::string &value) {
    const EnvVars &vars = *static_cast<EnvVars *>(ctx);
    auto it = vars.find(name);
    if (it == vars.end()) return false;
    value = it->second;
    return true;
}

TEST(WendleSettings, EnvironmentWarningsInVariableOrderKeepDefaults) {
    EnvVars env{{"WENDLE_STDTIME", "Yes"},     {"WENDLE_ROTATE", "0"},
                {"WENDLE_LOGTIME", "4294967297"}, {"WENDLE_LOGSIZE", "x"},
                {"WENDLE_LOCKKEY", "-7"},      {"WENDLE_LOGFILE", "a.log"}};
    Capture cap;
    WendleSettings s;
    LoadDefaults(s);
    ReadEnvironment(s, MapEnv, &env, cap.f);
    EXPECT_EQ(cap.text(), "WDL102W INVALID ENV LOGSIZE(IGNORED)\n"
                          "WDL103W INVALID ENV LOGTIME LIMIT(IGNORED)\n"
                          "WDL105W INVALID ENV ROTATE LIMIT(IGNORED)\n"
                          "WDL107W INVALID ENV LOCKKEY(IGNORED)\n"
                          "WDL108W INVALID ENV STDTIME(IGNORED)\n");
    EXPECT_STREQ(s.logFile, "a.log");
    EXPECT_EQ(s.logSize, 10485760);
    EXPECT_EQ(s.logTime, 1440);
    EXPECT_EQ(s.rotate, 1);
    EXPECT_EQ(s.lockKey, 0u);
    EXPECT_TRUE(s.stdTime);
}

TEST(WendleSettings, EnvironmentWarningPerFault) {
    struct Case {
        const char *name, *value, *message;
    } cases[] = {
        {"WENDLE_LOGSIZE", "2001", "WDL101W INVALID ENV LOGSIZE LIMIT(IGNORED)\n"},
        {"WENDLE_LOGSIZE", "4294969296", "WDL101W INVALID ENV LOGSIZE LIMIT(IGNORED)\n"},
        {"WENDLE_LOGTIME", "1m", "WDL104W INVALID ENV LOGTIME(IGNORED)\n"},
        {"WENDLE_ROTATE", "4294967297", "WDL105W INVALID ENV ROTATE LIMIT(IGNORED)\n"},
        {"WENDLE_ROTATE", "+3", "WDL106W INVALID ENV ROTATE(IGNORED)\n"},
        {"WENDLE_STDTIME", "NOPE", "WDL108W INVALID ENV STDTIME(IGNORED)\n"},
        // Skipped without a word: empty, or longer than the variable buffer.
        {"WENDLE_ROTATE", "", ""},
        {"WENDLE_LOGSIZE", nullptr, ""},
    };
    for (const Case &c : cases) {
        EnvVars env{{c.name, c.value ? c.value : std::string(1025, 'x')}};
        Capture cap;
        WendleSettings s;
        LoadDefaults(s);
        ReadEnvironment(s, MapEnv, &env, cap.f);
        EXPECT_EQ(cap.text(), c.message) << c.name << "=" << (c.value ? c.value : "long");
        EXPECT_EQ(s.rotate, 1);
        EXPECT_EQ(s.logSize, 10485760);
    }
}

TEST(WendleSettings, EnvironmentValuesTaken) {
    EnvVars env{{"WENDLE_LOGFILE", std::string(1024, 'f')},
                {"WENDLE_LOGSIZE", "5"},
                {"WENDLE_LOGTIME", "60"},
                {"WENDLE_ROTATE", "5"},
                {"WENDLE_LOCKKEY", "4294967296"},
                {"WENDLE_STDTIME", "no"},
                {"WENDLE_ELOGFIL", ""}};
    Capture cap;
    env["WENDLE_ELOGFIL"] = cap.dir / "fwd.txt";
    WriteBytes(env["WENDLE_ELOGFIL"], "A*W\n");
    WendleSettings s;
    LoadDefaults(s);
    ReadEnvironment(s, MapEnv, &env, cap.f);
    EXPECT_EQ(cap.text(), "");
    EXPECT_EQ(strlen(s.logFile), 1023u);
    EXPECT_EQ(s.logSize, 5 << 20);
    EXPECT_EQ(s.logTime, 60);
    EXPECT_EQ(s.rotate, 5);
    EXPECT_EQ(s.lockKey, 4294967295u);
    EXPECT_FALSE(s.stdTime);
    EXPECT_EQ(s.eLogFil, env["WENDLE_ELOGFIL"]);
    EXPECT_EQ(s.eLogList.count, 1);
    FreeSettings(s);
}

// The whole start-up, in-process.
TEST(WendleStartUp, HelpComesFirstAndReadsNoEnvironment) {
    TempDir dir;
    for (const char *help : {"-h", "-H"}) {
        InProcessRun run = RunInProcess(dir, {"logsize=5", help, "-help"},
                                        {{"WENDLE_ROTATE", "0"}}, "never read\n");
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.output, ExpectedHelp("wendle"));
        EXPECT_EQ(run.envReads, 0);
    }
    EXPECT_FALSE(FileExists(".\\VRKcons.log"));
}

TEST(WendleStartUp, BadArgumentPrintsMessageThenHelpAndExits4) {
    TempDir dir;
    InProcessRun run =
        RunInProcess(dir, {"LOGFILE=" + (dir / "x.log"), "ROTATE=0"}, {{"WENDLE_ROTATE", "x"}},
                     "never recorded\n");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_EQ(run.output, "WDL106W INVALID ENV ROTATE(IGNORED)\r\n"
                          "WDL005E INVALID ROTATE LIMIT\r\n" +
                              ExpectedHelp("wendle"));
    EXPECT_FALSE(FileExists(dir / "x.log"));
}

} // namespace
