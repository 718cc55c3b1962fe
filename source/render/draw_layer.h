// The layer all painting goes through: a drawing pass on one device context,
// and the selection of a pane's brushes, pens, font and text colours by
// slot. Each selection remembers its slot, so painting many boxes and links
// reaches the platform only when a slot changes.
#pragma once

#include <cstdint>

#include "pixel_rect.h"
#include "window_handles.h"

struct Pane;

// Starts a pass on hdc: 1, or 0 for a null hdc (which is stored all the
// same). Forgets the cached slots, draws text on a transparent background
// and selects font slot 0, measuring the line height.
int BeginDraw(HDC hdc, Pane *pane);

// Ends the pass: takes the pane's objects out of the device context,
// releases it to the pane's window when `release` is non-zero (after
// GetDC), and forgets hdc, the cached slots and the line height.
void EndDraw(Pane *pane, int release);

// Select slot `index` (negative or an empty slot: the stock null brush, the
// stock null pen, the system font) unless it is the slot already selected.
void SelectBrush(int32_t index, Pane *pane);
void SelectPen(int32_t index, Pane *pane);
void SelectFont(int32_t index, Pane *pane); // also measures lineHeight

// Background colour `index` of the style, and text in its inverse.
void SelectTextColors(Pane *pane, int32_t index);

// A vertex box: framed with the selected pen (inside rect) and filled with
// the selected brush; without a pen only filled.
void DrawBox(Pane *pane, const PixelRect &rect);

// Puts the device context's default objects back wherever one of the
// pane's objects is selected, so that they can be deleted.
void DeselectStyleObjects(Pane *pane);

// The platform calls the layer made, for tests of the selection caches.
struct DrawCallCounts {
    uint32_t selectObject;
    uint32_t setBkColor;
    uint32_t setTextColor;
    uint32_t textMetrics;
};
extern DrawCallCounts DrawCalls;
