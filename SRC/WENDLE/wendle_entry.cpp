// The recorder's program entry.
#include "wendle_host.h"

int main(int argc, char **argv) { return WendleMain(argc, argv, ProcessHost()); }
