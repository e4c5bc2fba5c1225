#pragma once
// The sign-in window: borderless, 380 x 282, drawn from its background picture. The captions that
// depend on the sign-in mode are filled in when the mode is applied.
#include "resources/layouts/Layout.h"
#include "resources/resource.h"

inline constexpr TLayoutFont kLoginSong{L"宋体", -13, clWindowText};
inline constexpr TLayoutFont kLoginButtonFont{L"MS Sans Serif", -11, clBlack};

// clang-format off
inline constexpr TLayoutItem kLoginItems[] = {
    // name           kind                       parent   left top  w    h    caption       hint / hidden text                             picture               glyphs tab font              flags
    {L"Image1",       TLayoutKind::Image,        nullptr,   0,   1, 380, 280, nullptr,      nullptr,                                       IDB_LOGIN_BACKGROUND, 0,     -1, kFormFont,        lfAutoSize | lfTransparent},
    {L"Label2",       TLayoutKind::Label,        nullptr,  49, 162,  59,  13, L"",          nullptr,                                       0,                    0,     -1, kLoginSong,       lfAutoSize | lfTransparent},
    {L"Label3",       TLayoutKind::Label,        nullptr,  49, 198,  59,  13, L"",          nullptr,                                       0,                    0,     -1, kLoginSong,       lfAutoSize | lfTransparent},
    {L"buttClose",    TLayoutKind::ImageButton,  nullptr, 345,   0,  35,  25, nullptr,      L"关闭",                                       IDB_LOGIN_CLOSE,      4,     -1, kFormFont,        lfAutoSize | lfShowHint},
    {L"buttMin",      TLayoutKind::ImageButton,  nullptr, 313,   0,  32,  25, nullptr,      L"最小化",                                     IDB_LOGIN_MINIMIZE,   4,     -1, kFormFont,        lfAutoSize | lfShowHint},
    {L"vbLogin",      TLayoutKind::ImageButton,  nullptr, 116, 246,  89,  24, L"",          nullptr,                                       IDB_LOGIN_BUTTON,     4,     -1, kLoginButtonFont, lfAutoSize},
    {L"SpeedButton1", TLayoutKind::SpeedButton,  nullptr, 310, 249,  63,  25, L"设置",      nullptr,                                       IDB_SETUP_GLYPH,      0,     -1, kFormFont,        lfFlat | lfOpaque},
    {L"UserName",     TLayoutKind::Edit,         nullptr, 113, 160, 181,  21, L"",          L"/tarvelo.aspx?UserName=%s&UserPass=%s",     0,                    0,      0, kLoginSong,       0},
    {L"UserPass",     TLayoutKind::Edit,         nullptr, 113, 194, 181,  21, L"",          L"/shop/index.aspx?UserName=%s&UserPass=%s",  0,                    0,      1, kLoginSong,       lfPassword},
    {L"RadioButton1", TLayoutKind::RadioButton,  nullptr, 112, 131,  81,  17, L"订货登录",  nullptr,                                       0,                    0,      2, kFormFont,        0},
    {L"RadioButton2", TLayoutKind::RadioButton,  nullptr, 205, 131,  81,  17, L"管理后台",  nullptr,                                       0,                    0,      3, kFormFont,        0},
    {L"cbSave",       TLayoutKind::CheckBox,     nullptr, 298, 197,  76,  17, L"记住密码",  nullptr,                                       0,                    0,      4, kFormFont,        0},
};
// clang-format on

inline constexpr TFormLayout kLoginLayout{
    L"", TLayoutBorder::None, 380, 282, clBtnFace, {L"MS Sans Serif", -11, clWindowText},
    kLoginItems, sizeof kLoginItems / sizeof kLoginItems[0]};
