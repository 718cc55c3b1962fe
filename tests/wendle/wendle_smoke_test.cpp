// The built program itself, started twice: its help text and one recorded
// line through real pipes, in a fresh working folder with the defaults.
#include <regex>

#include <gtest/gtest.h>

#include "wendle_test_support.h"

namespace {

TEST(WendleProgram, HelpAndOneRecordedLine) {
    TempDir dir;
    WendleRun help = RunWendle({"-H"}, {}, "", dir.path());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output, ExpectedHelp("wendle"));

    WendleRun run = RunWendle({}, {}, "READY\r\n", dir.path());
    EXPECT_EQ(run.exitCode, 0);
    std::regex record(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d \d{8} READY\r\n)");
    EXPECT_TRUE(std::regex_match(run.output, record)) << run.output;
    EXPECT_EQ(ReadBytes(dir / "VRKcons.log"), run.output);
}

} // namespace
