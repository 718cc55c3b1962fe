// The drawing layer on a real device context: a DIB section in memory, whose
// pixels are read back after drawing.
#include <gtest/gtest.h>

#include <cstring>

#include "draw_layer.h"
#include "draw_objects.h"
#include "pane_record.h"
#include "pane_style.h"
#include "style_objects.h"

namespace {

constexpr int kSide = 64;
constexpr COLORREF kUntouched = 0x00808080;

struct DrawLayerTest : ::testing::Test {
    HDC dc = nullptr;
    HBITMAP dib = nullptr;
    HGDIOBJ dcBitmap = nullptr;
    uint32_t *bits = nullptr;
    Pane pane = {};
    uint32_t liveAtStart = DrawObjectLiveCount();

    void SetUp() override {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kSide;
        info.bmiHeader.biHeight = -kSide; // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void *pixels = nullptr;
        dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        bits = static_cast<uint32_t *>(pixels);
        dc = CreateCompatibleDC(nullptr);
        ASSERT_NE(dc, nullptr);
        dcBitmap = SelectObject(dc, dib);
        for (int i = 0; i < kSide * kSide; ++i) bits[i] = 0x00808080;
        pane.curBrush = pane.curPen = pane.curFont = pane.curTextColor = kSlotNotCached;
    }

    void TearDown() override {
        EndDraw(&pane, 0);
        ReleaseStyleObjects(&pane);
        EXPECT_EQ(DrawObjectLiveCount(), liveAtStart) << "drawing objects leaked";
        if (dc) {
            SelectObject(dc, dcBitmap);
            DeleteDC(dc);
        }
        if (dib) DeleteObject(dib);
    }

    void Start(const PaneStyle *style) {
        ASSERT_EQ(ApplyStyle(style, &pane), 0);
        ASSERT_EQ(BeginDraw(dc, &pane), 1);
    }

    // The pixel as a colour value 0x00BBGGRR.
    COLORREF Pixel(int x, int y) {
        GdiFlush();
        uint32_t p = bits[y * kSide + x];
        return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    }
};

PaneStyle TestStyle() {
    PaneStyle s = DefaultPaneStyle;
    s.colors[16] = 0x00FFFFFF; // frames in black
    s.colors[17] = 0x0000FF00; // highlighted frames in green
    s.colors[3] = 0x000000FF;
    s.penWidths[0] = 1;
    s.penWidths[1] = 4;
    return s;
}

TEST_F(DrawLayerTest, BoxIsFramedInsideAndFilled) {
    PaneStyle style = TestStyle();
    Start(&style);
    SelectPen(kFramePen, &pane);
    SelectBrush(3, &pane);
    DrawBox(&pane, {10, 10, 30, 30});
    EXPECT_EQ(Pixel(10, 10), 0x000000u) << "frame";
    EXPECT_EQ(Pixel(29, 20), 0x000000u) << "frame inside the right edge";
    EXPECT_EQ(Pixel(20, 29), 0x000000u) << "frame inside the bottom edge";
    EXPECT_EQ(Pixel(11, 11), 0x0000FFu) << "fill";
    EXPECT_EQ(Pixel(20, 20), 0x0000FFu);
    EXPECT_EQ(Pixel(30, 20), kUntouched) << "right edge exclusive";
    EXPECT_EQ(Pixel(9, 9), kUntouched);

    SelectPen(kHiliteFramePen, &pane);
    DrawBox(&pane, {34, 34, 54, 54});
    EXPECT_EQ(Pixel(34, 44), 0x00FF00u) << "highlighted frame";
    EXPECT_EQ(Pixel(37, 44), 0x00FF00u) << "4 pixels wide";
    EXPECT_EQ(Pixel(38, 44), 0x0000FFu);
    EXPECT_EQ(Pixel(50, 50), 0x00FF00u);
    EXPECT_EQ(Pixel(49, 49), 0x0000FFu);
}

TEST_F(DrawLayerTest, WithoutAFramePenTheBoxIsOnlyFilled) {
    PaneStyle style = TestStyle();
    style.penWidths[0] = 0;
    Start(&style);
    SelectPen(kFramePen, &pane);
    SelectBrush(3, &pane);
    DrawBox(&pane, {10, 10, 30, 30});
    EXPECT_EQ(Pixel(10, 10), 0x0000FFu) << "filled to the edge";
    EXPECT_EQ(Pixel(29, 29), 0x0000FFu);
    EXPECT_EQ(Pixel(30, 30), kUntouched);
    // The stock null brush fills nothing.
    SelectBrush(-1, &pane);
    DrawBox(&pane, {34, 34, 54, 54});
    EXPECT_EQ(Pixel(40, 40), kUntouched);
    // The stock null pen with a brush: filled, no frame.
    SelectPen(-1, &pane);
    SelectBrush(5, &pane);
    DrawBox(&pane, {34, 34, 54, 54});
    EXPECT_EQ(Pixel(34, 34), style.colors[5]);
}

TEST_F(DrawLayerTest, BeginDrawPreparesThePass) {
    Start(nullptr);
    EXPECT_EQ(pane.hdc, dc);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(pane.curFont, 0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), pane.font);
    TEXTMETRICA metrics;
    ASSERT_TRUE(GetTextMetricsA(dc, &metrics));
    EXPECT_EQ(pane.lineHeight, metrics.tmHeight + 4);
    EXPECT_EQ(pane.curBrush, kSlotNotCached);
    EXPECT_EQ(pane.curPen, kSlotNotCached);
    EXPECT_EQ(pane.curTextColor, kSlotNotCached);

