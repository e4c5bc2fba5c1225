#include "framework/Font.h"

#include <cwchar>

struct TFont::Resource {
    HFONT handle = nullptr;
    int refs = 1;
};

COLORREF ColorToRGB(TColor color) noexcept {
    if (IsSystemColor(color)) return ::GetSysColor(SystemColorIndex(color));
    return static_cast<COLORREF>(color) & 0x00FFFFFFu;
}

// ---- TFont ----

TFont::TFont() { ::wcsncpy(name_, L"MS Sans Serif", LF_FACESIZE - 1); }

TFont::~TFont() { Release(); }

void TFont::Release() const noexcept {
    Resource* old = resource_;
    resource_ = nullptr;
    ReleaseResource(old);
}

void TFont::ReleaseResource(Resource* resource) noexcept {
    if (!resource) return;
    if (--resource->refs == 0) {
        if (resource->handle) ::DeleteObject(resource->handle);
        delete resource;
    }
}

bool TFont::SameAttributes(const TFont& other) const noexcept {
    return height_ == other.height_ && charset_ == other.charset_ && style_ == other.style_ &&
           ::wcscmp(name_, other.name_) == 0;
}

void TFont::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TFont*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    const bool sameGdi = SameAttributes(*src);
    if (sameGdi && color_ == src->color_) return; // nothing to do, nothing to notify
    Resource* old = nullptr;
    if (!sameGdi) {
        old = resource_;
        resource_ = nullptr;
        ::wcscpy(name_, src->name_);
        height_ = src->height_;
        charset_ = src->charset_;
        style_ = src->style_;
        if (src->resource_) {
            resource_ = src->resource_;
            ++resource_->refs;
        }
    }
    color_ = src->color_;
    Changed(); // a canvas holding the old GDI font lets go of it here
    ReleaseResource(old);
}

void TFont::SetName(const std::wstring& value) {
    if (value.compare(name_) == 0) return;
    ::wcsncpy(name_, value.c_str(), LF_FACESIZE - 1);
    name_[LF_FACESIZE - 1] = 0;
    AttributesChanged();
}

void TFont::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    AttributesChanged();
}

void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TFont::SetCharset(BYTE value) {
    if (value == charset_) return;
    charset_ = value;
    AttributesChanged();
}

void TFont::SetStyle(TFontStyles value) {
    if (value == style_) return;
    style_ = value;
    AttributesChanged();
}

void TFont::AttributesChanged() {
    Resource* old = resource_;
    resource_ = nullptr;
    Changed(); // a canvas holding the old GDI font lets go of it here
    ReleaseResource(old);
}

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

HFONT TFont::Handle() const {
    if (resource_ && resource_->handle) return resource_->handle;
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    ::wcscpy(lf.lfFaceName, name_);
    HFONT font = ::CreateFontIndirectW(&lf);
    if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (!resource_) resource_ = new Resource;
    resource_->handle = font;
    return font;
}

// ---- TPen ----

TPen::~TPen() {
    if (handle_) ::DeleteObject(handle_);
}

void TPen::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TPen*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src->color_ == color_ && src->width_ == width_ && src->style_ == style_) return;
    color_ = src->color_;
    width_ = src->width_;
    style_ = src->style_;
    Changed();
}

void TPen::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TPen::SetWidth(int value) {
    if (value < 1) value = 1;
    if (value == width_) return;
    width_ = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TPen::Changed() {
    HPEN old = handle_;
    handle_ = nullptr;
    if (OnChange) OnChange(this); // a canvas holding the old pen lets go of it here
    if (old) ::DeleteObject(old);
}

HPEN TPen::Handle() const {
    if (style_ == psClear) return static_cast<HPEN>(::GetStockObject(NULL_PEN));
    if (UsesDCPen()) return static_cast<HPEN>(::GetStockObject(DC_PEN));
    if (!handle_) {
        const int gdiStyle = style_ == psDash ? PS_DASH : style_ == psDot ? PS_DOT : PS_SOLID;
        handle_ = ::CreatePen(gdiStyle, width_, ColorToRGB(color_));
    }
    return handle_;
}

// ---- TBrush ----

void TBrush::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TBrush*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src->color_ == color_ && src->style_ == style_) return;
    color_ = src->color_;
    style_ = src->style_;
    Changed();
}

void TBrush::SetColor(TColor value) {
    if (value == color_ && style_ == bsSolid) return;
    color_ = value;
    style_ = bsSolid; // setting a colour makes a cleared brush solid again
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TBrush::Changed() {
    if (OnChange) OnChange(this);
}
