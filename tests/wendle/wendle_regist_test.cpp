// wendlesrc in-process: where the directory comes from, the key and values
// it writes (read back from the registry), its messages and exit status.
#include <cstring>
#include <windows.h>

#include <gtest/gtest.h>

#include "wendle_regist.h"
#include "wendle_test_support.h"

namespace {

const std::string KEY = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\vrk";

// WENDLE_PATH set (or removed) for the life of the object.
struct PathVariable {
    explicit PathVariable(const char *value) { SetEnvironmentVariableA("WENDLE_PATH", value); }
    ~PathVariable() { SetEnvironmentVariableA("WENDLE_PATH", nullptr); }
};

struct Registered {
    int status;
    std::string output;
};

Registered Register(std::vector<std::string> args, HKEY root) {
    TempDir dir;
    FILE *out = fopen((dir / "out.txt").c_str(), "wb");
    std::vector<const char *> argv{"wendlesrc"};
    for (const std::string &a : args) argv.push_back(a.c_str());
    int status = WendleRegistMain(int(argv.size()), argv.data(), out, root);
    fclose(out);
    return {status, ReadBytes(dir / "out.txt")};
}

// A private root for the cases, so that only one test writes the machine's key.
struct TestRoot {
    std::string name = "Software\\wendle-test-" + std::to_string(GetCurrentProcessId());
    HKEY key = nullptr;
    TestRoot() { RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr); }
    ~TestRoot() {
        RegCloseKey(key);
        RegDeleteTreeA(HKEY_CURRENT_USER, name.c_str());
    }
};

// The message file path and its type, or "" when the key is missing.
std::string MessageFile(HKEY root, DWORD &type, DWORD &size, DWORD &types) {
    HKEY k;
    if (RegOpenKeyExA(root, KEY.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return "";
    char data[1024] = {};
    size = sizeof data;
    RegQueryValueExA(k, "EventMessageFile", nullptr, &type, reinterpret_cast<BYTE *>(data), &size);
    DWORD t, n = sizeof types;
    types = 0;
    if (RegQueryValueExA(k, "TypesSupported", nullptr, &t, reinterpret_cast<BYTE *>(&types), &n) !=
            ERROR_SUCCESS ||
        t != REG_DWORD)
        types = 0;
    RegCloseKey(k);
    return data;
}

TEST(WendleRegist, DirectoryFromArgumentOrEnvironment) {
    const std::string d255(255, 'd'), d256(256, 'd'), huge(5000, 'x');
    struct Case {
        const char *env;   // null: not set
        const char *arg;   // null: no argument
        std::string dir;   // "": WDL201E
    } cases[] = {
        {"C:\\vrk env", nullptr, "C:\\vrk env"},
        {"C:\\env", "C:\\arg", "C:\\arg"},
        {"C:\\env", "", "C:\\env"}, // an empty argument falls back
        {nullptr, "C:\\arg\\", "C:\\arg\\"},
        {d255.c_str(), nullptr, d255},
        {d256.c_str(), nullptr, ""}, // too long for the variable buffer
        {"C:\\env", d255.c_str(), d255},
        // An argument longer than a directory may be is refused, not cut
        // and not replaced by the environment.
        {"C:\\env", d256.c_str(), ""},
        {nullptr, huge.c_str(), ""},
        {nullptr, nullptr, ""},
    };
    for (const Case &c : cases) {
        TestRoot root;
        PathVariable path(c.env);
        std::vector<std::string> args;
        if (c.arg) args.push_back(c.arg);
        Registered r = Register(args, root.key);
        DWORD type = 0, size = 0, types = 0;
        std::string file = MessageFile(root.key, type, size, types);
        SCOPED_TRACE(std::string(c.env ? c.env : "-").substr(0, 20) + " / " +
                     std::string(c.arg ? c.arg : "-").substr(0, 20));
        if (c.dir.empty()) {
            EXPECT_EQ(r.status, 0);
            EXPECT_EQ(r.output, "WDL201E ENVIRONMENT(WENDLE_PATH) CANNOT READ\n");
            EXPECT_EQ(file, "");
            continue;
        }
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.output, "WDL200I ADD REGISTRY KEY(" + KEY + ") COMPLETED\n");
        // No separator added or removed; the terminator is stored.
        EXPECT_EQ(file, c.dir + "\\wendle.dll");
        EXPECT_EQ(type, DWORD(REG_EXPAND_SZ));
        EXPECT_EQ(size, file.size() + 1);
        EXPECT_EQ(types, 7u);
    }
}

TEST(WendleRegist, NoDirectoryTouchesNoRegistry) {
    PathVariable path(nullptr);
    // Any registry call on this root would fail and say so.
    Registered r = Register({}, reinterpret_cast<HKEY>(intptr_t(0x1230)));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, "WDL201E ENVIRONMENT(WENDLE_PATH) CANNOT READ\n");
}

TEST(WendleRegist, KeyThatCannotBeWrittenGivesWdl202e) {
    PathVariable path("C:\\vrk");
    Registered r = Register({}, reinterpret_cast<HKEY>(intptr_t(0x1230)));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, "WDL202E REGISTRY KEY(" + KEY + ") CANNOT BE ADDED(errno=6)\n");
}

TEST(WendleRegist, WritesTheMachineKeyAndOverwritesIt) {
    PathVariable path("C:\\first");
    ASSERT_EQ(Register({}, HKEY_LOCAL_MACHINE).status, 1);
    Registered r = Register({"C:\\Program Files\\vrk"}, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(r.status, 1);
    DWORD type = 0, size = 0, types = 0;
    EXPECT_EQ(MessageFile(HKEY_LOCAL_MACHINE, type, size, types),
              "C:\\Program Files\\vrk\\wendle.dll");
    EXPECT_EQ(types, 7u);
}

} // namespace
