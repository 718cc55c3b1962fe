// Real files and real processes for the recorder's tests.
#pragma once

#include <map>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    const std::string &path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// Whole-file helpers in binary mode, so tests see CR LF as stored.
std::string ReadBytes(const std::string &path);
void WriteBytes(const std::string &path, const std::string &bytes);
bool FileExists(const std::string &path);

struct WendleRun {
    int exitCode = -1;
    std::string output; // standard output as the program wrote it
    unsigned long processId = 0;
};

using EnvVars = std::map<std::string, std::string>;

// Starts the real wendle.exe beside the test program in the folder dir,
// with the arguments after the program name (argv[0] is "wendle"), the
// caller's environment without any WENDLE_ variable plus env, and input
// written to its standard input through a pipe.
WendleRun RunWendle(const std::vector<std::string> &args, const EnvVars &env,
                    const std::string &input, const std::string &dir);

// A recorder running as a child process, fed and read through its pipes.
struct WendleChild {
    void *process = nullptr, *in = nullptr, *out = nullptr;
    unsigned long processId = 0;
};
// Starts program (beside the test program) as RunWendle does.
WendleChild StartWendle(const std::vector<std::string> &args, const EnvVars &env,
                        const std::string &dir, const char *program = "wendle.exe");
void WriteInput(WendleChild &child, const std::string &input);
// Standard output up to and with the next line feed.
std::string ReadEcho(WendleChild &child);
// Ends the input, reads what is left of the output and returns the exit code.
int FinishWendle(WendleChild &child, std::string &rest);

// The help text as printed, line ends as stored by a text-mode stream.
std::string ExpectedHelp(const std::string &programName);
