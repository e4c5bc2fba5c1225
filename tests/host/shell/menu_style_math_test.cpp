// The flat menu look's arithmetic: lightening toward white, the palette per colour depth, item
// sizes and the rectangles inside an item, and the menu font's face.
#include "framework/MenuStyleMath.h"

#include <gtest/gtest.h>

#include <string>

using namespace menustyle;

TEST(MenuStyleMath, LightenMovesEachChannelByItsShareOfTheDistanceToWhite) {
    struct Case {
        Rgb color;
        int percent;
        Rgb expected;
    };
    const Case cases[] = {
        {MakeRgb(0, 0, 0), 86, MakeRgb(219, 219, 219)},       // 255 * 0.86 = 219.3
        {MakeRgb(212, 208, 200), 86, MakeRgb(249, 248, 247)}, // 43, 47, 55 -> +37, +40, +47
        {MakeRgb(212, 208, 200), 16, MakeRgb(219, 216, 209)}, // +6.9, +7.5, +8.8
        {MakeRgb(10, 36, 106), 68, MakeRgb(177, 185, 207)},   // +166.6, +148.9, +101.3
        {MakeRgb(1, 2, 3), 0, MakeRgb(1, 2, 3)},
        {MakeRgb(1, 2, 3), 100, MakeRgb(255, 255, 255)},
        {MakeRgb(255, 255, 255), 50, MakeRgb(255, 255, 255)},
        {MakeRgb(100, 0, 0), 150, MakeRgb(255, 255, 255)}, // shares beyond the range are clamped
        {MakeRgb(100, 0, 0), -5, MakeRgb(100, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lighten(c.color, c.percent), c.expected)
            << std::hex << c.color << " by " << std::dec << c.percent;
}

TEST(MenuStyleMath, PaletteIsLightenedOnDeepDisplaysAndPlainOnShallowOnes) {
    const SystemColors sys{MakeRgb(212, 208, 200), MakeRgb(128, 128, 128), MakeRgb(10, 36, 106),
                           MakeRgb(255, 255, 255), MakeRgb(0, 0, 0),       MakeRgb(122, 150, 223)};
    const Palette deep = MakePalette(sys, 32);
    EXPECT_EQ(deep.itemBack, MakeRgb(249, 248, 247));
    EXPECT_EQ(deep.iconBack, MakeRgb(219, 216, 209));
    EXPECT_EQ(deep.selectFill, MakeRgb(177, 185, 207));
    EXPECT_EQ(deep.selectBorder, sys.highlight);
    EXPECT_EQ(deep.text, sys.menuText);
    EXPECT_EQ(deep.selectText, sys.menuText);
    EXPECT_EQ(deep.disabledText, sys.disabledText);
    EXPECT_EQ(MakePalette(sys, 16).itemBack, deep.itemBack);

    const Palette shallow = MakePalette(sys, 15);
    EXPECT_EQ(shallow.itemBack, sys.btnFace);
    EXPECT_EQ(shallow.iconBack, sys.btnFace);
    EXPECT_EQ(shallow.selectFill, sys.highlight);
    EXPECT_EQ(shallow.selectText, sys.highlightText);
}

TEST(MenuStyleMath, ItemSizes) {
    EXPECT_EQ(ItemHeight(true, 13, 24), kSeparatorHeight);
    EXPECT_EQ(ItemHeight(false, 13, 24), 22); // the icon cell decides for the usual 8-point font
    EXPECT_EQ(ItemHeight(false, 19, 24), 27); // a large menu font decides for itself
    EXPECT_EQ(ItemWidth(false, 48, 24), 24 + kTextGap + 48 + kRightMargin);
    EXPECT_EQ(ItemWidth(true, 48, 24), 24 + kTextGap);
}

TEST(MenuStyleMath, RectanglesInsideAnItem) {
    const Rect item{0, 22, 120, 44};
    EXPECT_EQ(IconColumn(item, 24), (Rect{0, 22, 24, 44}));
    EXPECT_EQ(TextArea(item, 24), (Rect{32, 22, 104, 44}));
    EXPECT_EQ(SelectionFill(item), (Rect{1, 23, 119, 43}));
    const Rect separator{0, 44, 120, 49};
    EXPECT_EQ(SeparatorLine(separator, 24), (Rect{32, 46, 120, 47}));
    // A degenerate, too narrow item keeps every rectangle inside it.
    const Rect narrow{0, 0, 20, 22};
    EXPECT_EQ(IconColumn(narrow, 24), (Rect{0, 0, 20, 22}));
    EXPECT_EQ(TextArea(narrow, 24).left, 20);
    EXPECT_GE(TextArea(narrow, 24).right, TextArea(narrow, 24).left);
}

TEST(MenuStyleMath, OnlyTheOldBitmapFaceIsReplacedByTahoma) {
    struct Case {
        const wchar_t* face;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"MS Sans Serif", L"Tahoma"},
        {L"ms sans serif", L"Tahoma"},
        {L"Microsoft Sans Serif", L"Microsoft Sans Serif"},
        {L"MS Sans Serif Bold", L"MS Sans Serif Bold"},
        {L"宋体", L"宋体"},
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(std::wstring(MenuFontFace(c.face)), c.expected);
}
