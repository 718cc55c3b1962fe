// wendlesrc's entry: the machine's registry and the real standard output.
#include <fcntl.h>
#include <io.h>

#include "wendle_regist.h"

int main(int argc, char **argv) {
    _setmode(_fileno(stdout), _O_TEXT);
    return WendleRegistMain(argc, argv, stdout, HKEY_LOCAL_MACHINE);
}
