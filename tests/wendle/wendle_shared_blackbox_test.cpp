// Several real recorders with one lock key writing one log at the same time.
#include <cstdio>
#include <thread>
#include <windows.h>

#include <gtest/gtest.h>

#include "wendle_test_support.h"

namespace {

constexpr int PREFIX = 29; // "YYYY/MM/DD HH:MM:SS PPPPPPPP "

std::string LineOf(int process, int n) {
    char head[32];
    snprintf(head, sizeof head, "P%d L%05d ", process, n);
    return head + std::string(230, char('a' + process)) + "\n";
}

// The log's lines from the oldest generation to the live log, CR LF as stored.
std::vector<std::string> AllRecords(const std::string &log, int rotate, int &generations) {
    std::vector<std::string> records;
    generations = 0;
    for (int g = rotate; g >= 0; --g) {
        std::string path = g ? log + "_" + std::to_string(g) : log;
        if (!FileExists(path)) continue;
        if (g) ++generations;
        std::string text = ReadBytes(path);
        size_t at = 0;
        while (at < text.size()) {
            size_t end = text.find("\r\n", at);
            if (end == std::string::npos) end = text.size() - 2;
            records.push_back(text.substr(at, end - at) + "\n");
            at = end + 2;
        }
    }
    return records;
}

TEST(WendleShared, RecordersWithOneKeyLoseAndRepeatNoLineAcrossRotations) {
    constexpr int PROCESSES = 4, LINES = 2500;
    TempDir dir;
    const std::string log = dir / "shared.log";
    const std::string key = "LOCKKEY=" + std::to_string(GetCurrentProcessId() * 16 + 1);
    std::vector<WendleRun> runs(PROCESSES);
    std::vector<std::thread> threads;
    for (int p = 0; p < PROCESSES; ++p)
        threads.emplace_back([&, p] {
            std::string input;
            for (int n = 0; n < LINES; ++n) input += LineOf(p, n);
            runs[p] = RunWendle({"LOGFILE=" + log, "LOGSIZE=1", "ROTATE=9", key, "STDTIME=NO"},
                                {}, input, dir.path());
        });
    for (std::thread &t : threads) t.join();
    for (const WendleRun &r : runs) {
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.output.size(), size_t(LINES) * (LineOf(0, 0).size() + 1));
    }

    int generations = 0;
    std::vector<std::string> records = AllRecords(log, 9, generations);
    EXPECT_GE(generations, 2); // 2.4 MB through a 1 MB limit
    EXPECT_FALSE(FileExists(log + "_0"));
    ASSERT_EQ(records.size(), size_t(PROCESSES * LINES));
    std::vector<int> next(PROCESSES, 0);
    for (const std::string &r : records) {
        ASSERT_GT(r.size(), size_t(PREFIX + 1));
        int p = r[PREFIX + 1] - '0';
        ASSERT_TRUE(p >= 0 && p < PROCESSES) << r;
        // Whole and in the order its recorder read it.
        ASSERT_EQ(r.substr(PREFIX), LineOf(p, next[p])) << r;
        ++next[p];
    }
    // No generation but the live log is much above the limit: each was
    // rotated at its first check past it.
    for (int g = 1; g <= generations; ++g) {
        size_t size = ReadBytes(log + "_" + std::to_string(g)).size();
        EXPECT_GT(size, size_t(1) << 20);
        EXPECT_LT(size, (size_t(1) << 20) + PROCESSES * 300);
    }
}

TEST(WendleShared, LockLeftAbandonedDoesNotBlockARecorder) {
    TempDir dir;
    const unsigned key = GetCurrentProcessId() * 16 + 2;
    char name[64];
    snprintf(name, sizeof name, "Global\\VRKWENDLE%08X.lck", key);
    // Kept open so the mutex outlives the thread that takes it and ends.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    ASSERT_NE(mutex, nullptr);
    std::thread([&] { WaitForSingleObject(mutex, INFINITE); }).join();

    WendleRun run = RunWendle({"LOGFILE=" + (dir / "r.log"), "LOCKKEY=" + std::to_string(key),
                               "STDTIME=NO"},
                              {}, "after\n", dir.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "after\r\n");
    EXPECT_EQ(ReadBytes(dir / "r.log").substr(PREFIX), "after\r\n");
    CloseHandle(mutex);
}

} // namespace
