// The recorder as a program whose clock the test sets: the file named by
// WENDLE_TEST_CLOCK holds the current time in seconds since 1970, read
// anew at every reading. For tests of age rotation across processes only;
// never shipped.
#include <cstdio>
#include <cstdlib>

#include "wendle_host.h"

namespace {

WendleTime FileClock(void *path) {
    FILE *f = fopen(static_cast<const char *>(path), "r");
    if (!f) return -1;
    long long t = -1;
    if (fscanf(f, "%lld", &t) != 1) t = -1;
    fclose(f);
    return t;
}

} // namespace

int main(int argc, char **argv) {
    WendleHost host = ProcessHost();
    if (char *path = getenv("WENDLE_TEST_CLOCK")) {
        host.clock = FileClock;
        host.clockContext = path;
    }
    return WendleMain(argc, argv, host);
}
