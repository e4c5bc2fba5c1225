#pragma once
// The main window: borderless, designed at 972 x 645 (the 980 x 680 minimum makes it larger), a
// bitmap title bar on top, a bitmap status bar at the bottom and the browser in a bitmap frame
// between them. One row per control, in creation order; positions are the design geometry,
// relative to the parent's client area. The window's constructor applies the rows to its
// controls, found by name.
#include "framework/Colors.h"
#include "framework/Control.h"
#include "resources/resource.h"

enum class TMainPart : unsigned char {
    FramePanel,  // TBmpPanel: a frame painted from one small bitmap cut by four margins
    Image,       // TImage: a picture
    Panel,       // TPanel: a plain panel holding other controls
    ImageButton, // TV2TransparentButton: a four-frame glyph strip, no frame drawn
    Browser,     // TWebBrowser: the embedded web browser
    Label,       // TLabel: transparent text sized to its text
};

struct TFrameMargins {
    int left, top, right, bottom;
};

// Settings that are either on or off.
using TMainFlags = unsigned;
constexpr TMainFlags mfAutoSize = 1u << 0; // sized to its picture or text
constexpr TMainFlags mfShowHint = 1u << 1; // the hint is shown as a tooltip
constexpr TMainFlags mfNoBevel = 1u << 2;  // panel: no bevel
constexpr TMainFlags mfStatusFont = 1u << 3; // "宋体", 12 pixels high, black, GB2312

struct TMainLayoutItem {
    const wchar_t* name;
    TMainPart kind;
    const wchar_t* parent; // null: the window
    int left, top, width, height;
    TAlign align;
    TAnchors anchors;
    int picture;          // resource id: frame bitmap, picture or glyph strip; 0: none
    int numGlyphs;        // image buttons: frames in the strip
    const wchar_t* hint;  // tooltip
    TColor color;         // frame panels: the colour of the centre
    TFrameMargins margins; // frame panels: the four margins that cut the frame bitmap
    int borderWidth;      // frame panels: inset of aligned children
    TMainFlags flags;
};

inline constexpr int kMainDesignWidth = 972;
inline constexpr int kMainDesignHeight = 645;
inline constexpr int kMainMinWidth = 980;
inline constexpr int kMainMinHeight = 680;
inline constexpr TColor kTitleBarColor = 15198183; // RGB 231, 231, 231

inline constexpr const wchar_t* kStatusFontName = L"宋体";
inline constexpr int kStatusFontHeight = -12;

// clang-format off
inline constexpr TMainLayoutItem kMainItems[] = {
    // name         kind                    parent        left  top  width height align     anchors                    picture                 glyphs hint        color            margins           border flags
    {L"BmpPanel1",  TMainPart::FramePanel,  nullptr,        0,    0,  972,  50,  alTop,    akLeft | akTop,            IDB_MAIN_TITLE_FRAME,   0,     nullptr,    kTitleBarColor,  {17, 17, 17, 17},  0, 0},
    {L"Image2",     TMainPart::Image,       L"BmpPanel1",   0,    0,  154,  27,  alNone,   akLeft | akTop,            IDB_MAIN_LOGO,          0,     nullptr,    clNone,          {},                0, mfAutoSize},
    {L"Panel1",     TMainPart::Panel,       L"BmpPanel1", 878,   -1,   94,  25,  alNone,   akRight | akBottom,        0,                      0,     nullptr,    clBtnFace,       {},                0, mfNoBevel},
    {L"buttMin",    TMainPart::ImageButton, L"Panel1",      0,    0,   30,  25,  alNone,   akLeft | akTop,            IDB_MAIN_MINIMIZE,      4,     L"最小化",  clNone,          {},                0, mfAutoSize | mfShowHint},
    {L"buttMax",    TMainPart::ImageButton, L"Panel1",     29,    0,   31,  25,  alNone,   akLeft | akTop,            IDB_MAIN_MAXIMIZE,      4,     L"最大化",  clNone,          {},                0, mfAutoSize | mfShowHint},
    {L"buttClose",  TMainPart::ImageButton, L"Panel1",     59,    0,   35,  25,  alNone,   akLeft | akTop,            IDB_MAIN_CLOSE,         4,     L"关闭",    clNone,          {},                0, mfAutoSize | mfShowHint},
    {L"BmpPanel2",  TMainPart::FramePanel,  nullptr,        0,   50,  972, 563,  alClient, akLeft | akTop,            IDB_MAIN_BROWSER_FRAME, 0,     nullptr,    clWhite,         {17, 17, 17, 17},  5, mfNoBevel},
    {L"WebBrowser1",TMainPart::Browser,     L"BmpPanel2",   5,    5,  962, 553,  alClient, akLeft | akTop,            0,                      0,     nullptr,    clNone,          {},                0, 0},
    {L"bpState",    TMainPart::FramePanel,  nullptr,        0,  613,  972,  32,  alBottom, akLeft | akTop,            IDB_MAIN_STATUS_FRAME,  0,     nullptr,    clActiveBorder,  {8, 0, 18, 32},    0, 0},
    {L"Label1",     TMainPart::Label,       L"bpState",    16,    8,    0,   0,  alNone,   akLeft | akTop,            0,                      0,     nullptr,    clNone,          {},                0, mfAutoSize | mfStatusFont},
    {L"lbDate",     TMainPart::Label,       L"bpState",   800,    8,    0,   0,  alNone,   akTop | akRight,           0,                      0,     nullptr,    clNone,          {},                0, mfAutoSize | mfStatusFont},
};
// clang-format on
