// Settings of the recorder: defaults, environment, command line, help text.
#include "wendle_settings.h"

#include <cstring>

#include "version_record.h"
#include "wendle_messages.h"

extern const VersionRecord WendleVersion;

namespace {

constexpr uint64_t TOO_BIG = uint64_t(UINT32_MAX) + 1;

void CopyPath(char (&to)[WENDLE_PATH_MAX + 1], const char *from) {
    strncpy(to, from, WENDLE_PATH_MAX);
    to[WENDLE_PATH_MAX] = '\0';
}

// Flag values are compared whole: "YESS" or "Yes" are no flag values.
enum class Flag { Invalid, On, Off };
Flag ParseFlag(const char *v) {
    if (!strcmp(v, "YES") || !strcmp(v, "yes")) return Flag::On;
    if (!strcmp(v, "NO") || !strcmp(v, "no")) return Flag::Off;
    return Flag::Invalid;
}

// The numeric settings with a range: where each goes, its range, and the
// messages for its two faults on the command line and in the environment.
struct RangedOption {
    const char *option; // argument prefix
    const char *env;    // environment variable
    int32_t low, high;
    int shift; // megabytes are held as bytes
    int32_t WendleSettings::*field;
    const char *argLimit, *argInvalid, *envLimit, *envInvalid;
};

const RangedOption RANGED[] = {
    {"LOGSIZE=", "WENDLE_LOGSIZE", 1, 2000, 20, &WendleSettings::logSize, wdl::WDL001E,
     wdl::WDL002E, wdl::WDL101W, wdl::WDL102W},
    {"LOGTIME=", "WENDLE_LOGTIME", 1, 44640, 0, &WendleSettings::logTime, wdl::WDL003E,
     wdl::WDL004E, wdl::WDL103W, wdl::WDL104W},
    {"ROTATE=", "WENDLE_ROTATE", 1, 9, 0, &WendleSettings::rotate, wdl::WDL005E, wdl::WDL006E,
     wdl::WDL105W, wdl::WDL106W},
};

// Checks a ranged value; on a fault returns the message to print.
const char *SetRanged(WendleSettings &s, const RangedOption &o, const char *value,
                      bool fromEnv) {
    DecimalValue d = ParseDecimal(value);
    if (d.kind == Digits::Invalid) return fromEnv ? o.envInvalid : o.argInvalid;
    if (d.value < uint64_t(o.low) || d.value > uint64_t(o.high))
        return fromEnv ? o.envLimit : o.argLimit;
    s.*o.field = int32_t(d.value) << o.shift;
    return nullptr;
}

bool StartsWith(const char *text, const char *prefix) {
    return strncmp(text, prefix, strlen(prefix)) == 0;
}

} // namespace

DecimalValue ParseDecimal(const char *text) {
    uint64_t v = 0;
    for (const char *p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return {Digits::Invalid, 0};
        v = v * 10 + uint64_t(*p - '0');
        if (v > TOO_BIG) v = TOO_BIG; // keeps growing digits from wrapping
    }
    return {Digits::Value, v};
}

uint32_t LockKeyOf(uint64_t value) {
    return value > UINT32_MAX ? UINT32_MAX : uint32_t(value);
}

void FreeSettings(WendleSettings &s) { ForwardFree(s.eLogList); }

void LoadDefaults(WendleSettings &s) {
    memset(&s, 0, sizeof s);
    CopyPath(s.logFile, WENDLE_DEFAULT_LOGFILE);
    s.logSize = WENDLE_DEFAULT_LOGSIZE_MB << 20;
    s.logTime = WENDLE_DEFAULT_LOGTIME;
    s.rotate = WENDLE_DEFAULT_ROTATE;
    s.lockKey = 0;
    s.stdTime = true;
}

bool IsHelpRequest(const char *arg) {
    return strlen(arg) == 2 && (!strcmp(arg, "-h") || !strcmp(arg, "-H"));
}

