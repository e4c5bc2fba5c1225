// The image button painted into bitmaps and driven by real mouse and key messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/widgets/WidgetTestSupport.h"
#include "widgets/v2TransBtn.h"

namespace {

const TColor kHost = MakeColor(10, 200, 30);
const TColor kKey = MakeColor(255, 0, 255);
const TColor kFrames[4] = {MakeColor(200, 0, 0), MakeColor(0, 0, 200), MakeColor(0, 150, 0),
                           MakeColor(100, 100, 0)};

class ButtonTest : public testing::Test {
protected:
    wtest::TestHost host{120, 80, kHost};
    TV2TransparentButton button{nullptr};

    void SetUp() override {
        button.SetParent(&host);
        button.SetFrameStyle(fsNone);
    }
    void LoadStrip(int frameWidth, int height, int frames, int extra = 0) {
        auto strip = wtest::MakeStrip(frameWidth, height, frames, kFrames, kKey, extra);
        button.SetGlyph(strip.get());
    }
    std::unique_ptr<TBitmap> Shot() { return wtest::Snapshot(host); }
    TColor Centre() {
        auto s = Shot();
        return s->Pixel(button.Left() + button.Width() / 2, button.Top() + button.Height() / 2);
    }
    void Move(int x, int y, WPARAM keys = 0) { wtest::Mouse(host, WM_MOUSEMOVE, x, y, keys); }
};

} // namespace

TEST_F(ButtonTest, StripsCountTheirFramesAndSizeTheButton) {
    struct Case {
        int width, height, frames, frameWidth;
    };
    const Case cases[] = {{140, 25, 4, 35}, {100, 25, 4, 25}, {50, 25, 2, 25},
                          {25, 25, 1, 25},  {150, 25, 1, 150}, {130, 25, 4, 32}};
    button.SetAutoSize(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        TBitmap strip;
        strip.SetSize(c.width, c.height);
        button.SetGlyph(&strip);
        EXPECT_EQ(button.NumGlyphs(), c.frames);
        EXPECT_EQ(button.GlyphList().Width(), c.frameWidth);
        EXPECT_EQ(button.GlyphList().Height(), c.height);
        EXPECT_EQ(button.GlyphList().Count(), c.frames + 2); // frames, grey copy, embossed copy
        button.SetBounds(0, 0, 1, 1);                          // the next bounds change sizes it
        EXPECT_EQ(button.Width(), c.frameWidth);
        EXPECT_EQ(button.Height(), c.height);
    }
    // A stored count of 4 after a four-frame strip changes nothing.
    TBitmap strip;
    strip.SetSize(140, 25);
    button.SetGlyph(&strip);
    button.SetNumGlyphs(4);
    EXPECT_EQ(button.GlyphList().Count(), 6);
}

