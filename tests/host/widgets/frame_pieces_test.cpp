// The bitmap frame panel's geometry: the eight pieces, where they go, and the repeated edges.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "widgets/FramePieces.h"

using namespace frame;

TEST(FramePieces, TitleBarCut) {
    const auto p = CutPieces(40, 40, {17, 17, 17, 17});
    EXPECT_EQ(p[pcTopLeft], (PieceCut{17, 17, 0, 0}));
    EXPECT_EQ(p[pcBottomLeft], (PieceCut{17, 17, 0, 23}));
    EXPECT_EQ(p[pcTopRight], (PieceCut{17, 17, 23, 0}));
    EXPECT_EQ(p[pcBottomRight], (PieceCut{17, 17, 23, 23}));
    EXPECT_EQ(p[pcLeftEdge], (PieceCut{17, 6, 0, 17}));
    EXPECT_EQ(p[pcTopEdge], (PieceCut{6, 17, 17, 0}));
    EXPECT_EQ(p[pcRightEdge], (PieceCut{17, 6, 23, 17}));
    EXPECT_EQ(p[pcBottomEdge], (PieceCut{6, 17, 17, 23}));
}

TEST(FramePieces, StatusBarCutLeavesOnlyTheBottomRow) {
    // Margins: left 8, top 0, right 18, bottom 32 of a 50 x 32 bitmap.
    const auto p = CutPieces(50, 32, {8, 0, 18, 32});
    EXPECT_EQ(p[pcBottomLeft], (PieceCut{8, 32, 0, 0}));
    EXPECT_EQ(p[pcBottomRight], (PieceCut{18, 32, 32, 0}));
    EXPECT_EQ(p[pcBottomEdge], (PieceCut{24, 32, 8, 0}));
    for (Piece empty : {pcTopLeft, pcTopRight, pcLeftEdge, pcTopEdge, pcRightEdge}) {
        const PieceCut c = p[empty];
        EXPECT_TRUE(c.width == 0 || c.height == 0) << int(empty);
    }
}

TEST(FramePieces, MarginsWiderThanTheBitmapGiveNegativeSizes) {
    const auto p = CutPieces(0, 0, {17, 17, 17, 17}); // an empty glyph with margins
    EXPECT_EQ(p[pcTopLeft].width, 17);
    EXPECT_EQ(p[pcLeftEdge].height, -34);
    EXPECT_EQ(p[pcTopEdge].width, -34);
}

TEST(FramePlacement, TitleBarOf972x50) {
    const Rect d{0, 0, 972, 50};
    const Margins m{17, 17, 17, 17};
    EXPECT_EQ(CornerOrigin(pcTopLeft, d, 17, 17), (btn::Point{0, 0}));
    EXPECT_EQ(CornerOrigin(pcBottomLeft, d, 17, 17), (btn::Point{0, 33}));
    EXPECT_EQ(CornerOrigin(pcTopRight, d, 17, 17), (btn::Point{955, 0}));
    EXPECT_EQ(CornerOrigin(pcBottomRight, d, 17, 17), (btn::Point{955, 33}));
    EXPECT_EQ(EdgeArea(pcLeftEdge, d, m), (Rect{0, 17, 17, 33}));
    EXPECT_EQ(EdgeArea(pcTopEdge, d, m), (Rect{17, 0, 955, 17}));
    EXPECT_EQ(EdgeArea(pcRightEdge, d, m), (Rect{955, 17, 972, 33}));
    EXPECT_EQ(EdgeArea(pcBottomEdge, d, m), (Rect{17, 33, 955, 50}));
    EXPECT_EQ(CentreArea(d, m), (Rect{17, 17, 955, 33}));
}

TEST(FramePlacement, StatusBarOf972x32) {
    const Rect d{0, 0, 972, 32};
    const Margins m{8, 0, 18, 32};
    EXPECT_EQ(CornerOrigin(pcBottomLeft, d, 8, 32), (btn::Point{0, 0}));
    EXPECT_EQ(CornerOrigin(pcBottomRight, d, 18, 32), (btn::Point{954, 0}));
    EXPECT_EQ(EdgeArea(pcBottomEdge, d, m), (Rect{8, 0, 954, 32}));
    const Rect centre = CentreArea(d, m);
    EXPECT_EQ(centre.bottom - centre.top, 0);
}

TEST(FrameTiles, RepeatDownwardWithTheLastTileCutShort) {
    using Tiles = std::vector<std::pair<int, int>>;
    auto tiles = [](int top, int bottom, int h) {
        Tiles t;
        ForEachTile(top, bottom, h, [&](int y, int rows) { t.emplace_back(y, rows); });
        return t;
    };
    EXPECT_EQ(tiles(17, 33, 6), (Tiles{{17, 6}, {23, 6}, {29, 4}}));
    EXPECT_EQ(tiles(0, 12, 6), (Tiles{{0, 6}, {6, 6}}));
    EXPECT_TRUE(tiles(17, 17, 6).empty());
    EXPECT_TRUE(tiles(20, 10, 6).empty()); // a panel lower than its margins
    EXPECT_TRUE(tiles(0, 10, 0).empty());
}