void PrintHelp(FILE *out, const char *programName) {
    // The defaults shown are the built-in ones, not the values in force.
    fprintf(out, "Usage: %s [OPTION]\n", programName);
    fprintf(out, "       <%s %s>\n", WendleVersion.version, WendleVersion.notice);
    fprintf(out, "    [OPTION ] Please do not attach a blank '='.\n");
    fprintf(out, "       LOGFILE=%%s                  [ default: %s ]\n", WENDLE_DEFAULT_LOGFILE);
    fprintf(out, "       LOGSIZE=%%d (1-2000)         [ default: %d(Mbyte) ]\n",
            int(WENDLE_DEFAULT_LOGSIZE_MB));
    fprintf(out, "       LOGTIME=%%d (1-44640)        [ default: %d(Minute) ]\n",
            int(WENDLE_DEFAULT_LOGTIME));
    fprintf(out, "       ROTATE=%%d  (1-9)            [ default: %d ]\n",
            int(WENDLE_DEFAULT_ROTATE));
    fprintf(out, "       LOCKKEY=%%d (Decimal number) [ default: 0(none) ]\n");
    fprintf(out, "       STDTIME=YES/NO              [ default: YES ]\n");
    fprintf(out, "       ELOGFIL=%%s                  [ default: \"\"(none) ]\n");
    fflush(out);
}

void ReadEnvironment(WendleSettings &s, WendleGetEnv getEnv, void *ctx, FILE *out) {
    static const char *const ORDER[] = {"WENDLE_LOGFILE", "WENDLE_LOGSIZE", "WENDLE_LOGTIME",
                                        "WENDLE_ROTATE",  "WENDLE_LOCKKEY", "WENDLE_STDTIME",
                                        "WENDLE_ELOGFIL"};
    for (const char *name : ORDER) {
        std::string value;
        if (!getEnv(ctx, name, value)) continue;
        // An empty value, or one too long for the variable buffer, leaves the
        // setting as it was.
        if (value.empty() || value.size() > size_t(WENDLE_ENV_VALUE_MAX)) continue;
        const char *v = value.c_str();
        const char *warning = nullptr;
        if (!strcmp(name, "WENDLE_LOGFILE")) {
            CopyPath(s.logFile, v);
        } else if (!strcmp(name, "WENDLE_LOCKKEY")) {
            DecimalValue d = ParseDecimal(v);
            if (d.kind == Digits::Invalid)
                warning = wdl::WDL107W;
            else
                s.lockKey = LockKeyOf(d.value);
        } else if (!strcmp(name, "WENDLE_STDTIME")) {
            Flag f = ParseFlag(v);
            if (f == Flag::Invalid)
                warning = wdl::WDL108W;
            else
                s.stdTime = f == Flag::On;
        } else if (!strcmp(name, "WENDLE_ELOGFIL")) {
            // A list that cannot be loaded (the loader said why) leaves
            // forwarding off; start-up goes on.
            CopyPath(s.eLogFil, v);
            if (!ForwardLoad(s.eLogList, s.eLogFil, out)) s.eLogFil[0] = '\0';
        } else {
            for (const RangedOption &o : RANGED)
                if (!strcmp(name, o.env)) warning = SetRanged(s, o, v, true);
        }
        if (warning) {
            fputs(warning, out);
            fflush(out);
        }
    }
}

bool ReadArguments(WendleSettings &s, int argc, const char *const *argv, FILE *out) {
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (!*arg) continue;
        const char *error = nullptr;
        if (StartsWith(arg, "LOGFILE=")) {
            CopyPath(s.logFile, arg + 8);
        } else if (StartsWith(arg, "LOCKKEY=")) {
            DecimalValue d = ParseDecimal(arg + 8);
            if (d.kind == Digits::Invalid)
                error = wdl::WDL007E;
            else
                s.lockKey = LockKeyOf(d.value); // empty: 0, no lock
        } else if (StartsWith(arg, "STDTIME=")) {
            Flag f = ParseFlag(arg + 8);
            if (f == Flag::Invalid)
                error = wdl::WDL008E;
            else
                s.stdTime = f == Flag::On;
        } else if (StartsWith(arg, "ELOGFIL=")) {
            // An empty value asks for the default, no forwarding, rather than
            // for a list file named "". A list that cannot be loaded ends
            // start-up with the loader's own message.
            CopyPath(s.eLogFil, arg + 8);
            if (!s.eLogFil[0])
                ForwardFree(s.eLogList);
            else if (!ForwardLoad(s.eLogList, s.eLogFil, out))
                return false;
        } else {
            const RangedOption *match = nullptr;
            for (const RangedOption &o : RANGED)
                if (StartsWith(arg, o.option)) match = &o;
            if (match)
                error = SetRanged(s, *match, arg + strlen(match->option), false);
            else
                error = wdl::WDL009E;
        }
        if (error) {
            fputs(error, out);
            fflush(out);
            return false;
        }
    }
    return true;
}