TEST_F(ButtonTest, EachStateShowsItsFrameThroughItsTransparentColour) {
    LoadStrip(35, 25, 4);
    button.SetAutoSize(true);
    button.SetBounds(10, 10, 0, 0);
    ASSERT_EQ(button.Width(), 35);
    EXPECT_EQ(Centre(), kFrames[0]);
    EXPECT_EQ(Shot()->Pixel(10, 20), kHost); // the frame's key column shows the window

    Move(20, 20); // hover
    EXPECT_TRUE(button.MouseInside());
    EXPECT_EQ(Centre(), kFrames[1]);
    wtest::Mouse(host, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_EQ(Centre(), kFrames[2]);
    wtest::Mouse(host, WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(Centre(), kFrames[1]);
    button.SetDown(true); // latched
    EXPECT_EQ(Centre(), kFrames[2]);
    button.SetEnabled(false);
    EXPECT_EQ(Centre(), kFrames[3]);
}

TEST_F(ButtonTest, TheLastColumnsOfAnUnevenStripAreNeverShown) {
    const TColor leftover = MakeColor(1, 2, 3);
    auto strip = wtest::MakeStrip(32, 25, 4, kFrames, kKey, 2, leftover); // 130 x 25
    button.SetGlyph(strip.get());
    button.SetAutoSize(true);
    button.SetBounds(0, 0, 0, 0);
    ASSERT_EQ(button.Width(), 32);
    for (int state = 0; state < 4; ++state) {
        if (state == 1) Move(5, 5);
        if (state == 2) button.SetDown(true);
        if (state == 3) button.SetEnabled(false);
        auto s = Shot();
        EXPECT_EQ(wtest::CountPixels(*s, leftover), 0);
        EXPECT_EQ(s->Pixel(16, 12), kFrames[state]);
    }
}

TEST_F(ButtonTest, OneFrameRaisedToFourReachesTheGreyAndEmbossedCopies) {
    // One square frame: key column at x 0, the rest one colour.
    LoadStrip(25, 25, 1);
    button.SetNumGlyphs(4); // the list keeps frame, grey copy, embossed copy
    button.SetBounds(0, 0, 25, 25);
    EXPECT_EQ(Centre(), kFrames[0]);
    Move(12, 12);
    const int g = (11 * 200 + 59 * 0 + 30 * 0) / 100; // red 200 weighs 11
    EXPECT_EQ(Centre(), MakeColor(g, g, g));
    wtest::Mouse(host, WM_LBUTTONDOWN, 12, 12, MK_LBUTTON);
    // Embossed: the shape (all but the key column) in shadow; the highlight stamped one pixel
    // right and down shows only where the shadow does not cover it: nowhere inside, and the
    // face colour is the embossed copy's transparent colour at the bottom-left.
    EXPECT_EQ(Centre(), wtest::Sys(clBtnShadow));
    wtest::Mouse(host, WM_LBUTTONUP, 12, 12);
    button.SetEnabled(false); // entry 3 does not exist: no glyph
    auto s = Shot();
    EXPECT_EQ(s->Pixel(12, 12), kHost);
}

TEST_F(ButtonTest, EmbossedCopyStampsHighlightBelowRightOfTheShape) {
    // A 10 x 10 frame: white background with a 3 x 3 dark square at (3,3).
    TBitmap strip;
    strip.SetSize(10, 10);
    strip.Canvas().Brush().SetColor(clWhite);
    strip.Canvas().FillRect(RECT{0, 0, 10, 10});
    strip.Canvas().Brush().SetColor(MakeColor(0, 0, 90));
    strip.Canvas().FillRect(RECT{3, 3, 6, 6});
    button.SetGlyph(&strip);
    button.SetNumGlyphs(3); // pressed shows entry 2: the embossed copy of a one-frame list
    button.SetBounds(0, 0, 10, 10);
    Move(5, 5);
    wtest::Mouse(host, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    auto s = Shot();
    EXPECT_EQ(s->Pixel(3, 3), wtest::Sys(clBtnShadow));
    EXPECT_EQ(s->Pixel(5, 5), wtest::Sys(clBtnShadow));
    EXPECT_EQ(s->Pixel(6, 6), wtest::Sys(clBtnHighlight)); // one right and down of the shape
    EXPECT_EQ(s->Pixel(6, 4), wtest::Sys(clBtnHighlight));
    EXPECT_EQ(s->Pixel(1, 1), kHost); // face colour is the copy's transparent colour
}

TEST_F(ButtonTest, CaptionPlacementAroundTheGlyphRectangle) {
    // No glyph ever loaded: the caption goes around a 40 x 40 rectangle.
    button.SetBounds(0, 0, 100, 80);
    button.Font().SetColor(clBlack);
    button.SetCaption(L"Hi");
    const RECT area{0, 0, 100, 80};
    auto centred = wtest::InkBox(*Shot(), clBlack, area);
    ASSERT_LT(centred.left, centred.right);
    const int inkHeight = centred.bottom - centred.top;
    button.SetTextAlign(ttaTop); // above the glyph, which sits at the bottom: y 80 - 40 - 2 = 38
    auto top = wtest::InkBox(*Shot(), clBlack, area);
    EXPECT_LT(top.bottom, 38 - 2 + 1);
    EXPECT_EQ(top.left, centred.left);
    button.SetTextAlign(ttaBottom); // below the glyph at y 2: from 2 + 40 + 2 = 44
    auto bottom = wtest::InkBox(*Shot(), clBlack, area);
    EXPECT_GE(bottom.top, 44);
    EXPECT_EQ(bottom.bottom - bottom.top, inkHeight);
    button.SetTextAlign(ttaLeft); // at the left edge, Spacing from it
    auto left = wtest::InkBox(*Shot(), clBlack, area);
    EXPECT_LT(left.left, centred.left);
    EXPECT_GE(left.left, 2);
    EXPECT_LE(left.left, 4);
    button.SetSpacing(10);
    EXPECT_EQ(wtest::InkBox(*Shot(), clBlack, area).left, left.left + 8);
}

TEST_F(ButtonTest, PressedCaptionMovesByOffsetAndTheGlyphStays) {
    LoadStrip(35, 25, 4);
    button.SetBounds(0, 0, 100, 60);
    button.SetTextAlign(ttaBottom);
    button.Font().SetColor(clBlack);
    button.SetCaption(L"OK");
    const RECT area{0, 0, 100, 60};
    auto before = wtest::InkBox(*Shot(), clBlack, area);
    auto glyphBefore = wtest::InkBox(*Shot(), kFrames[0], area);
    Move(50, 30);
    wtest::Mouse(host, WM_LBUTTONDOWN, 50, 30, MK_LBUTTON);
    auto after = wtest::InkBox(*Shot(), clBlack, area);
    EXPECT_EQ(after.left, before.left + 1);
    EXPECT_EQ(after.top, before.top + 1);
    EXPECT_EQ(wtest::InkBox(*Shot(), kFrames[2], area).left, glyphBefore.left);
    wtest::Mouse(host, WM_LBUTTONUP, 50, 30);
    button.SetShowPressed(false);
    wtest::Mouse(host, WM_LBUTTONDOWN, 50, 30, MK_LBUTTON);
    EXPECT_EQ(wtest::InkBox(*Shot(), clBlack, area).left, before.left);
}

TEST_F(ButtonTest, DisabledCaptionIsEngravedAndWordWrapBreaksAtTheWidth) {
    button.SetBounds(0, 0, 60, 70);
    button.Font().SetColor(clBlack);
    button.SetCaption(L"alpha beta gamma");
    const RECT area{0, 0, 60, 70};
    auto oneLine = wtest::InkBox(*Shot(), clBlack, area);
    button.SetWordWrap(true);
    auto wrapped = wtest::InkBox(*Shot(), clBlack, area);
    EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (oneLine.bottom - oneLine.top));
    EXPECT_LE(wrapped.right, 60);
    button.SetEnabled(false);
    auto s = Shot();
    EXPECT_EQ(wtest::CountPixels(*s, clBlack), 0);
    auto shadow = wtest::InkBox(*s, wtest::Sys(clBtnShadow), area);
    auto light = wtest::InkBox(*s, wtest::Sys(clBtnHighlight), area);
    EXPECT_EQ(light.right, shadow.right + 1);
    EXPECT_EQ(light.bottom, shadow.bottom + 1);
}

TEST_F(ButtonTest, BorderStylesPressedAndNot) {
    button.SetBounds(0, 0, 20, 12);
    button.SetFlat(false);
    const TColor hl = wtest::Sys(clBtnHighlight), sh = wtest::Sys(clBtnShadow),
                 face = wtest::Sys(clBtnFace), dk = wtest::Sys(cl3DDkShadow), grey = MakeColor(223, 223, 223);
    struct Case {
        TV2FrameStyle style;
        bool pressed;
        TColor topLeft, bottomRight, inner; // pixels (0,0), (19,11), (1,1)
    };
    const Case cases[] = {
        {fsRegular, false, hl, clBlack, grey},  {fsRegular, true, clBlack, hl, sh},
        {fsIndent, false, sh, hl, hl},          {fsIndent, true, clBlack, hl, sh},
        {fsLight, false, hl, sh, kHost},        {fsLight, true, sh, hl, kHost},
        {fsDark, false, face, dk, kHost},       {fsDark, true, dk, face, kHost},
        {fsMono, false, hl, dk, kHost},         {fsMono, true, dk, hl, kHost},
        {fsNone, false, kHost, kHost, kHost},   {fsNone, true, kHost, kHost, kHost},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.style) << (c.pressed ? " pressed" : ""));
        button.SetFrameStyle(c.style);
        if (c.pressed) {
            Move(5, 5);
            wtest::Mouse(host, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
        }
        auto s = Shot();
        EXPECT_EQ(s->Pixel(0, 0), c.topLeft);
        EXPECT_EQ(s->Pixel(19, 11), c.bottomRight);
        EXPECT_EQ(s->Pixel(1, 1), c.inner);
        EXPECT_EQ(s->Pixel(19, 0), c.bottomRight); // top-right corner takes the bottom colour
        if (c.pressed) wtest::Mouse(host, WM_LBUTTONUP, 5, 5);
    }
}

TEST_F(ButtonTest, ExplorerFlatBorderFollowsTheMouseAndBorderWidthCountsRings) {
    button.SetBounds(0, 0, 20, 12);
    button.SetFrameStyle(fsExplorer);
    const TColor hl = wtest::Sys(clBtnHighlight);
    EXPECT_EQ(Shot()->Pixel(0, 0), kHost);
    Move(5, 5);
    EXPECT_EQ(Shot()->Pixel(0, 0), hl);
    EXPECT_EQ(Shot()->Pixel(1, 1), kHost);
    button.SetBorderWidth(2);
    EXPECT_EQ(Shot()->Pixel(1, 1), hl);
    button.SetBorderWidth(0);
    EXPECT_EQ(Shot()->Pixel(0, 0), kHost);
}

TEST_F(ButtonTest, TransparentOffFillsTheFaceWithColor) {
    button.SetBounds(0, 0, 20, 12);
    EXPECT_EQ(Centre(), kHost);
    button.SetColor(clYellow);
    EXPECT_EQ(Centre(), kHost); // transparent: nothing filled
    button.SetTransparent(false);
    EXPECT_EQ(Centre(), clYellow);
}

namespace {

struct ClickLog {
    std::vector<std::wstring> events;
    void Bind(TV2TransparentButton& b) {
        b.OnMouseDown = [this, &b](TObject*, TMouseButton m, TShiftState, int, int) {
            events.push_back(Name(L"down", m) + (b.Pressed() ? L" pressed" : L""));
        };
        b.OnMouseUp = [this, &b](TObject*, TMouseButton m, TShiftState, int, int) {
            events.push_back(Name(L"up", m) + (b.Pressed() ? L" pressed" : L""));
        };
        b.OnClick = [this, &b](TObject*) { events.push_back(std::wstring(L"click") + (b.Pressed() ? L" pressed" : L"")); };
    }
    static std::wstring Name(const wchar_t* what, TMouseButton m) {
        return std::wstring(what) + (m == TMouseButton::mbLeft ? L" left" : m == TMouseButton::mbRight ? L" right" : L" middle");
    }
};

} // namespace

TEST_F(ButtonTest, OneLeftClickInOrderAndPressesThatDoNotClick) {
    button.SetBounds(0, 0, 30, 20);
    ClickLog log;
    log.Bind(button);
    wtest::LeftClick(host, 5, 5);
    EXPECT_EQ(log.events, (std::vector<std::wstring>{L"down left", L"click pressed", L"up left pressed"}));
    EXPECT_FALSE(button.Pressed());

    log.events.clear(); // leaving during the press: released look, no click
    wtest::Mouse(host, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Move(50, 5, MK_LBUTTON);
    EXPECT_FALSE(button.Pressed());
    wtest::Mouse(host, WM_LBUTTONUP, 50, 5);
    EXPECT_EQ(log.events, (std::vector<std::wstring>{L"down left", L"up left"}));

    log.events.clear(); // right and middle presses show pressed but do not click
    Move(5, 5);
    wtest::Mouse(host, WM_RBUTTONDOWN, 5, 5, MK_RBUTTON);
    EXPECT_TRUE(button.Pressed());
    wtest::Mouse(host, WM_RBUTTONUP, 5, 5);
    wtest::Mouse(host, WM_MBUTTONDOWN, 5, 5, MK_MBUTTON);
    wtest::Mouse(host, WM_MBUTTONUP, 5, 5);
    EXPECT_EQ(log.events, (std::vector<std::wstring>{L"down right", L"up right pressed", L"down middle", L"up middle pressed"}));
    EXPECT_FALSE(button.Pressed());

    log.events.clear(); // a double click is two clicks
    wtest::LeftClick(host, 5, 5);
    wtest::Mouse(host, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
    wtest::Mouse(host, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), L"click pressed"), 2);
}

TEST_F(ButtonTest, PressReturnsWhenThePointerComesBackDuringTheSamePress) {
    button.SetBounds(0, 0, 30, 20);
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    wtest::Mouse(host, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Move(50, 5, MK_LBUTTON);
    EXPECT_FALSE(button.Pressed());
    Move(6, 5, MK_LBUTTON);
    EXPECT_TRUE(button.Pressed());
    wtest::Mouse(host, WM_LBUTTONUP, 6, 5);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, LatchedButtonClicksButKeepsItsPressedLook) {
    button.SetBounds(0, 0, 30, 20);
    ClickLog log;
    log.Bind(button);
    button.SetDown(true);
    EXPECT_TRUE(button.Pressed());
    wtest::LeftClick(host, 5, 5);
    EXPECT_EQ(log.events, (std::vector<std::wstring>{L"down left pressed", L"click pressed"}));
    EXPECT_TRUE(button.Pressed());
    button.SetDown(false);
    EXPECT_FALSE(button.Pressed());
}

TEST_F(ButtonTest, DisabledButtonIgnoresTheMouseAndForgetsHover) {
    button.SetBounds(0, 0, 30, 20);
    ClickLog log;
    log.Bind(button);
    int enters = 0, exits = 0;
    button.OnMouseEnter = [&](TObject*) { ++enters; };
    button.OnMouseExit = [&](TObject*) { ++exits; };
    Move(5, 5);
    EXPECT_TRUE(button.MouseInside());
    button.SetEnabled(false);
    EXPECT_FALSE(button.MouseInside());
    wtest::LeftClick(host, 5, 5);
    EXPECT_TRUE(log.events.empty());
    button.SetEnabled(true);
    Move(6, 5);
    EXPECT_FALSE(button.MouseInside()); // until the mouse leaves and comes back
    Move(60, 5);
    Move(6, 5);
    EXPECT_TRUE(button.MouseInside());
    EXPECT_EQ(enters, 2);
    EXPECT_EQ(exits, 1); // the leave after enabling; the one while disabled was ignored
}

TEST_F(ButtonTest, HoverWithFlatOffUpdatesStateButRepaintsOnlyLater) {
    button.SetBounds(0, 0, 30, 20);
    button.SetFlat(false);
    int enters = 0, exits = 0;
    button.OnMouseEnter = [&](TObject*) { ++enters; };
    button.OnMouseExit = [&](TObject*) { ++exits; };
    Move(5, 5);
    ::SendMessageW(host.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(button.MouseInside());
}

TEST_F(ButtonTest, AcceleratorClicksEvenWhenHidden) {
    button.SetCaption(L"&OK");
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(::SendMessageW(host.Handle(), WM_SYSCHAR, L'o', 0), 0);
    EXPECT_EQ(::SendMessageW(host.Handle(), WM_SYSCHAR, L'O', 0), 0);
    button.Hide();
    ::SendMessageW(host.Handle(), WM_SYSCHAR, L'o', 0);
    EXPECT_EQ(clicks, 3);
    ::SendMessageW(host.Handle(), WM_SYSCHAR, L'k', 0);
    button.SetEnabled(false);
    ::SendMessageW(host.Handle(), WM_SYSCHAR, L'o', 0);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(button.Perform(CM_DIALOGCHAR, L'o', 0), 0);
}

TEST_F(ButtonTest, AutoSizeWithAnEmptyGlyphShrinksToNothing) {
    button.SetAutoSize(true);
    button.SetBounds(3, 4, 40, 40);
    EXPECT_EQ(button.Width(), 0);
    EXPECT_EQ(button.Height(), 0);
}

namespace {
UINT g_chosen = 0;
POINT g_menuAt{};
UINT ChooseItem(HMENU, int x, int y, HWND) {
    g_menuAt = POINT{x, y};
    return g_chosen;
}
} // namespace

TEST_F(ButtonTest, DropDownMenuOpensBelowAndSwallowsTheClick) {
    button.SetBounds(10, 20, 30, 25);
    TPopupMenu menu(nullptr);
    TMenuItem first(nullptr), second(nullptr);
    first.SetCaption(L"one");
    second.SetCaption(L"two");
    menu.Items().Add(&first);
    menu.Items().Add(&second);
    int chosen = 0;
    second.OnClick = [&](TObject*) { ++chosen; };
    button.SetDropDownMenu(&menu);
    ClickLog log;
    log.Bind(button);
    g_chosen = 2;
    TPopupMenu::trackHook = ChooseItem;
    ::PostMessageW(host.Handle(), WM_LBUTTONUP, 0, wtest::Point(15, 25)); // the release, queued
    wtest::Mouse(host, WM_LBUTTONDOWN, 15, 25, MK_LBUTTON);
    TPopupMenu::trackHook = nullptr;
    POINT corner{10, 45};
    ::ClientToScreen(host.Handle(), &corner);
    EXPECT_EQ(g_menuAt.x, corner.x);
    EXPECT_EQ(g_menuAt.y, corner.y);
    EXPECT_EQ(chosen, 1);
    EXPECT_FALSE(button.Pressed());
    MSG m;
    EXPECT_FALSE(::PeekMessageW(&m, host.Handle(), WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE));
    EXPECT_EQ(log.events, (std::vector<std::wstring>{L"down left", L"up left pressed"}));
}

TEST_F(ButtonTest, ForgetsADestroyedDropDownMenu) {
    auto* menu = new TPopupMenu(nullptr);
    button.SetDropDownMenu(menu);
    delete menu;
    EXPECT_EQ(button.DropDownMenu(), nullptr);
}

TEST_F(ButtonTest, ActionCheckedDrivesDownWhileTheyAgree) {
    TAction action(nullptr);
    int executed = 0;
    action.OnExecute = [&](TObject*) { ++executed; };
    action.SetChecked(true);
    button.SetAction(&action);
    EXPECT_TRUE(button.Down()); // taken over at linking
    action.SetChecked(false);
    EXPECT_FALSE(button.Down());
    EXPECT_FALSE(button.Pressed());
    action.SetChecked(true);
    EXPECT_TRUE(button.Pressed());
    button.Click();
    EXPECT_EQ(executed, 1);
    action.SetEnabled(false);
    EXPECT_FALSE(button.Enabled());
}
