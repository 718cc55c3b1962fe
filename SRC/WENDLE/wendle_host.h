// The recorder's host when it runs as a program: the real standard streams,
// environment, clock, process number and event log.
#pragma once

#include "wendle_main.h"

// Also puts the standard streams in text mode, whatever the starting host
// set up: CR LF arrives as a line feed, and the echo stores line feeds as
// CR LF.
WendleHost ProcessHost();
