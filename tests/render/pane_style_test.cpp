// Pane styles: the check of a host's style and the geometry a pane derives
// when a style is installed.
#include <gtest/gtest.h>

#include <cstring>

#include "pane_record.h"
#include "pane_style.h"

namespace {

PaneStyle Style(int32_t cellW, int32_t cellH, int32_t boxW, int32_t boxH) {
    PaneStyle s = DefaultPaneStyle;
    s.cellWidth = cellW;
    s.cellHeight = cellH;
    s.boxWidth = boxW;
    s.boxHeight = boxH;
    return s;
}

PaneStyle WithPen(PaneStyle s, int slot, int32_t width) {
    s.penWidths[slot] = width;
    return s;
}

PaneStyle NoPens(PaneStyle s) {
    for (int32_t &w : s.penWidths) w = 0;
    return s;
}

TEST(ValidateStyle, DefaultAndNullPass) {
    EXPECT_EQ(ValidateStyle(nullptr), 0);
    EXPECT_EQ(ValidateStyle(&DefaultPaneStyle), 0);
}

// Hosts read the default style back, so its values are part of the contract.
TEST(ValidateStyle, DefaultStyleValues) {
    const uint32_t colors[18] = {0xFFFFFF, 0x00FFFF, 0xFF00FF, 0x0000FF, 0xFFFF00, 0x00FF00,
                                 0xFF0000, 0x000000, 0xC0C0C0, 0x008080, 0x800080, 0x000080,
                                 0x808000, 0x008000, 0x800000, 0x808080, 0xFFFFFF, 0x000000};
    const PaneStyle &s = DefaultPaneStyle;
    EXPECT_EQ(s.flags, 0x400u);
    EXPECT_EQ(s.cellWidth, 40);
    EXPECT_EQ(s.cellHeight, 40);
    EXPECT_EQ(s.boxWidth, 20);
    EXPECT_EQ(s.boxHeight, 20);
    for (int i = 0; i < 18; ++i) EXPECT_EQ(uint32_t(s.colors[i]), colors[i]) << "slot " << i;
    const int32_t pens[4] = {1, 4, 1, 1};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.penWidths[i], pens[i]) << "pen " << i;
}

TEST(ValidateStyle, SizesAndPenWidths) {
    struct Case {
        const char *what;
        PaneStyle style;
        int32_t status;
    } cases[] = {
        {"smallest cells and boxes", Style(8, 8, 4, 4), 0},
        {"box too wide for its cell", Style(8, 8, 5, 4), E_ARG},
        {"box too tall for its cell", Style(8, 8, 4, 5), E_ARG},
        {"cell narrower than 8", Style(7, 40, 3, 20), E_ARG},
        {"cell wider than 256", Style(257, 40, 20, 20), E_ARG},
        {"cell taller than 256", Style(40, 257, 20, 20), E_ARG},
        {"largest cells and boxes", Style(256, 256, 252, 252), 0},
        {"box below 4", Style(40, 40, 3, 20), E_ARG},
        {"box above 252", Style(256, 256, 253, 20), E_ARG},
        {"link pen 18 leaves a pixel each side", WithPen(Style(40, 40, 20, 20), 2, 18), 0},
        {"link pen 19 is too wide for the box", WithPen(Style(40, 40, 20, 20), 2, 19), E_ARG},
        {"highlighted link pen 19 too", WithPen(Style(40, 40, 20, 20), 3, 19), E_ARG},
        {"link pen 5 below the even gap 6", WithPen(Style(30, 30, 24, 24), 2, 5), 0},
        {"link pen 6 reaches the gap", WithPen(Style(30, 30, 24, 24), 3, 6), E_ARG},
        {"odd gap 7 counts as 6", WithPen(Style(31, 40, 24, 20), 2, 6), E_ARG},
        {"frame pen 252", WithPen(Style(40, 40, 20, 20), 0, 252), 0},
        {"frame pen 253", WithPen(Style(40, 40, 20, 20), 0, 253), E_ARG},
        {"highlighted frame pen 253", WithPen(Style(40, 40, 20, 20), 1, 253), E_ARG},
        {"negative frame pen", WithPen(Style(40, 40, 20, 20), 0, -1), E_ARG},
        {"negative link pen", WithPen(Style(40, 40, 20, 20), 3, -1), E_ARG},
        {"largest link pen width", WithPen(Style(40, 40, 20, 20), 2, 0x7FFFFFFF), E_ARG},
        {"no pens at all", NoPens(Style(40, 40, 20, 20)), 0},
    };
    for (const Case &c : cases) EXPECT_EQ(ValidateStyle(&c.style), c.status) << c.what;
}

struct Geometry {
    int32_t boxInsetX, boxInsetY, textInset, linkOutX, linkInX, linkY, linkPenMax;
    bool tabs;
    PixelRect tabRect, tabRectHilite;
};

Geometry Installed(const PaneStyle &style) {
    Pane pane;
    std::memset(&pane, 0x3C, sizeof pane);
    pane.flags = PaneRedraw | PaneTabs;
    HBRUSH brushes[kBrushSlots] = {};
    HPEN pens[kPenSlots] = {};
    InstallStyle(&pane, brushes, pens, nullptr, style);
    EXPECT_EQ(pane.textInset[0], pane.textInset[1]);
    EXPECT_EQ(pane.linkOutY, pane.linkInY);
    EXPECT_TRUE(pane.flags & PaneRedraw) << "other flags stay";
    return {pane.boxInsetX, pane.boxInsetY, pane.textInset[0], pane.linkOutX, pane.linkInX,
            pane.linkInY,   pane.linkPenMax, (pane.flags & PaneTabs) != 0, pane.tabRect,
            pane.tabRectHilite};
}

