// The image button's rules that need no window.
#include <gtest/gtest.h>

#include <vector>

#include "widgets/ButtonLayout.h"

using namespace btn;

TEST(ButtonStrip, CountsAndCutsFrames) {
    struct Case {
        int width, height, frames, frameWidth;
    };
    const Case cases[] = {
        {140, 25, 4, 35}, {100, 25, 4, 25}, {50, 25, 2, 25},  {25, 25, 1, 25},
        {150, 25, 1, 150}, // more than four squares: one image, the whole strip
        {130, 25, 4, 32},  // not a multiple: four frames, the last two columns unused
        {75, 25, 3, 25},   {356, 24, 4, 89}, {120, 25, 4, 30}, {124, 25, 4, 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        EXPECT_EQ(FrameCountForStrip(c.width, c.height), c.frames);
        EXPECT_EQ(FrameWidth(c.width, c.frames), c.frameWidth);
    }
    EXPECT_EQ(FrameCountForStrip(0, 25), 0); // empty: the count stays as it was
    EXPECT_EQ(FrameCountForStrip(25, 0), 0);
}

TEST(ButtonStrip, FrameChoiceForEveryStateAndCount) {
    // States: normal, hover, pressed, latched, disabled (disabled with the mouse over and down).
    const ButtonState normal{true, false, false, false};
    const ButtonState hover{true, true, false, false};
    const ButtonState pressed{true, true, true, false};
    const ButtonState latched{true, false, false, true};
    const ButtonState disabled{false, true, true, true};
    struct Case {
        int numGlyphs;
        int entries[5]; // normal, hover, pressed, latched, disabled
    };
    const Case cases[] = {
        {1, {0, 0, 0, 0, 0}},
        {2, {0, 1, 1, 0, 0}},
        {3, {0, 0, 2, 2, 0}}, // the middle frame is never shown
        {4, {0, 1, 2, 2, 3}},
    };
    const ButtonState states[] = {normal, hover, pressed, latched, disabled};
    for (const Case& c : cases)
        for (int s = 0; s < 5; ++s)
            EXPECT_EQ(GlyphEntry(c.numGlyphs, states[s]), c.entries[s]) << c.numGlyphs << " frames, state " << s;
}

TEST(ButtonLayout, GlyphSitsOppositeTheCaption) {
    // Button 101 x 61, frame 40 x 40, spacing 2.
    struct Case {
        TV2TextAlign align;
        Point glyph;
    };
    const Case cases[] = {
        {ttaTopLeft, {30, 19}},    {ttaTop, {30, 19}},    {ttaTopRight, {30, 19}},
        {ttaRight, {2, 10}},       {ttaBottomRight, {30, 2}}, {ttaBottom, {30, 2}},
        {ttaBottomLeft, {30, 2}},  {ttaLeft, {59, 10}},   {ttaCenter, {30, 10}},
    };
    for (const Case& c : cases) EXPECT_EQ(GlyphOrigin(c.align, 101, 61, 40, 40, 2), c.glyph) << int(c.align);
}

TEST(ButtonLayout, CaptionPlacementAroundTheGlyph) {
    // Button 101 x 61, caption 31 x 13, spacing 2; glyph 40 x 40 where GlyphOrigin puts it.
    struct Case {
        TV2TextAlign align;
        Point offset;
    };
    const Case cases[] = {
        {ttaTopLeft, {2, 4}},       {ttaTop, {35, 4}},        {ttaTopRight, {68, 4}},
        {ttaRight, {68, 24}},       {ttaBottomRight, {68, 44}}, {ttaBottom, {35, 44}},
        {ttaBottomLeft, {2, 44}},   {ttaLeft, {2, 24}},       {ttaCenter, {35, 24}},
    };
    for (const Case& c : cases) {
        const Point g = GlyphOrigin(c.align, 101, 61, 40, 40, 2);
        EXPECT_EQ(CaptionOffset(c.align, 101, 61, 31, 13, g, 40, 2), c.offset) << int(c.align);
    }
    // Centring halves each side separately: caption and glyph centres can differ by one pixel.
    EXPECT_EQ(CaptionOffset(ttaCenter, 100, 61, 31, 13, {}, 40, 2).x, 35); // 50 - 15
    EXPECT_EQ(GlyphOrigin(ttaCenter, 100, 61, 31, 13, 2).x, 34);           // 69 / 2
    EXPECT_EQ(Half(-7), -3); // rounds toward zero
}

TEST(ButtonBorder, StylesNotPressed) {
    struct Case {
        TV2FrameStyle style;
        bool flat, mouseInside;
        int frames;
        FrameColors outer, inner;
    };
    const Case cases[] = {
        {fsRegular, false, false, 2, {bcHighlight, bcBlack}, {bcLightGrey, bcShadow}},
        {fsRegular, true, false, 0, {}, {}},
        {fsRegular, true, true, 2, {bcHighlight, bcBlack}, {bcLightGrey, bcShadow}},
        {fsIndent, false, false, 2, {bcShadow, bcHighlight}, {bcHighlight, bcShadow}},
        {fsExplorer, false, false, 0, {}, {}}, // only under the mouse, flat or not
        {fsExplorer, true, true, 1, {bcHighlight, bcShadow}, {}},
        {fsNone, false, true, 0, {}, {}},
        {fsLight, false, false, 1, {bcHighlight, bcShadow}, {}},
        {fsDark, true, true, 1, {bcFace, bcDarkShadow}, {}},
        {fsMono, false, false, 1, {bcHighlight, bcDarkShadow}, {}},
    };
    for (const Case& c : cases) {
        BorderInput in;
        in.style = c.style;
        in.flat = c.flat;
        in.mouseInside = c.mouseInside;
        const BorderPlan p = PlanBorder(in);
        SCOPED_TRACE(int(c.style));
        ASSERT_EQ(p.frames, c.frames);
        if (p.frames >= 1) { EXPECT_EQ(p.outer, c.outer); }
        if (p.frames >= 2) { EXPECT_EQ(p.inner, c.inner); }
    }
}

TEST(ButtonBorder, StylesPressed) {
    struct Case {
        TV2FrameStyle style;
        bool showPressed, mouseInside, down;
        int frames;
        FrameColors outer, inner;
    };
    const Case cases[] = {
        {fsRegular, true, false, false, 2, {bcBlack, bcHighlight}, {bcShadow, bcFace}},
        {fsRegular, false, true, false, 0, {}, {}},
        {fsIndent, true, false, false, 2, {bcBlack, bcHighlight}, {bcShadow, bcFace}},
        {fsExplorer, true, true, false, 1, {bcShadow, bcHighlight}, {}},
        {fsExplorer, false, true, false, 1, {bcHighlight, bcShadow}, {}},
        {fsExplorer, true, false, true, 1, {bcShadow, bcHighlight}, {}},
        {fsExplorer, true, false, false, 0, {}, {}},
        {fsNone, true, true, true, 0, {}, {}},
        {fsLight, true, false, false, 1, {bcShadow, bcHighlight}, {}},
        {fsDark, true, false, false, 1, {bcDarkShadow, bcFace}, {}},
        {fsMono, true, false, false, 1, {bcDarkShadow, bcHighlight}, {}},
        {fsMono, false, true, false, 0, {}, {}},
    };
    for (const Case& c : cases) {
        BorderInput in;
        in.style = c.style;
        in.pressed = true;
        in.showPressed = c.showPressed;
        in.mouseInside = c.mouseInside;
        in.down = c.down;
        const BorderPlan p = PlanBorder(in);
        SCOPED_TRACE(int(c.style));
        ASSERT_EQ(p.frames, c.frames);
        if (p.frames >= 1) { EXPECT_EQ(p.outer, c.outer); }
        if (p.frames >= 2) { EXPECT_EQ(p.inner, c.inner); }
    }
}

TEST(ButtonBorder, WidthZeroDrawsNothingButTheDesignOutline) {
    BorderInput in;
    in.style = fsLight;
    in.flat = false;
    in.borderWidth = 0;
    EXPECT_EQ(PlanBorder(in).frames, 0);
    in.style = fsNone;
    in.designing = true;
    const BorderPlan outline = PlanBorder(in);
    EXPECT_EQ(outline.frames, 1);
    EXPECT_EQ(outline.rings, 1);
    EXPECT_EQ(outline.outer, (FrameColors{bcBlack, bcBlack}));
    in.borderWidth = 2;
    in.style = fsRegular;
    EXPECT_EQ(PlanBorder(in).rings, 2);
}

TEST(ButtonBorder, RingCornersTakeTheBottomColour) {
    const RingStrips s = RingOf({0, 0, 5, 4});
    EXPECT_EQ(s.leftColumn, (Rect{0, 0, 1, 3}));  // bottom-left pixel (0, 3) is left to the bottom row
    EXPECT_EQ(s.topRow, (Rect{0, 0, 4, 1}));      // top-right pixel (4, 0) is left to the right column
    EXPECT_EQ(s.rightColumn, (Rect{4, 0, 5, 4}));
    EXPECT_EQ(s.bottomRow, (Rect{0, 3, 5, 4}));
}

TEST(ButtonCopies, GreyWeightsRedElevenGreenFiftyNineBlueThirty) {
    EXPECT_EQ(GreyLevel(255, 0, 0), 28);
    EXPECT_EQ(GreyLevel(0, 255, 0), 150);
    EXPECT_EQ(GreyLevel(0, 0, 255), 76);
    EXPECT_EQ(GreyLevel(255, 255, 255), 255);
    EXPECT_EQ(GreyLevel(10, 20, 30), (110 + 1180 + 900) / 100);
    EXPECT_EQ(GreyPixel(0x00FF0000u), 0x001C1C1Cu); // 0x00RRGGBB: pure red
}

TEST(ButtonCopies, EmbossStampsHighlightThenShadow) {
    const std::uint32_t bg = 0x00123456, white = 0x00FFFFFF, ink = 0x00800000;
    // 4 x 3 frame; the shape is (1,0) and (1,1); white counts as background.
    const std::vector<std::uint32_t> f{bg, ink, white, bg, //
                                       bg, ink, bg, bg,    //
                                       white, bg, bg, bg};
    std::vector<std::uint32_t> out(f.size());
    const std::uint32_t F = 1, H = 2, S = 3;
    MakeEmbossedCopy(f.data(), 4, 3, F, H, S, out.data());
    const std::vector<std::uint32_t> expected{F, S, F, F, //
                                              F, S, H, F, // highlight at (2,1) from (1,0)
                                              F, F, H, F};
    EXPECT_EQ(out, expected);
}

TEST(ButtonAccelerator, CharacterAfterTheLastSingleAmpersand) {
    EXPECT_EQ(AcceleratorOf(L"&OK"), L'O');
    EXPECT_EQ(AcceleratorOf(L"Save && &Quit"), L'Q');
    EXPECT_EQ(AcceleratorOf(L"&a&b"), L'b');
    EXPECT_EQ(AcceleratorOf(L"a&&b"), 0);
    EXPECT_EQ(AcceleratorOf(L"&&&x"), L'x');
    EXPECT_EQ(AcceleratorOf(L"end&"), 0);
    EXPECT_EQ(AcceleratorOf(L"登陆(&L)"), L'L');
    EXPECT_TRUE(IsAccelerator(L'o', L"&Open"));
    EXPECT_TRUE(IsAccelerator(L'O', L"&open"));
    EXPECT_FALSE(IsAccelerator(L'p', L"&Open"));
    EXPECT_FALSE(IsAccelerator(L'a', L"a&&b"));
}
