// The library's version record.
#include "version_record.h"

extern const VersionRecord BrindleVersion;
VERSION_RECORD_KEEP const VersionRecord BrindleVersion = {
    "VRKVER",
    "brindle graph library",
    "V7.2.4.00",
    "V7.2.4.00",
    "graph layout and panes for native hosts",
    "source/version/vrkver.cpp",
    __DATE__,
    __TIME__,
};