void ExpectRect(const PixelRect &r, int32_t l, int32_t t, int32_t rt, int32_t b, const char *what) {
    EXPECT_EQ(r.left, l) << what;
    EXPECT_EQ(r.top, t) << what;
    EXPECT_EQ(r.right, rt) << what;
    EXPECT_EQ(r.bottom, b) << what;
}

TEST(InstallStyle, DefaultStyleGeometry) {
    Geometry g = Installed(DefaultPaneStyle);
    EXPECT_EQ(g.boxInsetX, 10);
    EXPECT_EQ(g.boxInsetY, 10);
    EXPECT_EQ(g.textInset, -4);
    EXPECT_EQ(g.linkOutX, 30);
    EXPECT_EQ(g.linkInX, 10);
    EXPECT_EQ(g.linkY, 20);
    EXPECT_EQ(g.linkPenMax, 1);
    EXPECT_TRUE(g.tabs);
    ExpectRect(g.tabRect, 0, -5, 6, 1, "tab");
    ExpectRect(g.tabRectHilite, 0, -5, 6, 4, "highlighted tab");
}

TEST(InstallStyle, DerivedValuesFollowTheStyle) {
    // Uneven sizes: insets truncate, anchors sit at half the cell height.
    Geometry g = Installed(WithPen(Style(45, 31, 20, 16), 3, 3));
    EXPECT_EQ(g.boxInsetX, 12);
    EXPECT_EQ(g.boxInsetY, 7);
    EXPECT_EQ(g.linkOutX, 32);
    EXPECT_EQ(g.linkInX, 12);
    EXPECT_EQ(g.linkY, 15);
    EXPECT_EQ(g.linkPenMax, 3);

    // A frame as wide as half the box leaves no room for content.
    EXPECT_EQ(Installed(WithPen(Style(40, 40, 20, 20), 1, 10)).textInset, 1);
    EXPECT_EQ(Installed(WithPen(WithPen(Style(40, 40, 20, 20), 1, 9), 0, 2)).textInset, -9);
    EXPECT_EQ(Installed(WithPen(Style(40, 40, 20, 9), 0, 5)).textInset, 1);
    EXPECT_EQ(Installed(WithPen(WithPen(Style(40, 40, 20, 20), 2, 0), 3, 0)).linkPenMax, 0);
}

TEST(InstallStyle, Tabs) {
    // Boxes narrower than 12 leave no tab.
    Geometry off = Installed(Style(40, 40, 11, 20));
    EXPECT_FALSE(off.tabs);
    ExpectRect(off.tabRect, 0, 0, 0, 0, "no tab");
    ExpectRect(off.tabRectHilite, 0, 0, 0, 0, "no highlighted tab");
    // Too little room above the box: (44 - 36) / 2 - 2 = 2.
    EXPECT_FALSE(Installed(Style(40, 44, 20, 36)).tabs);
    // Tall boxes in tall cells: min(18, 15) is clamped to 10.
    Geometry tall = Installed(Style(100, 100, 60, 60));
    EXPECT_TRUE(tall.tabs);
    ExpectRect(tall.tabRect, 0, -10, 20, 1, "tall tab");
    ExpectRect(tall.tabRectHilite, 0, -10, 20, 4, "tall highlighted tab");
}

TEST(InstallStyle, KeepsHandlesAndAMaskedCopyOfTheStyle) {
    Pane pane = {};
    HBRUSH brushes[kBrushSlots];
    HPEN pens[kPenSlots];
    for (int i = 0; i < kBrushSlots; ++i)
        brushes[i] = reinterpret_cast<HBRUSH>(uintptr_t(0x100 + i));
    for (int i = 0; i < kPenSlots; ++i) pens[i] = reinterpret_cast<HPEN>(uintptr_t(0x200 + i));
    HFONT font = reinterpret_cast<HFONT>(uintptr_t(0x300));
    PaneStyle style = DefaultPaneStyle;
    style.flags = 0xFFFFFFFFu;
    style.colors[9] = 0x123456;
    InstallStyle(&pane, brushes, pens, font, style);
    EXPECT_EQ(pane.style.flags, 0x70FF0u);
    EXPECT_EQ(pane.style.colors[9], 0x123456u);
    EXPECT_EQ(std::memcmp(&pane.style.cellWidth, &style.cellWidth,
                          sizeof style - offsetof(PaneStyle, cellWidth)),
              0);
    EXPECT_EQ(std::memcmp(pane.brushes, brushes, sizeof brushes), 0);
    EXPECT_EQ(std::memcmp(pane.pens, pens, sizeof pens), 0);
    EXPECT_EQ(pane.font, font);
    // Installing the pane's own style again changes nothing.
    InstallStyle(&pane, pane.brushes, pane.pens, pane.font, pane.style);
    EXPECT_EQ(pane.style.colors[9], 0x123456u);
    EXPECT_EQ(pane.brushes[17], brushes[17]);
}

} // namespace
