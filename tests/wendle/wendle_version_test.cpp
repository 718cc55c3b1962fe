// The built program carries its version record.
#include <windows.h>

#include <gtest/gtest.h>

#include "wendle_test_support.h"

namespace {

// Outside tools find the record in each built program by its marker.
TEST(WendleProgram, EachProgramCarriesItsVersionRecord) {
    struct Case {
        const char *program, *source;
    } cases[] = {
        {"wendle.exe", "SRC/WENDLE/wendle_main.cpp"},
        {"wendlesrc.exe", "SRC/WENDLE/wendle_regist.cpp"},
    };
    char self[MAX_PATH];
    std::string me(self, GetModuleFileNameA(nullptr, self, sizeof self));
    for (const Case &c : cases) {
        std::string exe = ReadBytes(me.substr(0, me.find_last_of("\\/")) + "\\" + c.program);
        const std::string marker("VRKVER\0\0\0\0\0\0\0\0\0\0", 16);
        size_t at = exe.find(marker + "K-REED WENDLE");
        ASSERT_NE(at, std::string::npos) << c.program;
        ASSERT_LE(at + 480, exe.size());
        auto field = [&](size_t offset, size_t width) {
            std::string f = exe.substr(at + offset, width);
            return f.substr(0, f.find('\0'));
        };
        EXPECT_EQ(field(48, 16), "V2.9.C.0");
        EXPECT_EQ(field(64, 16), "");
        EXPECT_EQ(field(128, 256), c.source);
        EXPECT_EQ(field(384, 48).size(), 11u); // "Dec 11 2013"
        EXPECT_EQ(field(432, 48).size(), 8u);  // "14:46:00"
        // One record per program: the other's is not linked in.
        EXPECT_EQ(exe.find(marker, at + 1), std::string::npos) << c.program;
    }
}

} // namespace
