// The bitmap frame panel painted into bitmaps: the program's two panels pixel for pixel, the
// cut's failures and the margins object.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Hooks.h"
#include "tests/win32/widgets/WidgetTestSupport.h"
#include "widgets/BmpPanel.h"

namespace {

const TColor kHost = MakeColor(10, 200, 30);

// Every pixel of the source has its own colour, so a pixel on the panel names where it came from.
std::unique_ptr<TBitmap> Source(int w, int h) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) bmp->SetPixel(x, y, MakeColor(x * 5, y * 5, 77));
    return bmp;
}

// rect of src stretched to w x h with the system's nearest-pixel stretch, as a reference.
std::unique_ptr<TBitmap> Stretched(TBitmap& src, RECT from, int w, int h) {
    TBitmap piece;
    piece.SetSize(from.right - from.left, from.bottom - from.top);
    TBitmap::SourceDC s(src);
    ::BitBlt(piece.Canvas().Handle(), 0, 0, piece.Width(), piece.Height(), s.Get(), from.left, from.top, SRCCOPY);
    auto out = std::make_unique<TBitmap>();
    out->SetSize(w, h);
    out->Canvas().StretchDraw(RECT{0, 0, w, h}, piece);
    return out;
}

std::vector<std::wstring> g_messages;
int RecordBox(HWND, const wchar_t* text, const wchar_t*, UINT) {
    g_messages.push_back(text);
    return IDOK;
}

class BmpPanelTest : public testing::Test {
protected:
    wtest::TestHost host{1000, 60, kHost};
    TBmpPanel panel{nullptr};
    void SetUp() override {
        g_messages.clear();
        hooks::messageBox = RecordBox;
        panel.SetParent(&host);
    }
    void TearDown() override { hooks::ResetAll(); }
    void Margins(int left, int top, int right, int bottom) {
        panel.GlyphLayout().SetBottom(bottom);
        panel.GlyphLayout().SetRight(right);
        panel.GlyphLayout().SetTop(top);
        panel.GlyphLayout().SetLeft(left);
    }
};

} // namespace

TEST_F(BmpPanelTest, TitleBarPixelForPixel) {
    auto src = Source(40, 40);
    panel.SetBounds(0, 0, 972, 50);
    panel.SetColor(MakeColor(231, 231, 231));
    panel.SetGlyph(src.get());
    Margins(17, 17, 17, 17);
    ASSERT_EQ(panel.GlyphLayout().PieceCount(), 8);
    ASSERT_TRUE(g_messages.empty());
    auto shot = wtest::Snapshot(host);
    auto top = Stretched(*src, RECT{17, 0, 23, 17}, 938, 17);
    auto bottom = Stretched(*src, RECT{17, 23, 23, 40}, 938, 17);
    int wrong = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 972; ++x) {
            TColor want;
            const bool left = x < 17, right = x >= 955, upper = y < 17, lower = y >= 33;
            if (left && upper) want = src->Pixel(x, y);
            else if (left && lower) want = src->Pixel(x, y - 33 + 23);
            else if (right && upper) want = src->Pixel(x - 955 + 23, y);
            else if (right && lower) want = src->Pixel(x - 955 + 23, y - 33 + 23);
            else if (left) want = src->Pixel(x, 17 + (y - 17) % 6); // tiles at 17, 23, and 29 cut to 4 rows
            else if (right) want = src->Pixel(x - 955 + 23, 17 + (y - 17) % 6);
            else if (upper) want = top->Pixel(x - 17, y);
            else if (lower) want = bottom->Pixel(x - 17, y - 33);
            else want = MakeColor(231, 231, 231);
            if (shot->Pixel(x, y) != want && ++wrong < 5) ADD_FAILURE() << "pixel " << x << "," << y;
        }
    EXPECT_EQ(wrong, 0);
    // The stretch is nearest-pixel: the top edge holds only the piece's own six columns.
    for (int x = 17; x < 955; ++x) {
        const TColor c = shot->Pixel(x, 3);
        bool found = false;
        for (int sx = 17; sx < 23; ++sx) found = found || c == src->Pixel(sx, 3);
        ASSERT_TRUE(found) << x;
    }
    EXPECT_EQ(shot->Pixel(17, 3), src->Pixel(17, 3));
    EXPECT_EQ(shot->Pixel(954, 3), src->Pixel(22, 3));
}

