// The named lock and shared block, opened twice in one process: two sets of
// handles to the same named objects behave as two recorders would.
#include <cstdio>
#include <cstring>
#include <thread>
#include <windows.h>
#include <aclapi.h>

#include <gtest/gtest.h>

#include "wendle_in_process.h"
#include "wendle_lock.h"

namespace {

constexpr WendleTime T0 = 1365141000;

// Keys no other test (nor another test program running at the same time)
// uses: derived from the process number.
uint32_t FreshKey() {
    static uint32_t n = 0;
    return (GetCurrentProcessId() << 8) + ++n;
}

WendleTime Fixed(void *ctx) { return *static_cast<WendleTime *>(ctx); }

// One recorder's view of the shared objects, its messages in a file.
struct Recorder {
    TempDir dir;
    FILE *out = fopen((dir / "out.txt").c_str(), "w+b");
    WendleShared shared{};
    WendleTime lastRotation = 0;
    WendleTime now;
    bool setUp;
    Recorder(uint32_t key, WendleTime start) : now(start) {
        setUp = SharedSetUp(shared, key, Fixed, &now, lastRotation, out);
    }
    ~Recorder() {
        SharedRelease(shared);
        fclose(out);
    }
    std::string Messages() {
        fflush(out);
        return ReadBytes(dir / "out.txt");
    }
};

std::string Name(uint32_t key, const char *suffix) {
    char name[WENDLE_OBJECT_NAME_FIELD];
    SharedObjectName(name, key, suffix);
    return name;
}

TEST(WendleLock, ObjectNamesCarryTheKeyInHex) {
    EXPECT_EQ(Name(100, ".lck"), "Global\\VRKWENDLE00000064.lck");
    EXPECT_EQ(Name(100, ".shm"), "Global\\VRKWENDLE00000064.shm");
    EXPECT_EQ(Name(0xFFFFFFFFu, ".lck"), "Global\\VRKWENDLEFFFFFFFF.lck");
}

TEST(WendleLock, KeyZeroCreatesNothingAndLocksNothing) {
    Recorder r(0, T0);
    ASSERT_TRUE(r.setUp);
    EXPECT_EQ(r.lastRotation, T0);
    EXPECT_EQ(r.shared.mutex, nullptr);
    EXPECT_EQ(r.shared.view, nullptr);
    EXPECT_TRUE(SharedLock(r.shared, r.out));
    EXPECT_TRUE(SharedUnlock(r.shared, r.out));
    WendleTime t = T0 + 5;
    EXPECT_FALSE(SharedAdopt(r.shared, t));
    EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, Name(0, ".lck").c_str()), nullptr);
    EXPECT_EQ(OpenFileMappingA(FILE_MAP_READ, FALSE, Name(0, ".shm").c_str()), nullptr);
    EXPECT_EQ(r.Messages(), "");
}

TEST(WendleLock, FirstRecorderPublishesItsStartSecondAdoptsIt) {
    const uint32_t key = FreshKey();
    Recorder first(key, T0);
    ASSERT_TRUE(first.setUp);
    EXPECT_EQ(first.lastRotation, T0);
    // The block: two 32-bit words, low first, least significant byte first.
    const unsigned char *b = static_cast<const unsigned char *>(first.shared.view);
    const WendleTime big = 0x0102030405060708LL;
    SharedPublish(first.shared, big);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(b), 8),
              std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8));
    SharedPublish(first.shared, T0);

    Recorder second(key, T0 + 1800);
    ASSERT_TRUE(second.setUp);
    EXPECT_EQ(second.lastRotation, T0);
    EXPECT_EQ(first.Messages() + second.Messages(), "");

    // Both are open to everyone: a present but null access list.
    for (void *h : {second.shared.mutex, second.shared.section}) {
        PACL dacl = reinterpret_cast<PACL>(1);
        PSECURITY_DESCRIPTOR sd = nullptr;
        ASSERT_EQ(GetSecurityInfo(h, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                  nullptr, &dacl, nullptr, &sd),
                  DWORD(ERROR_SUCCESS));
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        GetSecurityDescriptorControl(sd, &control, &revision);
        EXPECT_TRUE(control & SE_DACL_PRESENT);
        EXPECT_EQ(dacl, nullptr);
        LocalFree(sd);
    }
}

TEST(WendleLock, DifferentKeysShareNothing) {
    Recorder a(FreshKey(), T0);
    Recorder b(FreshKey(), T0 + 1800);
    ASSERT_TRUE(a.setUp && b.setUp);
    EXPECT_EQ(b.lastRotation, T0 + 1800);
    SharedPublish(a.shared, T0 + 5000);
    WendleTime t = b.lastRotation;
    EXPECT_FALSE(SharedAdopt(b.shared, t));
    EXPECT_EQ(t, T0 + 1800);
}

