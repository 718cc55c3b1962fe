/* Keeps a Wine session alive for the given number of seconds, so that the
 * test programs that follow start in a running session: under emulation a
 * cold start of Wine's own services costs minutes, a warm start one. */
#include <stdlib.h>
#include <windows.h>

int main(int argc, char **argv) {
    int seconds = argc > 1 ? atoi(argv[1]) : 3600;
    Sleep((DWORD)seconds * 1000u);
    return 0;
}
