// The menu styler: which menus it takes over, the item sizes it reports, and the pixels it draws
// for a plain item, a selected one and a separator.
#include "framework/Canvas.h"
#include "framework/MenuStyler.h"
#include "framework/PopupMenu.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using menustyle::Lighten;

// A 32-bit top-down DIB section in a memory DC: the surface a menu item is drawn on.
class Surface {
public:
    Surface(int width, int height) : width_(width) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = ::CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = ::SelectObject(dc_, bitmap_);
        canvas.SetHandle(dc_);
    }
    ~Surface() {
        canvas.SetHandle(nullptr);
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    COLORREF Pixel(int x, int y) const {
        ::GdiFlush();
        const DWORD p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    TCanvas canvas;

private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_ = nullptr;
};

int ScreenDepth() {
    HDC screen = ::GetDC(nullptr);
    const int bpp = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
    ::ReleaseDC(nullptr, screen);
    return bpp;
}

class MenuStylerTest : public ::testing::Test {
protected:
    MenuStylerTest() {
        item.SetCaption(L"技术支持");
        line.SetCaption(L"-");
        menu.Items().Add(&item);
        menu.Items().Add(&line);
        styler.SetActive(true);
    }
    TComponent form;
    TPopupMenu menu{&form};
    TMenuItem item{&menu};
    TMenuItem line{&menu};
    TMenuStyler styler{&form};
};

} // namespace

TEST_F(MenuStylerTest, TakesOverTheMenusOfItsOwnerWhileActive) {
    EXPECT_EQ(menu.ItemDrawer(), &styler);
    EXPECT_TRUE(menu.OwnerDraw());

    TComponent elsewhere;
    TPopupMenu foreign(&elsewhere);
    styler.SetActive(false);
    styler.SetActive(true);
    EXPECT_EQ(foreign.ItemDrawer(), nullptr) << "only the owner's menus";

    styler.SetActive(false);
    EXPECT_EQ(menu.ItemDrawer(), nullptr);
    EXPECT_FALSE(menu.OwnerDraw());
}

TEST(MenuStyler, MenusAndStylerMayDieInEitherOrder) {
    TComponent form;
    auto menu = std::make_unique<TPopupMenu>(&form);
    {
        TMenuStyler styler(&form);
        styler.SetActive(true);
        EXPECT_EQ(menu->ItemDrawer(), &styler);
    }
    EXPECT_EQ(menu->ItemDrawer(), nullptr);

    TMenuStyler styler(&form);
    styler.SetActive(true);
    menu.reset();
    styler.SetActive(false); // must not touch the dead menu
}

TEST_F(MenuStylerTest, MeasuresTheIconColumnCaptionAndMargins) {
    Surface s(10, 10);
    ::SelectObject(s.canvas.Handle(), styler.MenuFont().Handle());
    SIZE text{};
    ::GetTextExtentPoint32W(s.canvas.Handle(), item.Caption().c_str(), static_cast<int>(item.Caption().size()), &text);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(s.canvas.Handle(), &tm);
    ::SelectObject(s.canvas.Handle(), ::GetStockObject(SYSTEM_FONT));

    int width = 0, height = 0;
    styler.MeasureItem(item, s.canvas, width, height);
    EXPECT_EQ(width, 24 + menustyle::kTextGap + text.cx + menustyle::kRightMargin);
    EXPECT_EQ(height, std::max<int>(tm.tmHeight + menustyle::kTextPadding, 22));

    styler.MeasureItem(line, s.canvas, width, height);
    EXPECT_EQ(height, menustyle::kSeparatorHeight);
}

TEST_F(MenuStylerTest, DrawsThePlainItemTheSelectionBoxAndTheSeparator) {
    if (ScreenDepth() <= 15) GTEST_SKIP() << "lightened colours are for deeper displays";
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const int w = 140, h = 22;
    Surface s(w, 3 * h);

    styler.DrawItem(item, s.canvas, RECT{0, 0, w, h}, 0);
    EXPECT_EQ(s.Pixel(1, 1), Lighten(face, 16)) << "icon column";
    EXPECT_EQ(s.Pixel(23, h - 1), Lighten(face, 16));
    EXPECT_EQ(s.Pixel(24, 1), Lighten(face, 86)) << "item background";
    EXPECT_EQ(s.Pixel(w - 1, h - 1), Lighten(face, 86));
    bool text = false;
    for (int x = 32; x < w - 16 && !text; ++x)
        for (int y = 0; y < h && !text; ++y) text = s.Pixel(x, y) != Lighten(face, 86);
    EXPECT_TRUE(text) << "the caption is drawn";

    styler.DrawItem(item, s.canvas, RECT{0, h, w, 2 * h}, odSelected);
    EXPECT_EQ(s.Pixel(0, h), highlight) << "selection border";
    EXPECT_EQ(s.Pixel(w - 1, 2 * h - 1), highlight);
    EXPECT_EQ(s.Pixel(1, h + 1), Lighten(highlight, 68)) << "selection fill, icon column included";
    EXPECT_EQ(s.Pixel(w - 2, 2 * h - 2), Lighten(highlight, 68));

    const int sep = menustyle::kSeparatorHeight;
    styler.DrawItem(line, s.canvas, RECT{0, 2 * h, w, 2 * h + sep}, 0);
    const int lineY = 2 * h + sep / 2;
    EXPECT_EQ(s.Pixel(40, lineY), ::GetSysColor(COLOR_BTNSHADOW)) << "separator line";
    EXPECT_EQ(s.Pixel(40, lineY - 1), Lighten(face, 86));
    EXPECT_EQ(s.Pixel(10, lineY), Lighten(face, 16)) << "the icon column goes on through separators";
}

TEST_F(MenuStylerTest, WithoutDrawSelectASelectedItemLooksPlain) {
    styler.SetDrawSelect(false);
    Surface s(100, 22);
    styler.DrawItem(item, s.canvas, RECT{0, 0, 100, 22}, odSelected);
    EXPECT_EQ(s.Pixel(0, 0), Lighten(::GetSysColor(COLOR_BTNFACE), 16));
}

TEST_F(MenuStylerTest, TheMenuFontIsTheSystemsWithTheOldFaceReplaced) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_EQ(styler.MenuFont().Name(), std::wstring(menustyle::MenuFontFace(metrics.lfMenuFont.lfFaceName)));
    EXPECT_EQ(styler.MenuFont().Height(), metrics.lfMenuFont.lfHeight);
}