// Two recorders on one log with an age limit of 60 minutes: the first line
// after the limit rotates once, the other recorder adopts the new time.
TEST(WendleLock, AgeRotationOnceForAllRecordersOfAKey) {
    const uint32_t key = FreshKey();
    Recorder a(key, T0), b(key, T0 + 1800);
    ASSERT_TRUE(a.setUp && b.setUp);
    WendleSettings settings;
    LoadDefaults(settings);
    const std::string path = a.dir / "app.log";
    strcpy(settings.logFile, path.c_str());
    settings.logTime = 60;
    WendleLog logA{&settings, a.out, a.lastRotation, &a.shared};
    WendleLog logB{&settings, b.out, b.lastRotation, &b.shared};

    EXPECT_FALSE(RotationDue(logB, T0 + 3600));
    ASSERT_TRUE(RotationDue(logA, T0 + 3601));
    WriteBytes(path, "before\n");
    EXPECT_TRUE(Rotate(logA, T0 + 3601));
    EXPECT_EQ(ReadBytes(path + "_1"), "before\n");

    // Adopting reopens the log; here it cannot be opened, which only the
    // adopting step reports (the size test fails silently).
    EXPECT_EQ(a.Messages() + b.Messages(), "");
    ASSERT_EQ(std::remove(path.c_str()), 0);
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_FALSE(RotationDue(logB, T0 + 3700));
    EXPECT_EQ(logB.lastRotation, T0 + 3601);
    EXPECT_EQ(b.Messages().rfind("WDL010E OPEN FAILED(errno=", 0), 0u) << b.Messages();
    ASSERT_TRUE(RemoveDirectoryA(path.c_str()));
    EXPECT_TRUE(RotationDue(logB, T0 + 3601 + 3601));
    EXPECT_EQ(a.Messages(), "");
}

TEST(WendleLock, AbandonedMutexCountsAsTaken) {
    const uint32_t key = FreshKey();
    Recorder r(key, T0);
    ASSERT_TRUE(r.setUp);
    // Another holder takes the lock and ends without giving it back.
    std::thread holder([&] {
        HANDLE m = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, Name(key, ".lck").c_str());
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(WaitForSingleObject(m, INFINITE), WAIT_OBJECT_0);
        CloseHandle(m);
    });
    holder.join();
    EXPECT_TRUE(SharedLock(r.shared, r.out));
    EXPECT_TRUE(SharedUnlock(r.shared, r.out));
    EXPECT_EQ(r.Messages(), "");
}

TEST(WendleLock, FailedWaitAndReleaseAreReported) {
    Recorder r(FreshKey(), T0);
    ASSERT_TRUE(r.setUp);
    // Not held: releasing fails.
    EXPECT_FALSE(SharedUnlock(r.shared, r.out));
    void *mutex = r.shared.mutex;
    r.shared.mutex = reinterpret_cast<void *>(intptr_t(0x7ff0)); // no handle
    EXPECT_FALSE(SharedLock(r.shared, r.out));
    r.shared.mutex = mutex;
    EXPECT_EQ(r.Messages(), "WDL020E UNLOCK FAILED(errno=288)\n"
                            "WDL019E LOCK FAILED(errno=6)\n");
}

// An object of another kind holding a name makes the set-up fail, with exit
// 12 before any line is read.
TEST(WendleLock, SetUpFailuresEndTheRecorderWith12) {
    struct Case {
        const char *taken;
        const char *message;
    } cases[] = {
        {".lck", "WDL018E LOCK INIT FAILED(errno=6)\r\n"},
        {".shm", "WDL021E SHM INIT FAILED(errno=6)\r\n"},
    };
    for (const Case &c : cases) {
        const uint32_t key = FreshKey();
        HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, Name(key, c.taken).c_str());
        ASSERT_NE(squatter, nullptr);
        TempDir dir;
        InProcessRun run = RunInProcess(
            dir, {"LOGFILE=" + (dir / "r.log"), "LOCKKEY=" + std::to_string(key)}, {}, "line\n");
        EXPECT_EQ(run.exitCode, 12) << c.taken;
        EXPECT_EQ(run.output, c.message);
        EXPECT_FALSE(FileExists(dir / "r.log"));
        CloseHandle(squatter);
    }
}

TEST(WendleLock, RecorderWithAKeyRecordsAndLeavesTheLockFree) {
    const uint32_t key = FreshKey();
    TempDir dir;
    InProcessRun run = RunInProcess(
        dir, {"LOGFILE=" + (dir / "r.log"), "LOCKKEY=" + std::to_string(key), "STDTIME=NO"}, {},
        "one\ntwo\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "one\r\ntwo\r\n");
    EXPECT_EQ(ReadBytes(dir / "r.log").size(), 2 * (29 + 5u));
    // Everything was closed: the objects are gone with the last handle.
    EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, Name(key, ".lck").c_str()), nullptr);
}

} // namespace
