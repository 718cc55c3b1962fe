// What every export shares: the library's start-up status.
#pragma once

#include <cstdint>

// -3 until the library is attached to a process and again after detach;
// 0 once attach started the window system, -2 when it could not.
extern int32_t InitStatus;