    Pane other = {};
    other.curBrush = 3;
    other.lineHeight = 9;
    other.hdc = dc;
    EXPECT_EQ(BeginDraw(nullptr, &other), 0);
    EXPECT_EQ(other.hdc, nullptr);
    EXPECT_EQ(other.curBrush, kSlotNotCached);
    EXPECT_EQ(other.lineHeight, 0);
}

TEST_F(DrawLayerTest, TextIsDrawnInTheInverseOfItsBackground) {
    Start(nullptr);
    SelectTextColors(&pane, 3);
    EXPECT_EQ(GetBkColor(dc), 0x0000FFu);
    EXPECT_EQ(GetTextColor(dc), 0xFFFF00u);
    SelectTextColors(&pane, 16);
    EXPECT_EQ(GetBkColor(dc), 0xFFFFFFu);
    EXPECT_EQ(GetTextColor(dc), 0x000000u);
}

// The caches reach the platform only when a slot changes.
TEST_F(DrawLayerTest, SelectionsAreCachedBySlot) {
    Start(nullptr);
    const DrawCallCounts start = DrawCalls;
    auto selects = [&] { return DrawCalls.selectObject - start.selectObject; };

    SelectBrush(3, &pane);
    SelectBrush(3, &pane);
    EXPECT_EQ(selects(), 1u);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), pane.brushes[3]);
    SelectBrush(4, &pane);
    EXPECT_EQ(selects(), 2u);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), pane.brushes[4]);
    SelectBrush(-1, &pane);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(NULL_BRUSH));

    SelectPen(2, &pane);
    SelectPen(2, &pane);
    EXPECT_EQ(selects(), 4u);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pane.pens[2]);
    SelectPen(-1, &pane);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(NULL_PEN));

    // BeginDraw selected font 0 and measured it: no second measurement.
    SelectFont(0, &pane);
    EXPECT_EQ(selects(), 5u);
    EXPECT_EQ(DrawCalls.textMetrics, start.textMetrics);
    SelectFont(-1, &pane);
    EXPECT_EQ(DrawCalls.textMetrics, start.textMetrics + 1);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));

    SelectTextColors(&pane, 5);
    SelectTextColors(&pane, 5);
    EXPECT_EQ(DrawCalls.setBkColor - start.setBkColor, 1u);
    EXPECT_EQ(DrawCalls.setTextColor - start.setTextColor, 1u);
    // A colour slot outside the style's is refused.
    SelectTextColors(&pane, 18);
    EXPECT_EQ(pane.curTextColor, 5);
    EXPECT_EQ(DrawCalls.setBkColor - start.setBkColor, 1u);
}

TEST_F(DrawLayerTest, EmptyPenSlotSelectsTheNullPen) {
    PaneStyle style = TestStyle();
    style.penWidths[0] = 0;
    Start(&style);
    SelectPen(kFramePen, &pane);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(NULL_PEN));
    EXPECT_EQ(pane.curPen, kFramePen);
}

// The pass hands the device context back without the pane's objects in it,
// so they can be deleted while the device context lives on.
TEST_F(DrawLayerTest, EndDrawTakesThePanesObjectsOut) {
    Start(nullptr);
    SelectBrush(3, &pane);
    SelectPen(0, &pane);
    SelectTextColors(&pane, 3);
    EndDraw(&pane, 0);
    EXPECT_EQ(pane.hdc, nullptr);
    EXPECT_EQ(pane.curBrush, kSlotNotCached);
    EXPECT_EQ(pane.curPen, kSlotNotCached);
    EXPECT_EQ(pane.curFont, kSlotNotCached);
    EXPECT_EQ(pane.curTextColor, kSlotNotCached);
    EXPECT_EQ(pane.lineHeight, 0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetBkColor(dc), 0x0000FFu) << "colours stay as the pass left them";
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
}

TEST_F(DrawLayerTest, ReplacingTheStyleInAPassDeselectsFirst) {
    Start(nullptr);
    SelectBrush(3, &pane);
    SelectPen(0, &pane);
    HGDIOBJ oldBrush = pane.brushes[3];
    PaneStyle style = TestStyle();
    ASSERT_EQ(ApplyStyle(&style, &pane), 0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetObjectType(oldBrush), 0u) << "deleted, not left selected";
    EXPECT_EQ(pane.curBrush, kSlotNotCached);
    SelectBrush(3, &pane);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), pane.brushes[3]);
}

TEST_F(DrawLayerTest, EndDrawReleasesAWindowDeviceContext) {
    HWND window = CreateWindowA("STATIC", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    pane.hwnd = window;
    ASSERT_EQ(ApplyStyle(nullptr, &pane), 0);
    HDC windowDc = GetDC(window);
    ASSERT_EQ(BeginDraw(windowDc, &pane), 1);
    SelectBrush(2, &pane);
    EndDraw(&pane, 1);
    EXPECT_EQ(pane.hdc, nullptr);
    EXPECT_EQ(ReleaseDC(window, windowDc), 0) << "already released";
    DestroyWindow(window);
}

} // namespace
