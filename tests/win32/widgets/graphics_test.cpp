// Bitmaps, fonts, image lists, pop-up menus and the message dialog of the framework.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Dialogs.h"
#include "framework/GraphicControl.h"
#include "framework/Hooks.h"
#include "framework/ImageList.h"
#include "framework/PopupMenu.h"
#include "resources/resource.h"
#include "tests/win32/widgets/WidgetTestSupport.h"

TEST(TBitmap, SizeIsSetOneSideAtATimeAndANegativeSizeFailsWhenItIsCompleted) {
    TBitmap bmp;
    int changes = 0;
    bmp.OnChange = [&](TObject*) { ++changes; };
    bmp.SetWidth(-5); // no pixels yet: stored as it is
    EXPECT_EQ(bmp.Width(), -5);
    EXPECT_TRUE(bmp.Empty());
    EXPECT_THROW(bmp.SetHeight(17), EOutOfResources);
    EXPECT_EQ(bmp.Height(), 0);
    bmp.SetSize(3, 2);
    EXPECT_FALSE(bmp.Empty());
    EXPECT_EQ(changes, 2);
    bmp.Canvas().Brush().SetColor(clRed);
    bmp.Canvas().FillRect(RECT{0, 0, 3, 2}); // drawing is a change
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(bmp.Pixel(2, 1), clRed);
    bmp.Dormant(); // gives up the DC only: no change, pixels stay
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(bmp.Pixel(2, 1), clRed);
    bmp.Assign(nullptr); // assigning nothing empties it
    EXPECT_TRUE(bmp.Empty());
    EXPECT_EQ(changes, 4);
}

TEST(TBitmap, TransparentColourIsTheBottomLeftPixelAndDrawingLeavesItOut) {
    TBitmap glyph;
    glyph.SetSize(2, 2);
    glyph.SetPixel(0, 0, clRed);
    glyph.SetPixel(1, 0, clBlue);
    glyph.SetPixel(0, 1, clLime); // bottom-left
    glyph.SetPixel(1, 1, clLime);
    EXPECT_EQ(glyph.TransparentColor(), clLime);
    glyph.SetTransparent(true);
    TBitmap target;
    target.SetSize(4, 4);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect(RECT{0, 0, 4, 4});
    target.Canvas().Draw(1, 1, glyph);
    EXPECT_EQ(target.Pixel(1, 1), clRed);
    EXPECT_EQ(target.Pixel(2, 1), clBlue);
    EXPECT_EQ(target.Pixel(1, 2), clWhite);
    TBitmap copy;
    copy.Assign(&glyph); // takes the marking over
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.Pixel(1, 0), clBlue);
}

TEST(TBitmap, LoadsTheProgramsArtworkByNumber) {
    TBitmap strip;
    strip.LoadFromResourceID(nullptr, IDB_MAIN_CLOSE);
    EXPECT_EQ(strip.Width(), 140);
    EXPECT_EQ(strip.Height(), 25);
    EXPECT_EQ(strip.PixelFormat(), pf24bit);
    EXPECT_THROW(strip.LoadFromResourceID(nullptr, 9999), EResNotFound);
    EXPECT_EQ(strip.Width(), 140); // a failed load leaves the picture
}

TEST(TFont, MakesItsGdiFontOncePerChangeAndSharesItThroughAssign) {
    TFont a, b;
    a.SetName(L"Tahoma");
    a.SetHeight(-12);
    HFONT first = a.Handle();
    EXPECT_EQ(a.Handle(), first);
    b.Assign(&a);
    EXPECT_EQ(b.Handle(), first); // shared, not made again
    a.SetColor(clRed);            // the colour is not part of the GDI font
    EXPECT_EQ(a.Handle(), first);
    b.SetHeight(-13);
    EXPECT_NE(b.Handle(), first);
    EXPECT_EQ(a.Handle(), first); // still alive for a
    LOGFONTW lf{};
    ASSERT_TRUE(::GetObjectW(b.Handle(), sizeof(lf), &lf));
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Tahoma");
}

