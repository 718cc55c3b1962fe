#include "wendle_test_support.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <thread>
#include <windows.h>

#include <gtest/gtest.h>

namespace {

void RemoveTree(const std::string &dir) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = dir + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

std::string ProgramFolder() {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
    std::string s(self, n);
    return s.substr(0, s.find_last_of("\\/"));
}

// Quotes one argument so that the C runtime's splitting gives it back.
std::string Quote(const std::string &arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string q = "\"";
    size_t slashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++slashes;
            continue;
        }
        q.append(c == '"' ? slashes * 2 + 1 : slashes, '\\');
        slashes = 0;
        q += c;
    }
    q.append(slashes * 2, '\\');
    return q + "\"";
}

std::string EnvironmentBlock(const EnvVars &env) {
    std::string block;
    char *strings = GetEnvironmentStringsA();
    for (const char *p = strings; *p; p += strlen(p) + 1)
        if (_strnicmp(p, "WENDLE_", 7) != 0) block.append(p, strlen(p) + 1);
    FreeEnvironmentStringsA(strings);
    for (const auto &kv : env) block += kv.first + "=" + kv.second + '\0';
    return block + '\0';
}

} // namespace

TempDir::TempDir() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static unsigned counter = 0;
    for (;;) {
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%swdltest_%lu_%u", base, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            return;
        }
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string ReadBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

bool FileExists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

WendleRun RunWendle(const std::vector<std::string> &args, const EnvVars &env,
                    const std::string &input, const std::string &dir) {
    WendleRun run;
    // Children started at the same time from several threads must inherit
    // only their own pipe ends: one holding another's input open would keep
    // that one from ever seeing the end of its input.
    static std::mutex starting;
    std::unique_lock<std::mutex> startLock(starting);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE inRead, inWrite, outRead, outWrite;
    if (!CreatePipe(&inRead, &inWrite, &inherit, 0) ||
        !CreatePipe(&outRead, &outWrite, &inherit, 0)) {
        ADD_FAILURE() << "pipes";
        return run;
    }
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);

    std::string command = "wendle";
    for (const std::string &a : args) command += " " + Quote(a);
    std::string exe = ProgramFolder() + "\\wendle.exe";
    std::string block = EnvironmentBlock(env);

    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = inRead;
    si.hStdOutput = outWrite;
    si.hStdError = outWrite;
    PROCESS_INFORMATION pi{};
    BOOL started = CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, TRUE, 0,
                                  &block[0], dir.c_str(), &si, &pi);
    CloseHandle(inRead);
    CloseHandle(outWrite);
    startLock.unlock();
    if (!started) {
        ADD_FAILURE() << "cannot start " << exe << " (" << GetLastError() << ")";
        CloseHandle(inWrite);
        CloseHandle(outRead);
        return run;
    }
    // Input goes in from another thread: the child echoes as it reads, and
    // both pipes would fill up if one side waited for the other.
    std::thread writer([&] {
        size_t done = 0;
        while (done < input.size()) {
            DWORD wrote = 0;
            DWORD chunk = DWORD(std::min<size_t>(input.size() - done, 65536));
            if (!WriteFile(inWrite, input.data() + done, chunk, &wrote, nullptr)) break;
            done += wrote;
        }
        CloseHandle(inWrite);
    });
    char buffer[65536];
    DWORD got;
    while (ReadFile(outRead, buffer, sizeof buffer, &got, nullptr) && got > 0)
        run.output.append(buffer, got);
    writer.join();
    CloseHandle(outRead);
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    run.exitCode = int(code);
    run.processId = pi.dwProcessId;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return run;
}

std::string ExpectedHelp(const std::string &programName) {
    return "Usage: " + programName + " [OPTION]\r\n" +
           "       <V2.9.C.0 console log recorder - all rights reserved>\r\n"
           "    [OPTION ] Please do not attach a blank '='.\r\n"
           "       LOGFILE=%s                  [ default: .\\VRKcons.log ]\r\n"
           "       LOGSIZE=%d (1-2000)         [ default: 10(Mbyte) ]\r\n"
           "       LOGTIME=%d (1-44640)        [ default: 1440(Minute) ]\r\n"
           "       ROTATE=%d  (1-9)            [ default: 1 ]\r\n"
           "       LOCKKEY=%d (Decimal number) [ default: 0(none) ]\r\n"
           "       STDTIME=YES/NO              [ default: YES ]\r\n"
           "       ELOGFIL=%s                  [ default: \"\"(none) ]\r\n";
}
