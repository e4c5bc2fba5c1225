#pragma once
// Colours as the controls store them. A TColor is either an RGB value (0x00BBGGRR, as COLORREF)
// or a system colour: the high bit set and the system colour index (COLOR_BTNFACE ...) in the low
// byte, so that a control set to clBtnFace follows the user's colour scheme. ColorToRGB (in
// Graphics.h) resolves a system colour to its current RGB value. No Windows headers here: pure
// code uses these values too.
#include <cstdint>

using TColor = std::int32_t;

namespace fw_detail {
constexpr TColor SysColor(int index) {
    return static_cast<TColor>(0x80000000u | static_cast<std::uint32_t>(index));
}
} // namespace fw_detail

// System colours (indices as GetSysColor's COLOR_* constants).
constexpr TColor clScrollBar = fw_detail::SysColor(0);
constexpr TColor clBackground = fw_detail::SysColor(1);
constexpr TColor clActiveCaption = fw_detail::SysColor(2);
constexpr TColor clInactiveCaption = fw_detail::SysColor(3);
constexpr TColor clMenu = fw_detail::SysColor(4);
constexpr TColor clWindow = fw_detail::SysColor(5);
constexpr TColor clWindowFrame = fw_detail::SysColor(6);
constexpr TColor clMenuText = fw_detail::SysColor(7);
constexpr TColor clWindowText = fw_detail::SysColor(8);
constexpr TColor clCaptionText = fw_detail::SysColor(9);
constexpr TColor clActiveBorder = fw_detail::SysColor(10);
constexpr TColor clInactiveBorder = fw_detail::SysColor(11);
constexpr TColor clAppWorkSpace = fw_detail::SysColor(12);
constexpr TColor clHighlight = fw_detail::SysColor(13);
constexpr TColor clHighlightText = fw_detail::SysColor(14);
constexpr TColor clBtnFace = fw_detail::SysColor(15);
constexpr TColor clBtnShadow = fw_detail::SysColor(16);
constexpr TColor clGrayText = fw_detail::SysColor(17);
constexpr TColor clBtnText = fw_detail::SysColor(18);
constexpr TColor clInactiveCaptionText = fw_detail::SysColor(19);
constexpr TColor clBtnHighlight = fw_detail::SysColor(20);
constexpr TColor cl3DDkShadow = fw_detail::SysColor(21);
constexpr TColor cl3DLight = fw_detail::SysColor(22);
constexpr TColor clInfoText = fw_detail::SysColor(23);
constexpr TColor clInfoBk = fw_detail::SysColor(24);
constexpr TColor clHotLight = fw_detail::SysColor(26);
constexpr TColor clMenuHighlight = fw_detail::SysColor(29);
constexpr TColor clMenuBar = fw_detail::SysColor(30);

// Fixed colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr bool IsSystemColor(TColor c) { return c < 0; }
constexpr int SystemColorIndex(TColor c) { return static_cast<int>(static_cast<std::uint32_t>(c) & 0xFFu); }

// RGB parts of a plain (non-system) colour.
constexpr std::uint8_t RedOf(TColor c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(TColor c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TColor c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
constexpr TColor MakeColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<TColor>(r | (g << 8) | (b << 16));
}
