// Creation and deletion of the drawing objects panes own. Every object goes
// through here so that tests can make any single creation fail and see that
// each object made is deleted again.
#pragma once

#include <cstdint>

#include "window_handles.h"

// Null when the platform refuses the object (or a test makes it refuse).
HBRUSH NewSolidBrush(COLORREF color);
HPEN NewPen(const LOGPEN &pen);
HFONT NewFont(const LOGFONTA &font);

// Deletes an object from the calls above; null is ignored.
void DeleteDrawObject(HGDIOBJ object);

// Objects made and not yet deleted, process-wide.
uint32_t DrawObjectLiveCount();

// Test hook: the `nth` creation from now (1 = the next one) fails, once.
// 0 turns failure injection off.
void DrawObjectFailAt(uint32_t nth);
