// The stretched image panel painted into bitmaps.
#include <gtest/gtest.h>

#include "tests/win32/widgets/WidgetTestSupport.h"
#include "widgets/ImagePanel.h"

namespace {

const TColor kPanel = MakeColor(9, 99, 199);

std::unique_ptr<TBitmap> Quadrants(int w, int h) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp->SetPixel(x, y, x < w / 2 ? (y < h / 2 ? clRed : clLime) : (y < h / 2 ? clBlue : clYellow));
    return bmp;
}

class ImagePanelTest : public testing::Test {
protected:
    wtest::TestHost host{60, 50};
    TImagePanel panel{nullptr};
    void SetUp() override {
        panel.SetParent(&host);
        panel.SetBounds(0, 0, 40, 30);
        panel.SetColor(kPanel);
    }
};

} // namespace

TEST_F(ImagePanelTest, StretchedWithNearestPixels) {
    panel.SetGlyph(Quadrants(2, 2).get());
    panel.SetStretch(true);
    auto shot = wtest::Snapshot(host);
    EXPECT_EQ(wtest::CountPixels(*shot, clRed), 20 * 15); // no blended colours anywhere
    EXPECT_EQ(wtest::CountPixels(*shot, clBlue), 20 * 15);
    EXPECT_EQ(wtest::CountPixels(*shot, clLime), 20 * 15);
    EXPECT_EQ(wtest::CountPixels(*shot, clYellow), 20 * 15);
}

TEST_F(ImagePanelTest, NaturalSizeInTheCornerOrCutOff) {
    panel.SetGlyph(Quadrants(10, 8).get());
    auto shot = wtest::Snapshot(host);
    EXPECT_EQ(shot->Pixel(0, 0), clRed);
    EXPECT_EQ(shot->Pixel(9, 7), clYellow);
    EXPECT_EQ(shot->Pixel(10, 0), kPanel);
    EXPECT_EQ(shot->Pixel(39, 29), kPanel);
    panel.SetGlyph(Quadrants(100, 80).get()); // larger than the panel: cut at the right and bottom
    shot = wtest::Snapshot(host);
    EXPECT_EQ(shot->Pixel(39, 29), clRed);
    EXPECT_EQ(shot->Pixel(40, 29), host.Color());
}

TEST_F(ImagePanelTest, OnPaintRunsAfterTheGlyphWithTheBrushInColor) {
    int calls = 0;
    panel.OnPaint = [&](TObject* sender) {
        ++calls;
        EXPECT_EQ(sender, &panel);
        EXPECT_EQ(panel.Canvas().Brush().Color(), kPanel);
        panel.Canvas().Brush().SetColor(clBlack);
        panel.Canvas().FillRect(RECT{0, 0, 2, 2});
    };
    auto shot = wtest::Snapshot(host); // empty glyph: background only, handler still runs
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(shot->Pixel(20, 20), kPanel);
    panel.SetGlyph(Quadrants(10, 8).get());
    shot = wtest::Snapshot(host);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(shot->Pixel(1, 1), clBlack);
    EXPECT_EQ(shot->Pixel(3, 3), clRed);
}

TEST_F(ImagePanelTest, StretchAndGlyphChangesRecreateTheWindowWithItsChildren) {
    TPanel child(nullptr);
    child.SetParent(&panel);
    HWND before = panel.Handle();
    HWND childBefore = child.Handle();
    ASSERT_TRUE(::IsWindow(childBefore));
    panel.SetStretch(panel.Stretch()); // same value: still recreated
    EXPECT_FALSE(::IsWindow(before));
    EXPECT_FALSE(::IsWindow(childBefore));
    EXPECT_TRUE(::IsWindow(child.Handle()));
    EXPECT_EQ(::GetParent(child.Handle()), panel.Handle());
    before = panel.Handle();
    panel.Glyph().SetSize(4, 4); // a change of the glyph's content
    EXPECT_FALSE(::IsWindow(before));
    before = panel.Handle();
    panel.SetGlyph(nullptr); // writing nothing empties the bitmap
    EXPECT_TRUE(panel.Glyph().Empty());
    EXPECT_FALSE(::IsWindow(before));
}

TEST(TImagePanelWithoutWindow, WritesOnlyStoreTheirValues) {
    TImagePanel panel(nullptr);
    panel.SetStretch(true);
    TBitmap glyph;
    glyph.SetSize(20, 43);
    panel.SetGlyph(&glyph);
    EXPECT_FALSE(panel.HandleAllocated());
    EXPECT_TRUE(panel.Stretch());
    EXPECT_EQ(panel.Glyph().Height(), 43);
}
