#pragma once
// TFont, TPen and TBrush: the drawing attributes of a canvas and of a control.
//
// TFont keeps its GDI font object once made: Handle() creates it at the first use after a change
// of name, height, character set or style and keeps it until the next such change. Assign from a
// font with the same attributes shares that font's handle instead of making another one, so a
// control whose canvas "takes the control's font" at every paint creates nothing. The colour is
// not part of the GDI object.
#include <windows.h>

#include <string>

#include "framework/Colors.h"
#include "framework/Persistent.h"

using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1u << 0;
constexpr TFontStyles fsItalic = 1u << 1;
constexpr TFontStyles fsUnderline = 1u << 2;
constexpr TFontStyles fsStrikeOut = 1u << 3;

class TFont : public TPersistent {
public:
    TFont();
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const wchar_t* ClassName() const override { return L"TFont"; }
    void Assign(const TPersistent* Source) override;

    std::wstring Name() const { return name_; }
    void SetName(const std::wstring& value);
    // Character height in pixels as LOGFONT's lfHeight: negative for the em height (-11 is 8 pt
    // at 96 dpi), positive for the cell height.
    int Height() const noexcept { return height_; }
    void SetHeight(int value);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    BYTE Charset() const noexcept { return charset_; }
    void SetCharset(BYTE value);
    TFontStyles Style() const noexcept { return style_; }
    void SetStyle(TFontStyles value);

    // The GDI font; created on first use after a change, then kept.
    HFONT Handle() const;
    bool SameAttributes(const TFont& other) const noexcept;

    TNotifyEvent OnChange;

private:
    struct Resource; // shared GDI font object with a reference count
    void AttributesChanged();
    void Changed();
    void Release() const noexcept;
    static void ReleaseResource(Resource* resource) noexcept;

    wchar_t name_[LF_FACESIZE]{};
    int height_ = -11;
    TColor color_ = clWindowText;
    BYTE charset_ = DEFAULT_CHARSET;
    TFontStyles style_ = 0;
    mutable Resource* resource_ = nullptr;
};

enum TPenStyle : unsigned char { psSolid, psDash, psDot, psClear };

// A pen: one-pixel solid pens use the DC pen (no GDI object at all); other pens make their GDI
// object once per change.
class TPen : public TPersistent {
public:
    TPen() = default;
    ~TPen() override;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    const wchar_t* ClassName() const override { return L"TPen"; }
    void Assign(const TPersistent* Source) override;

    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    int Width() const noexcept { return width_; }
    void SetWidth(int value);
    TPenStyle Style() const noexcept { return style_; }
    void SetStyle(TPenStyle value);

    // The GDI pen to select; for a one-pixel solid pen the stock DC pen (set its colour with
    // SetDCPenColor).
    HPEN Handle() const;
    bool UsesDCPen() const noexcept { return style_ == psSolid && width_ <= 1; }

    TNotifyEvent OnChange;

private:
    void Changed();
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    mutable HPEN handle_ = nullptr;
};

enum TBrushStyle : unsigned char { bsSolid, bsClear };

// A brush: always drawn with the DC brush and SetDCBrushColor, so it owns no GDI object.
class TBrush : public TPersistent {
public:
    const wchar_t* ClassName() const override { return L"TBrush"; }
    void Assign(const TPersistent* Source) override;

    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    TBrushStyle Style() const noexcept { return style_; }
    void SetStyle(TBrushStyle value);

    TNotifyEvent OnChange;

private:
    void Changed();
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

// The RGB value of a colour; system colours resolve through GetSysColor.
COLORREF ColorToRGB(TColor color) noexcept;
