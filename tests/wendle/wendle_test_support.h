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

// The help text as printed, line ends as stored by a text-mode stream.
std::string ExpectedHelp(const std::string &programName);
