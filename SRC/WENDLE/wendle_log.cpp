// Log writing and rotation.
#include "wendle_log.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

#include "wendle_lock.h"
#include "wendle_messages.h"

#ifdef _WIN32
#include <io.h>
#endif

namespace {

void Report(FILE *out, const char *format, int error) {
    fprintf(out, format, error);
    fflush(out);
}

bool Exists(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// Size as stored on disk, line ends counted as two bytes.
bool SizeOf(FILE *f, long long &size) {
#ifdef _WIN32
    size = _filelengthi64(_fileno(f));
    return size >= 0;
#else
    struct stat st;
    if (fstat(fileno(f), &st) != 0) return false;
    size = st.st_size;
    return true;
#endif
}

} // namespace

bool FormPrefix(char (&prefix)[WENDLE_PREFIX_FIELD], WendleTime now, unsigned long processId) {
    prefix[0] = '\0';
    if (now < 0) return false;
    time_t t = time_t(now);
    struct tm *local = localtime(&t);
    if (!local) return false;
    char stamp[24];
    if (strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M:%S", local) != 19) return false;
    unsigned pid = unsigned(processId);
    if (processId > 999999999UL)
        snprintf(prefix, sizeof prefix, "%s %09u ", stamp, unsigned(processId % 1000000000UL));
    else
        snprintf(prefix, sizeof prefix, "%s %08u ", stamp, pid);
    return true;
}

std::string GenerationPath(const char *path, int g) {
    char suffix[16];
    snprintf(suffix, sizeof suffix, "_%d", g);
    return std::string(path) + suffix;
}

bool RotationDue(WendleLog &log, WendleTime now) {
    const WendleSettings &s = *log.settings;
    // Another recorder rotated: its time counts from now on, and the log it
    // started must be there to append to.
    if (log.shared && SharedAdopt(*log.shared, log.lastRotation)) {
        FILE *f = fopen(s.logFile, "a");
        if (!f) {
            Report(log.out, wdl::WDL010E, errno);
            return false;
        }
        fclose(f);
    }
    // Age first: a due age rotation needs no size test.
    if (now >= 0 && now > log.lastRotation + WendleTime(s.logTime) * 60) return true;
    FILE *f = fopen(s.logFile, "a");
    if (!f) return false; // the append that follows reports it
    long long size = 0;
    bool due = SizeOf(f, size) && size > s.logSize;
    fclose(f);
    return due;
}

bool Rotate(WendleLog &log, WendleTime now) {
    const WendleSettings &s = *log.settings;
    const int n = s.rotate;
    bool ok = true;
    const std::string path0 = GenerationPath(s.logFile, 0);
    if (rename(s.logFile, path0.c_str()) != 0) {
        // The live log is missing or an earlier rotation left path_0: no
        // generation moves, the live log goes on growing.
        FILE *f = fopen(s.logFile, "a");
        if (!f) {
            Report(log.out, wdl::WDL010E, errno);
            ok = false;
        } else {
            fclose(f);
        }
    } else {
        // Shift path_(g-1) to path_g from the oldest down. A generation that
        // could not be shifted stays where it is: it must not be deleted as
        // the target of the next step, so every move below it fails too and
        // path_0 is kept rather than any older log lost.
        bool kept = false;
        for (int g = n; g >= 1; --g) {
            const std::string source = GenerationPath(s.logFile, g - 1);
            const std::string target = GenerationPath(s.logFile, g);
            if (!Exists(source)) {
                kept = false;
                continue;
            }
            int error = 0;
            if (kept) {
                error = EEXIST;
            } else {
                remove(target.c_str()); // a missing target is no error
                if (rename(source.c_str(), target.c_str()) != 0) error = errno;
            }
            if (error) Report(log.out, wdl::WDL017E, error);
            kept = error != 0;
        }
        FILE *f = fopen(s.logFile, "w");
        if (!f) {
            Report(log.out, wdl::WDL010E, errno);
            ok = false;
        } else {
            fclose(f);
        }
    }
    // Whatever happened above, the next age rotation counts from now, for
    // every recorder sharing the lock.
    log.lastRotation = now;
    if (log.shared) SharedPublish(*log.shared, now);
    return ok;
}

bool AppendRecord(WendleLog &log, const char *record) {
    FILE *f = fopen(log.settings->logFile, "a");
    if (!f) {
        Report(log.out, wdl::WDL010E, errno);
        return false;
    }
    size_t length = strlen(record);
    bool ok = length > 0;
    if (ok) {
        fseek(f, 0, SEEK_END);
        ok = fwrite(record, 1, length, f) == length;
    }
    if (fclose(f) != 0) ok = false; // buffered bytes are written on close
    return ok;
}
