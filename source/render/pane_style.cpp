#include "pane_style.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

static_assert(sizeof(BrdLogFontA) == 60, "font record");
static_assert(sizeof(PaneStyle) == 168, "style record");
static_assert(offsetof(PaneStyle, colors) == 20 && offsetof(PaneStyle, penWidths) == 92 &&
                  offsetof(PaneStyle, font) == 108,
              "style record");
#if defined(_WIN32)
static_assert(sizeof(BrdLogFontA) == sizeof(LOGFONTA) &&
                  offsetof(BrdLogFontA, lfItalic) == offsetof(LOGFONTA, lfItalic) &&
                  offsetof(BrdLogFontA, lfFaceName) == offsetof(LOGFONTA, lfFaceName),
              "the style's font is a LOGFONTA");
#endif

PaneStyle DefaultPaneStyle = {
    0x400, // boxes show their name
    40, 40, 20, 20,
    {0xFFFFFF, 0x00FFFF, 0xFF00FF, 0x0000FF, 0xFFFF00, 0x00FF00, 0xFF0000, 0x000000, 0xC0C0C0,
     0x008080, 0x800080, 0x000080, 0x808000, 0x008000, 0x800000, 0x808080,
     0xFFFFFF,  // background
     0x000000}, // highlight
    {1, 4, 1, 1},
    {},
};

namespace {

bool Within(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

// Link pens must fit inside a box with a pixel to spare on both sides, and
// stay narrower than the even gap between boxes.
bool LinkPenFits(int32_t w, const PaneStyle &s) {
    int32_t gapX = (s.cellWidth - s.boxWidth) & ~1;
    int32_t gapY = (s.cellHeight - s.boxHeight) & ~1;
    // Written against the box so that a huge width cannot overflow.
    return w <= s.boxHeight - 2 && w <= s.boxWidth - 2 && w < gapX && w < gapY;
}

void DeriveTabs(Pane *pane, const PaneStyle &s) {
    int32_t tw = s.boxWidth / 3;
    int32_t th = std::min((s.cellHeight - s.boxHeight) / 2 - 2, s.boxHeight / 4);
    if (tw >= 4 && th >= 4) {
        th = std::min(th, 10);
        pane->flags |= PaneTabs;
        pane->tabRect = {0, -th, tw, s.penWidths[kFramePen]};
        pane->tabRectHilite = {0, -th, tw, s.penWidths[kHiliteFramePen]};
    } else {
        pane->flags &= ~PaneTabs;
        pane->tabRect = {};
        pane->tabRectHilite = {};
    }
}

void DeriveGeometry(Pane *pane, const PaneStyle &s) {
    pane->boxInsetY = (s.cellHeight - s.boxHeight) / 2;
    pane->boxInsetX = (s.cellWidth - s.boxWidth) / 2;
    // Content goes inside the frame; a frame wider than half the box leaves
    // no room, marked by a positive inset.
    int32_t f = std::max(s.penWidths[kFramePen], s.penWidths[kHiliteFramePen]);
    int32_t inset = f < (s.boxWidth + 1) / 2 && f < (s.boxHeight + 1) / 2 ? -f : 1;
    pane->textInset[0] = pane->textInset[1] = inset;
    pane->linkInX = pane->boxInsetX;
    pane->linkOutX = pane->boxInsetX + s.boxWidth;
    pane->linkOutY = pane->linkInY = s.cellHeight / 2;
    pane->linkPenMax = std::max(s.penWidths[kLinkPen], s.penWidths[kHiliteLinkPen]);
    DeriveTabs(pane, s);
}

} // namespace

int32_t ValidateStyle(const PaneStyle *style) {
    const PaneStyle &s = style ? *style : DefaultPaneStyle;
    if (!Within(s.cellWidth, 8, 256) || !Within(s.cellHeight, 8, 256)) return E_ARG;
    if (!Within(s.boxWidth, 4, 252) || !Within(s.boxHeight, 4, 252)) return E_ARG;
    if (s.boxWidth + 4 > s.cellWidth || s.boxHeight + 4 > s.cellHeight) return E_ARG;
    for (int i = 0; i < kPenSlots; ++i) {
        int32_t w = s.penWidths[i];
        if (w < 0) return E_ARG;
        bool fits = i == kFramePen || i == kHiliteFramePen ? w <= 252 : LinkPenFits(w, s);
        if (!fits) return E_ARG;
    }
    return 0;
}

void InstallStyle(Pane *pane, HBRUSH const *brushes, HPEN const *pens, HFONT font,
                  const PaneStyle &style) {
    std::copy(brushes, brushes + kBrushSlots, pane->brushes);
    std::copy(pens, pens + kPenSlots, pane->pens);
    pane->font = font;
    // The copy may be the pane's own style.
    std::memmove(&pane->style, &style, sizeof style);
    pane->style.flags &= kStyleFlagsKept;
    DeriveGeometry(pane, pane->style);
}
