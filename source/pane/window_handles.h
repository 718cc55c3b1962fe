// The window-system handles that pane records hold: the platform's own types
// on Windows; elsewhere opaque pointers of the same size, so that the record
// has one layout on every target.
#pragma once

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
using HWND = struct HWND__ *;
using HDC = struct HDC__ *;
using HBRUSH = struct HBRUSH__ *;
using HPEN = struct HPEN__ *;
using HFONT = struct HFONT__ *;
#endif
