// The recorder's messages. Every one goes to standard output and begins with
// its eight-character identifier; callers and outside tools match on these
// texts, so they must stay exactly as they are.
#pragma once

namespace wdl {

constexpr const char WDL001E[] = "WDL001E INVALID LOGSIZE LIMIT\n";
constexpr const char WDL002E[] = "WDL002E INVALID LOGSIZE\n";
constexpr const char WDL003E[] = "WDL003E INVALID LOGTIME LIMIT\n";
constexpr const char WDL004E[] = "WDL004E INVALID LOGTIME\n";
constexpr const char WDL005E[] = "WDL005E INVALID ROTATE LIMIT\n";
constexpr const char WDL006E[] = "WDL006E INVALID ROTATE\n";
constexpr const char WDL007E[] = "WDL007E INVALID LOCKKEY\n";
constexpr const char WDL008E[] = "WDL008E INVALID STDTIME\n";
constexpr const char WDL009E[] = "WDL009E INVALID ARGV\n";
constexpr const char WDL010E[] = "WDL010E OPEN FAILED(errno=%d)\n";
constexpr const char WDL015E[] = "WDL015E MALLOC FAILED\n";
constexpr const char WDL016E[] = "WDL016E FOPEN FAILED(errno=%d)\n";
constexpr const char WDL017E[] = "WDL017E RENAME FAILED(errno=%d)\n";
constexpr const char WDL018E[] = "WDL018E LOCK INIT FAILED(errno=%d)\n";
constexpr const char WDL019E[] = "WDL019E LOCK FAILED(errno=%d)\n";
constexpr const char WDL020E[] = "WDL020E UNLOCK FAILED(errno=%d)\n";
constexpr const char WDL021E[] = "WDL021E SHM INIT FAILED(errno=%d)\n";
constexpr const char WDL022E[] = "WDL022E EVENTLOG FAILED(errno=%d)\n";

constexpr const char WDL101W[] = "WDL101W INVALID ENV LOGSIZE LIMIT(IGNORED)\n";
constexpr const char WDL102W[] = "WDL102W INVALID ENV LOGSIZE(IGNORED)\n";
constexpr const char WDL103W[] = "WDL103W INVALID ENV LOGTIME LIMIT(IGNORED)\n";
constexpr const char WDL104W[] = "WDL104W INVALID ENV LOGTIME(IGNORED)\n";
constexpr const char WDL105W[] = "WDL105W INVALID ENV ROTATE LIMIT(IGNORED)\n";
constexpr const char WDL106W[] = "WDL106W INVALID ENV ROTATE(IGNORED)\n";
constexpr const char WDL107W[] = "WDL107W INVALID ENV LOCKKEY(IGNORED)\n";
constexpr const char WDL108W[] = "WDL108W INVALID ENV STDTIME(IGNORED)\n";

constexpr const char WDL200I[] = "WDL200I ADD REGISTRY KEY(%s) COMPLETED\n";
constexpr const char WDL201E[] = "WDL201E ENVIRONMENT(WENDLE_PATH) CANNOT READ\n";
constexpr const char WDL202E[] = "WDL202E REGISTRY KEY(%s) CANNOT BE ADDED(errno=%d)\n";
constexpr const char WDL203E[] = "WDL203E EVENT MESSAGE FILE KEY CANNOT BE ADDED(errno=%d)\n";
constexpr const char WDL204E[] = "WDL204E TYPES SUPPORTED KEY CANNOT BE ADDED(errno=%d)\n";

} // namespace wdl
