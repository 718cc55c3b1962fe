// The pane record: one window showing one graph. It lives in the graph's
// panePool and its address is the pane handle hosts hold. Hosts never see
// its fields, but its layout is fixed on 32-bit Windows like every record of
// the library.
#pragma once

#include <cstddef>
#include <cstdint>

#include "brindle.h"
#include "pane_calls.h"
#include "pixel_rect.h"
#include "ring.h"
#include "window_handles.h"

// `magic` of a live pane; anything else means the handle is not a pane.
constexpr uint32_t kPaneMagic = 0xBADFACEDu;

// Pane flag word.
constexpr uint32_t PaneBusy = 0x1;   // being created or recomputing its scroll bars
constexpr uint32_t PaneRedraw = 0x2; // drawing is on
constexpr uint32_t PaneFocus = 0x4;  // the window has the keyboard focus
constexpr uint32_t PaneTabs = 0x8;   // the style leaves room for vertex tabs

// Drawing object slots: a brush per colour, a pen per pen width, one font.
constexpr int kBrushSlots = 18;
constexpr int kPenSlots = 4;
// Selection cache values: nothing cached, or the stock object selected.
constexpr int32_t kSlotNotCached = -2;
constexpr int32_t kSlotStock = -1;

constexpr size_t kPaneTextBytes = 128;

// The host's notification function (pane, code, wParam, lParam).
using PaneNotify = int32_t(BRDAPI *)(Pane *pane, int32_t code, uintptr_t wParam, intptr_t lParam);

struct Pane {
    Ring link;          // next, prev: place in the graph's paneRing; first
    uint32_t magic;     // kPaneMagic while live
    HWND hwnd;          // null for a pane without a window
    HDC hdc;            // the device context of the drawing pass, or null
    PaneNotify callback;
    Graph *graph;
    uint32_t flags;

    // Geometry derived from the installed style.
    int32_t linkPenMax;           // the wider link pen; 0: no link is drawn
    int32_t linkOutX, linkOutY;   // where links leave a cell's vertex box
    int32_t linkInX, linkInY;     // where links enter it
    int32_t boxInsetX, boxInsetY; // the box inside its cell
    int32_t textInset[2];         // box inflation for its content, x and y
    int32_t lineHeight;           // text line of the measured font; 0: none
    PixelRect tabRect;            // vertex tab relative to its box
    PixelRect tabRectHilite;

    // Scroll position and ranges, in levels and rows.
    int32_t hPos, hMin, hMax;
    int32_t vPos, vMin, vMax;

    // Drawing state: the slots selected into hdc, and the objects.
    int32_t curBrush, curPen, curFont, curTextColor;
    HBRUSH brushes[kBrushSlots];
    HPEN pens[kPenSlots]; // null where the pen width is 0
    HFONT font;
    PaneStyle style; // the installed style, flags masked

    char text[kPaneTextBytes]; // message shown instead of the graph

    uint32_t spare; // the record keeps the pool item size hosts were built for
};

static_assert(offsetof(Pane, link) == 0, "the graph finds a pane by its ring link");
static_assert(sizeof(Pane) <= kPaneRecordBytes, "a pane fits its pool item");
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(Pane) == 536, "pane record size");
static_assert(offsetof(Pane, magic) == 8 && offsetof(Pane, hwnd) == 12, "pane head");
static_assert(offsetof(Pane, hdc) == 16 && offsetof(Pane, callback) == 20, "pane head");
static_assert(offsetof(Pane, graph) == 24 && offsetof(Pane, flags) == 28, "pane head");
static_assert(offsetof(Pane, linkPenMax) == 32 && offsetof(Pane, linkOutX) == 36, "geometry");
static_assert(offsetof(Pane, linkOutY) == 40 && offsetof(Pane, linkInX) == 44, "geometry");
static_assert(offsetof(Pane, linkInY) == 48 && offsetof(Pane, boxInsetX) == 52, "geometry");
static_assert(offsetof(Pane, boxInsetY) == 56 && offsetof(Pane, textInset) == 60, "geometry");
static_assert(offsetof(Pane, lineHeight) == 68 && offsetof(Pane, tabRect) == 72, "geometry");
static_assert(offsetof(Pane, tabRectHilite) == 88 && offsetof(Pane, hPos) == 104, "geometry");
static_assert(offsetof(Pane, vMax) == 124 && offsetof(Pane, curBrush) == 128, "scrolling");
static_assert(offsetof(Pane, curPen) == 132 && offsetof(Pane, curFont) == 136, "caches");
static_assert(offsetof(Pane, curTextColor) == 140 && offsetof(Pane, brushes) == 144, "objects");
static_assert(offsetof(Pane, pens) == 216 && offsetof(Pane, font) == 232, "objects");
static_assert(offsetof(Pane, style) == 236 && offsetof(Pane, text) == 404, "style and text");
#endif