TEST(TImageList, DrawsThroughTheMaskOfItsTransparentColour) {
    TImageList list(nullptr, 3, 1);
    TBitmap image;
    image.SetSize(3, 1);
    image.SetPixel(0, 0, clRed);
    image.SetPixel(1, 0, clFuchsia);
    image.SetPixel(2, 0, clBlack); // black stays opaque
    EXPECT_EQ(list.AddMasked(image, clFuchsia), 0);
    EXPECT_EQ(image.Pixel(1, 0), clFuchsia); // the caller's bitmap is not changed
    EXPECT_EQ(list.AddMasked(image, clRed), 1);
    EXPECT_EQ(list.Count(), 2);
    TBitmap target;
    target.SetSize(3, 2);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect(RECT{0, 0, 3, 2});
    list.Draw(target.Canvas(), 0, 0, 0);
    list.Draw(target.Canvas(), 0, 1, 1);
    list.Draw(target.Canvas(), 0, 1, 2); // beyond the list: nothing
    EXPECT_EQ(target.Pixel(0, 0), clRed);
    EXPECT_EQ(target.Pixel(1, 0), clWhite);
    EXPECT_EQ(target.Pixel(2, 0), clBlack);
    EXPECT_EQ(target.Pixel(0, 1), clWhite);
    EXPECT_EQ(target.Pixel(1, 1), clFuchsia);
    list.SetSize(4, 4);
    EXPECT_EQ(list.Count(), 0);
}

namespace {
UINT g_command = 0;
UINT Choose(HMENU menu, int, int, HWND) {
    EXPECT_EQ(::GetMenuItemCount(menu), 3); // the hidden item is left out
    return g_command;
}
std::vector<std::wstring> g_boxes;
int Record(HWND, const wchar_t* text, const wchar_t* caption, UINT flags) {
    g_boxes.push_back(std::wstring(caption) + L"|" + text + L"|" + std::to_wstring(flags));
    return IDOK;
}
std::wstring Title() { return L"客户订货系统"; }
} // namespace

TEST(TPopupMenu, RunsTheChosenItemAfterTheMenuCloses) {
    TPopupMenu menu(nullptr);
    TMenuItem support(nullptr), line(nullptr), hidden(nullptr), exitItem(nullptr);
    support.SetCaption(L"技术支持");
    line.SetCaption(L"-");
    hidden.SetCaption(L"hidden");
    hidden.SetVisible(false);
    exitItem.SetCaption(L"退出系统");
    for (TMenuItem* i : {&support, &line, &hidden, &exitItem}) menu.Items().Add(i);
    int exits = 0;
    exitItem.OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, &exitItem);
        ++exits;
    };
    TPopupMenu::trackHook = Choose;
    g_command = 2; // the second command: separators carry none
    EXPECT_EQ(menu.Popup(10, 10), &exitItem);
    g_command = 0; // closed without a choice
    EXPECT_EQ(menu.Popup(10, 10), nullptr);
    TPopupMenu::trackHook = nullptr;
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(line.IsLine());
}

TEST(ShowMessage, UsesTheApplicationTitleAndAnOkButton) {
    g_boxes.clear();
    hooks::messageBox = Record;
    fw::SetMessageTitleSource(Title);
    ShowMessage(L"17   0");
    fw::SetMessageTitleSource(nullptr);
    hooks::ResetAll();
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0], L"客户订货系统|17   0|0");
}

TEST(Hints, OneToolPerHintedControlOnTheTopLevelWindowsTooltip) {
    wtest::TestHost host(100, 50);
    TGraphicControl hinted(nullptr), plain(nullptr);
    hinted.SetParent(&host);
    hinted.SetBounds(0, 0, 20, 20);
    plain.SetParent(&host);
    plain.SetHint(L"never shown"); // ShowHint off
    hinted.SetHint(L"关闭");
    hinted.SetShowHint(true);
    HWND tip = host.TooltipWindow(false);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[32]{};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = host.Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(&hinted);
    ti.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(std::wstring(text), L"关闭");
    hinted.Hide();
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
}
