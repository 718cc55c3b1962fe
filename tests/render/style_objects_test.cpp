// A pane's drawing objects: made from a style as a whole or not at all,
// replaced in one step, deleted with the pane.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "draw_objects.h"
#include "pane_record.h"
#include "pane_style.h"
#include "style_objects.h"

namespace {

struct StyleObjectsTest : ::testing::Test {
    Pane pane = {};
    uint32_t liveAtStart = DrawObjectLiveCount();

    void TearDown() override {
        DrawObjectFailAt(0);
        ReleaseStyleObjects(&pane);
        EXPECT_EQ(DrawObjectLiveCount(), liveAtStart) << "drawing objects leaked";
    }

    // The record's bytes, padding included, to show nothing changed.
    std::string Bytes() const {
        return std::string(reinterpret_cast<const char *>(&pane), sizeof pane);
    }

    std::vector<HGDIOBJ> Objects() const {
        std::vector<HGDIOBJ> all(pane.brushes, pane.brushes + kBrushSlots);
        all.insert(all.end(), pane.pens, pane.pens + kPenSlots);
        all.push_back(pane.font);
        return all;
    }
};

TEST_F(StyleObjectsTest, ObjectsFollowTheStyle) {
    PaneStyle style = DefaultPaneStyle;
    style.colors[16] = 0x00C08040; // background
    style.colors[17] = 0x000000FF; // highlight
    style.colors[4] = 0x00123456;
    style.penWidths[0] = 0;
    style.penWidths[3] = 3;
    ASSERT_EQ(ApplyStyle(&style, &pane), 0);
    EXPECT_EQ(DrawObjectLiveCount(), liveAtStart + 18 + 3 + 1);

    for (int i = 0; i < kBrushSlots; ++i) {
        LOGBRUSH brush = {};
        ASSERT_TRUE(GetObjectA(pane.brushes[i], sizeof brush, &brush)) << i;
        EXPECT_EQ(brush.lbStyle, UINT(BS_SOLID)) << i;
        EXPECT_EQ(brush.lbColor, style.colors[i]) << i;
    }
    EXPECT_EQ(pane.pens[0], nullptr) << "width 0: no pen";
    struct PenCase {
        int slot;
        int32_t width;
        COLORREF color;
    } pens[] = {{1, 4, 0x000000FF}, {2, 1, 0x00C08040 ^ 0xFFFFFF}, {3, 3, 0x000000FF}};
    for (const PenCase &c : pens) {
        LOGPEN pen = {};
        ASSERT_TRUE(GetObjectA(pane.pens[c.slot], sizeof pen, &pen)) << c.slot;
        EXPECT_EQ(pen.lopnStyle, UINT(PS_INSIDEFRAME)) << c.slot;
        EXPECT_EQ(pen.lopnWidth.x, c.width) << c.slot;
        EXPECT_EQ(pen.lopnColor, c.color) << c.slot;
    }
    LOGFONTA font = {};
    ASSERT_TRUE(GetObjectA(pane.font, sizeof font, &font));
    EXPECT_EQ(font.lfHeight, style.font.lfHeight);
    EXPECT_STREQ(font.lfFaceName, style.font.lfFaceName);
    EXPECT_EQ(pane.boxInsetX, 10) << "the geometry is derived as well";
}

TEST_F(StyleObjectsTest, NullStyleIsTheDefault) {
    ASSERT_EQ(ApplyStyle(nullptr, &pane), 0);
    EXPECT_EQ(std::memcmp(&pane.style, &DefaultPaneStyle, sizeof pane.style), 0);
    for (HGDIOBJ object : Objects()) EXPECT_NE(object, nullptr);
}

TEST_F(StyleObjectsTest, ReplacingDeletesTheOldObjects) {
    ASSERT_EQ(ApplyStyle(nullptr, &pane), 0);
    std::vector<HGDIOBJ> old = Objects();
    PaneStyle style = DefaultPaneStyle;
    style.cellWidth = 60;
    ASSERT_EQ(ApplyStyle(&style, &pane), 0);
    EXPECT_EQ(pane.style.cellWidth, 60);
    EXPECT_EQ(DrawObjectLiveCount(), liveAtStart + 23);
    for (HGDIOBJ object : old) EXPECT_EQ(GetObjectType(object), 0u) << "old object deleted";
    for (HGDIOBJ object : Objects()) EXPECT_NE(GetObjectType(object), 0u);
}

// A failure anywhere in the creation order leaves the pane exactly as it
// was, old objects alive, and no new object behind.
TEST_F(StyleObjectsTest, FailedCreationChangesNothing) {
    ASSERT_EQ(ApplyStyle(nullptr, &pane), 0);
    const std::string before = Bytes();
    PaneStyle style = DefaultPaneStyle;
    style.colors[16] = 0x00FF0000;
    for (uint32_t nth : {1u, 2u, 17u, 18u, 19u, 21u, 22u, 23u}) {
        DrawObjectFailAt(nth);
        EXPECT_EQ(ApplyStyle(&style, &pane), E_DRAWOBJ) << "failing creation " << nth;
        EXPECT_EQ(Bytes(), before) << nth;
        EXPECT_EQ(DrawObjectLiveCount(), liveAtStart + 23) << nth;
    }
    for (HGDIOBJ object : Objects()) EXPECT_NE(GetObjectType(object), 0u);
    DrawObjectFailAt(24);
    EXPECT_EQ(ApplyStyle(&style, &pane), 0) << "23 creations in all";
    DrawObjectFailAt(0);
}

TEST_F(StyleObjectsTest, InvalidStyleChangesNothing) {
    ASSERT_EQ(ApplyStyle(nullptr, &pane), 0);
    const std::string before = Bytes();
    PaneStyle style = DefaultPaneStyle;
    style.cellWidth = 300;
    EXPECT_EQ(ApplyStyle(&style, &pane), E_ARG);
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(DrawObjectLiveCount(), liveAtStart + 23);
}

TEST_F(StyleObjectsTest, ReleaseDeletesAndNullsEverySlot) {
    ASSERT_EQ(ApplyStyle(nullptr, &pane), 0);
    std::vector<HGDIOBJ> old = Objects();
    ReleaseStyleObjects(&pane);
    EXPECT_EQ(DrawObjectLiveCount(), liveAtStart);
    for (HGDIOBJ object : Objects()) EXPECT_EQ(object, nullptr);
    for (HGDIOBJ object : old) EXPECT_EQ(GetObjectType(object), 0u);
    ReleaseStyleObjects(&pane); // nothing left: harmless
}

} // namespace