TEST_F(BmpPanelTest, StatusBarPixelForPixel) {
    auto src = Source(50, 32);
    panel.SetBounds(0, 0, 972, 32);
    panel.SetColor(clWhite);
    panel.SetGlyph(src.get());
    Margins(8, 0, 18, 32);
    auto shot = wtest::Snapshot(host);
    auto middle = Stretched(*src, RECT{8, 0, 32, 32}, 946, 32);
    int wrong = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 972; ++x) {
            const TColor want = x < 8 ? src->Pixel(x, y) : x >= 954 ? src->Pixel(x - 954 + 32, y) : middle->Pixel(x - 8, y);
            if (shot->Pixel(x, y) != want && ++wrong < 5) ADD_FAILURE() << "pixel " << x << "," << y;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(BmpPanelTest, PanelOfTheGlyphsSizeShowsTheGlyphWithItsCentreFilled) {
    auto src = Source(40, 40);
    panel.SetBounds(0, 0, 40, 40);
    panel.SetColor(clYellow);
    panel.SetGlyph(src.get());
    Margins(17, 17, 17, 17);
    auto shot = wtest::Snapshot(host);
    EXPECT_EQ(shot->Pixel(5, 20), src->Pixel(5, 20));
    EXPECT_EQ(shot->Pixel(20, 39), src->Pixel(20, 39));
    EXPECT_EQ(shot->Pixel(20, 20), clYellow);
}

TEST_F(BmpPanelTest, ZeroMarginsFillEverythingAndTransparentFillsNothing) {
    auto src = Source(40, 40);
    panel.SetBounds(0, 0, 100, 50);
    panel.SetColor(clYellow);
    panel.SetGlyph(src.get());
    EXPECT_EQ(panel.GlyphLayout().PieceCount(), 8);
    auto shot = wtest::Snapshot(host);
    EXPECT_EQ(wtest::CountPixels(*shot, clYellow), 100 * 50);
    panel.SetTransparent(true); // no erase, no centre: the window below shows
    shot = wtest::Snapshot(host);
    EXPECT_EQ(shot->Pixel(50, 25), kHost);
}

TEST_F(BmpPanelTest, FailingCutShowsThePiecesSizeAndDrawsNoFrame) {
    panel.SetBounds(0, 0, 100, 50);
    panel.SetColor(clYellow);
    TBitmap empty;
    panel.SetGlyph(&empty); // an empty glyph that has been set
    Margins(17, 17, 17, 17);
    // Each margin cuts anew; a piece with a negative side fails when its height is set, so the
    // message shows the computed width and 0: the right edge (17 x -17), then the top edge
    // (-17 x 17), then the left edge (17 x -34).
    EXPECT_EQ(g_messages, (std::vector<std::wstring>{L"17   0", L"-17   0", L"17   0"}));
    EXPECT_LT(panel.GlyphLayout().PieceCount(), 8);
    // Nothing of the frame: the canvas stays as it was, centre included.
    TBitmap target;
    target.SetSize(100, 50);
    target.Canvas().Brush().SetColor(clBlue);
    target.Canvas().FillRect(RECT{0, 0, 100, 50});
    target.Canvas().Brush().SetColor(clRed);
    panel.GlyphLayout().DrawFrame(target.Canvas(), RECT{0, 0, 100, 50}, false);
    EXPECT_EQ(wtest::CountPixels(target, clBlue), 100 * 50);
}

TEST_F(BmpPanelTest, NeverLoadedGlyphHasNoPiecesAndDrawsNothing) {
    Margins(17, 17, 17, 17);
    EXPECT_EQ(panel.GlyphLayout().PieceCount(), 0);
    EXPECT_TRUE(g_messages.empty());
    TBitmap target;
    target.SetSize(60, 60);
    target.Canvas().Brush().SetColor(clBlue);
    target.Canvas().FillRect(RECT{0, 0, 60, 60});
    panel.GlyphLayout().DrawFrame(target.Canvas(), RECT{0, 0, 60, 60}, false);
    EXPECT_EQ(wtest::CountPixels(target, clBlue), 60 * 60);
}

TEST_F(BmpPanelTest, DrawingOnTheGlyphCutsAgain) {
    auto src = Source(40, 40);
    panel.SetBounds(0, 0, 100, 50);
    panel.SetGlyph(src.get());
    Margins(17, 17, 17, 17);
    panel.Glyph().Canvas().Brush().SetColor(clRed);
    panel.Glyph().Canvas().FillRect(RECT{0, 0, 40, 40});
    auto shot = wtest::Snapshot(host);
    EXPECT_EQ(shot->Pixel(0, 0), clRed);
    EXPECT_EQ(shot->Pixel(99, 49), clRed);
    panel.SetGlyph(nullptr); // writing nothing empties the bitmap: the cut fails on the margins
    EXPECT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(panel.Glyph().Width(), 0);
}

TEST(TGlyphLayout, SameMarginCutsNothingAndAssignmentCutsOnce) {
    TBitmap src;
    src.SetSize(40, 40);
    TGlyphLayout layout;
    int changes = 0;
    layout.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &layout);
        ++changes;
    };
    layout.SetSource(&src);
    layout.SetLeft(17);
    layout.SetLeft(17);
    EXPECT_EQ(changes, 2);

    TGlyphLayout other;
    TBitmap otherSource;
    otherSource.SetSize(20, 20);
    other.SetSource(&otherSource);
    other.SetTop(3);
    other.SetBottom(4);
    other.SetLeft(5);
    other.SetRight(6);
    changes = 0;
    layout.Assign(&other);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(layout.Margins(), (frame::Margins{5, 3, 6, 4}));
    EXPECT_EQ(layout.Source(), &src); // the source is not taken over
    EXPECT_EQ(layout.PieceCount(), 8);
}

TEST(TGlyphLayout, AssigningAnythingElseRaisesTheConversionError) {
    TBmpPanel panel(nullptr);
    panel.GlyphLayout().SetLeft(7);
    try {
        panel.SetGlyphLayout(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"Cannot assign a nil to a TGlyphLayout");
    }
    TBitmap bitmap;
    try {
        panel.SetGlyphLayout(&bitmap);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"Cannot assign a TBitmap to a TGlyphLayout");
    }
    EXPECT_EQ(panel.GlyphLayout().Left(), 7);
}

TEST(TBmpPanelLayout, BorderWidthInsetsTheBrowserFrame) {
    wtest::TestHost host(300, 200);
    TBmpPanel frameP(nullptr);
    frameP.SetParent(&host);
    frameP.SetBevelOuter(bvNone);
    frameP.SetBorderWidth(5);
    frameP.SetAlign(alClient);
    TPanel inner(nullptr);
    inner.SetParent(&frameP);
    inner.SetAlign(alClient);
    EXPECT_EQ(inner.BoundsRect().left, 5);
    EXPECT_EQ(inner.BoundsRect().top, 5);
    EXPECT_EQ(inner.Width(), 290);
    EXPECT_EQ(inner.Height(), 190);
}
