#pragma once
// The setup dialog: a captioned, sizeable window with a 402 x 161 client area over a stretched
// background picture that carries every other control.
#include "resources/layouts/Layout.h"
#include "resources/resource.h"

inline constexpr TLayoutFont kSetupSong{L"宋体", -13, clWindowText};
inline constexpr TLayoutFont kSetupHintFont{L"宋体", -13, clRed};

// clang-format off
inline constexpr TLayoutItem kSetupItems[] = {
    // name           kind                       parent          left top  w    h    caption   hint     picture               glyphs tab font            flags
    {L"ImagePanel1",  TLayoutKind::ImagePanel,   nullptr,          0,   0, 402, 161, nullptr,  nullptr, IDB_SETUP_BACKGROUND, 0,     -1, kFormFont,      lfStretch | lfAlignClient},
    {L"Label3",       TLayoutKind::Label,        L"ImagePanel1",  15,  29,  65,  13, L"系统名称：", nullptr, 0,               0,     -1, kSetupSong,     lfAutoSize | lfTransparent},
    {L"edName",       TLayoutKind::Edit,         L"ImagePanel1",  79,  25, 231,  21, L"",      nullptr, 0,                    0,      1, kSetupSong,     0},
    {L"Label2",       TLayoutKind::Label,        L"ImagePanel1",  16,  61,  65,  13, L"系统网址：", nullptr, 0,               0,     -1, kSetupSong,     lfAutoSize | lfTransparent},
    {L"edUrl",        TLayoutKind::Edit,         L"ImagePanel1",  79,  57, 231,  21, L"",      nullptr, 0,                    0,      0, kSetupSong,     0},
    {L"SpeedButton1", TLayoutKind::SpeedButton,  L"ImagePanel1", 318,  54,  63,  25, L"保存",  nullptr, IDB_SETUP_SAVE_GLYPH, 0,     -1, kFormFont,      lfOpaque},
    {L"Label1",       TLayoutKind::Label,        L"ImagePanel1",  16,  93, 347,  13, L"说明：输入订货系统完整网址，例如：http://example.com",
                                                                                                nullptr, 0,                    0,     -1, kSetupHintFont, lfAutoSize | lfTransparent},
};
// clang-format on

inline constexpr TFormLayout kSetupLayout{
    L"系统设置", TLayoutBorder::Sizeable, 402, 161, clBtnFace, {L"MS Sans Serif", -11, clWindowText},
    kSetupItems, sizeof kSetupItems / sizeof kSetupItems[0]};
