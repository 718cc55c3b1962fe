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

WendleChild StartWendle(const std::vector<std::string> &args, const EnvVars &env,
                        const std::string &dir, const char *program) {
    WendleChild child;
    // Children started at the same time from several threads must inherit
    // only their own pipe ends: one holding another's input open would keep
    // that one from ever seeing the end of its input.
    static std::mutex starting;
    std::lock_guard<std::mutex> startLock(starting);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE inRead, inWrite, outRead, outWrite;
    if (!CreatePipe(&inRead, &inWrite, &inherit, 0) ||
        !CreatePipe(&outRead, &outWrite, &inherit, 0)) {
        ADD_FAILURE() << "pipes";
        return child;
    }
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);

    std::string command = "wendle";
    for (const std::string &a : args) command += " " + Quote(a);
    std::string exe = ProgramFolder() + "\\" + program;
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
    if (!started) {
        ADD_FAILURE() << "cannot start " << exe << " (" << GetLastError() << ")";
        CloseHandle(inWrite);
        CloseHandle(outRead);
        return child;
    }
    CloseHandle(pi.hThread);
    child.process = pi.hProcess;
    child.in = inWrite;
    child.out = outRead;
    child.processId = pi.dwProcessId;
    return child;
}

void WriteInput(WendleChild &child, const std::string &input) {
    size_t done = 0;
    while (done < input.size()) {
        DWORD wrote = 0;
        DWORD chunk = DWORD(std::min<size_t>(input.size() - done, 65536));
        if (!WriteFile(child.in, input.data() + done, chunk, &wrote, nullptr)) break;
        done += wrote;
    }
}

std::string ReadEcho(WendleChild &child) {
    std::string line;
    char c;
    DWORD got;
    while (ReadFile(child.out, &c, 1, &got, nullptr) && got == 1) {
        line += c;
        if (c == '\n') break;
    }
    return line;
}

int FinishWendle(WendleChild &child, std::string &rest) {
    if (child.in) CloseHandle(child.in);
    child.in = nullptr;
    char buffer[65536];
    DWORD got;
    while (ReadFile(child.out, buffer, sizeof buffer, &got, nullptr) && got > 0)
        rest.append(buffer, got);
    CloseHandle(child.out);
    WaitForSingleObject(child.process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(child.process, &code);
    CloseHandle(child.process);
    child = WendleChild{};
    return int(code);
}

WendleRun RunWendle(const std::vector<std::string> &args, const EnvVars &env,
                    const std::string &input, const std::string &dir) {
    WendleRun run;
    WendleChild child = StartWendle(args, env, dir);
    if (!child.process) return run;
    // Input goes in from another thread: the child echoes as it reads, and
    // both pipes would fill up if one side waited for the other.
    WendleChild feeder = child;
    child.in = nullptr; // closed by the writer when all input is in
    std::thread writer([&feeder, &input] {
        WriteInput(feeder, input);
        CloseHandle(feeder.in);
    });
    run.processId = child.processId;
    run.exitCode = FinishWendle(child, run.output);
    writer.join();
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
