// Age rotation of recorders in separate processes, on clocks the test sets:
// with one key the second recorder adopts the first one's start, and a
// rotation by one is adopted by the other instead of repeated.
#include <chrono>
#include <thread>
#include <windows.h>

#include <gtest/gtest.h>

#include "wendle_test_support.h"

namespace {

constexpr long long T0 = 1365141000;
constexpr int PREFIX = 29;

struct Clocked {
    std::string clockFile;
    WendleChild child;
    Clocked(const TempDir &dir, const char *name, long long start,
            const std::vector<std::string> &args)
        : clockFile(dir / name) {
        Set(start);
        child = StartWendle(args, {{"WENDLE_TEST_CLOCK", clockFile}}, dir.path(),
                            "wendle_clocked.exe");
    }
    void Set(long long t) { WriteBytes(clockFile, std::to_string(t)); }
};

// The log's lines without their prefixes.
std::string Texts(const std::string &path) {
    std::string text = ReadBytes(path), out;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        out += text.substr(at + PREFIX, end - at - PREFIX - 1) + " ";
        at = end + 1;
    }
    return out;
}

// Bytes in the log and its generations, found without opening any of them:
// a file held open, even by a reader, cannot be renamed by a rotation.
long long LogBytes(const std::string &log) {
    long long total = 0;
    for (const char *suffix : {"", "_1", "_2"}) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA((log + suffix).c_str(), GetFileExInfoStandard, &data))
            total += (long long)data.nFileSizeHigh << 32 | data.nFileSizeLow;
    }
    return total;
}

// Feeds one line of two characters at the recorder's time t and waits until
// it is in the log and the recorder has let go of the log file.
void Line(Clocked &r, long long t, const std::string &text, const std::string &log, int &fed) {
    r.Set(t);
    WriteInput(r.child, text + "\n");
    EXPECT_EQ(ReadEcho(r.child), text + "\r\n");
    const long long want = ++fed * (PREFIX + 2 + 2);
    for (int i = 0; i < 500 && LogBytes(log) < want; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    // The log is closed right after its last byte is written.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

TEST(WendleSharedAge, OneKeyRotatesOncePerPeriodDifferentKeysEachOnTheirOwn) {
    struct Case {
        const char *name;
        bool sameKey;
        std::string live, gen1, gen2;
    } cases[] = {
        // b adopted a's start: its line 30 minutes later is due first; a
        // then adopts b's rotation and does not rotate again.
        {"one key", true, "b2 a2 ", "a1 b1 ", ""},
        // Each counts from its own start: b is not due, a rotates.
        {"two keys", false, "a2 ", "a1 b1 b2 ", ""},
    };
    for (const Case &c : cases) {
        // A fresh key for every case (and every repetition), so that no
        // case can meet the shared block of another.
        static unsigned used = 0;
        const unsigned key = GetCurrentProcessId() * 1024 + 512 + 2 * ++used;
        TempDir dir;
        const std::string log = dir / "age.log";
        auto args = [&](unsigned k) {
            return std::vector<std::string>{"LOGFILE=" + log, "LOGTIME=60", "ROTATE=2",
                                            "STDTIME=NO", "LOCKKEY=" + std::to_string(k)};
        };
        int fed = 0;
        Clocked a(dir, "a.clock", T0, args(key));
        Line(a, T0, "a1", log, fed);
        Clocked b(dir, "b.clock", T0 + 1800, args(c.sameKey ? key : key + 1));
        Line(b, T0 + 1800, "b1", log, fed);
        Line(b, T0 + 3601, "b2", log, fed);
        Line(a, T0 + 3602, "a2", log, fed);
        std::string rest;
        EXPECT_EQ(FinishWendle(a.child, rest), 0);
        EXPECT_EQ(FinishWendle(b.child, rest), 0);
        EXPECT_EQ(rest, "");
        EXPECT_EQ(Texts(log), c.live) << c.name << "\n" << ReadBytes(log);
        EXPECT_EQ(Texts(log + "_1"), c.gen1) << c.name;
        EXPECT_FALSE(FileExists(log + "_2")) << c.name;
    }
}

} // namespace
