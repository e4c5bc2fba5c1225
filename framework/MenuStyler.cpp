#include "framework/MenuStyler.h"

#include <algorithm>

#include "framework/Canvas.h"

namespace {

using menustyle::Rect;

COLORREF Resolve(TColor color) {
    return IsSystemColor(color) ? ::GetSysColor(SystemColorIndex(color)) : static_cast<COLORREF>(color);
}

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void Fill(HDC dc, const Rect& r, COLORREF color) {
    ::SetDCBrushColor(dc, color);
    const RECT rc = ToRECT(r);
    ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, const Rect& r, COLORREF color) {
    ::SetDCBrushColor(dc, color);
    const RECT rc = ToRECT(r);
    ::FrameRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

int BitsPerPixel(HDC dc) { return ::GetDeviceCaps(dc, BITSPIXEL) * ::GetDeviceCaps(dc, PLANES); }

// Selects the font into the DC for the lifetime of the object.
class SelectFont {
public:
    SelectFont(HDC dc, HFONT font) : dc_(dc), old_(::SelectObject(dc, font)) {}
    ~SelectFont() { ::SelectObject(dc_, old_); }
    SelectFont(const SelectFont&) = delete;
    SelectFont& operator=(const SelectFont&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace

TMenuStyler::TMenuStyler(TComponent* AOwner) : TComponent(AOwner) { UpdateSystemLook(); }

TMenuStyler::~TMenuStyler() { Detach(); }

void TMenuStyler::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    if (active_)
        Attach();
    else
        Detach();
}

void TMenuStyler::Attach() {
    TComponent* owner = Owner();
    if (!owner) return;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        auto* menu = dynamic_cast<TPopupMenu*>(owner->Components(i));
        if (!menu || std::find(menus_.begin(), menus_.end(), menu) != menus_.end()) continue;
        menu->SetOwnerDraw(true);
        menu->SetItemDrawer(this);
        FreeNotification(menu);
        menus_.push_back(menu);
    }
}

void TMenuStyler::Detach() noexcept {
    for (TPopupMenu* menu : menus_) {
        if (menu->ItemDrawer() == this) menu->SetItemDrawer(nullptr);
        menu->SetOwnerDraw(false);
        RemoveFreeNotification(menu);
    }
    menus_.clear();
}

void TMenuStyler::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove)
        menus_.erase(std::remove(menus_.begin(), menus_.end(), AComponent), menus_.end());
}

void TMenuStyler::UpdateSystemLook() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        const LOGFONTW& lf = metrics.lfMenuFont;
        font_.SetName(std::wstring(menustyle::MenuFontFace(lf.lfFaceName)));
        font_.SetHeight(lf.lfHeight);
        font_.SetCharset(lf.lfCharSet);
        font_.SetStyle((lf.lfWeight >= FW_BOLD ? fsBold : 0u) | (lf.lfItalic ? fsItalic : 0u));
    } else {
        font_.SetName(L"Tahoma");
        font_.SetHeight(-11);
    }
    font_.SetColor(clMenuText);
    font_.Handle(); // made now, not during a paint
}

menustyle::Palette TMenuStyler::CurrentPalette(int bitsPerPixel) const {
    const menustyle::SystemColors sys{::GetSysColor(COLOR_BTNFACE),   ::GetSysColor(COLOR_BTNSHADOW),
                                      ::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_HIGHLIGHTTEXT),
                                      ::GetSysColor(COLOR_MENUTEXT),  Resolve(disabledColor_)};
    return menustyle::MakePalette(sys, bitsPerPixel);
}

int TMenuStyler::TextHeight(HDC dc) const {
    SelectFont select(dc, font_.Handle());
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    return tm.tmHeight;
}

void TMenuStyler::MeasureItem(TMenuItem& Item, TCanvas& Canvas, int& Width, int& Height) {
    HDC dc = Canvas.Handle();
    const bool separator = Item.IsLine();
    int textWidth = 0;
    if (!separator && !Item.Caption().empty()) {
        SelectFont select(dc, font_.Handle());
        RECT r{0, 0, 0, 0};
        ::DrawTextW(dc, Item.Caption().c_str(), static_cast<int>(Item.Caption().size()), &r,
                    DT_SINGLELINE | DT_CALCRECT);
        textWidth = r.right - r.left;
    }
    Width = menustyle::ItemWidth(separator, textWidth, iconWidth_);
    Height = menustyle::ItemHeight(separator, TextHeight(dc), iconWidth_);
}

void TMenuStyler::DrawItem(TMenuItem& Item, TCanvas& Canvas, const RECT& R, TOwnerDrawState State) {
    HDC dc = Canvas.Handle();
    const menustyle::Palette p = CurrentPalette(BitsPerPixel(dc));
    const Rect item{R.left, R.top, R.right, R.bottom};

    if (Item.IsLine()) {
        Fill(dc, item, p.itemBack);
        Fill(dc, menustyle::IconColumn(item, iconWidth_), p.iconBack);
        Fill(dc, menustyle::SeparatorLine(item, iconWidth_), p.separator);
        return;
    }

    const bool enabled = Item.Enabled() && !(State & (odDisabled | odGrayed));
    const bool selected = drawSelect_ && enabled && (State & odSelected);
    if (selected) {
        Frame(dc, item, p.selectBorder);
        Fill(dc, menustyle::SelectionFill(item), p.selectFill);
    } else {
        Fill(dc, item, p.itemBack);
        Fill(dc, menustyle::IconColumn(item, iconWidth_), p.iconBack);
    }

    const std::wstring& caption = Item.Caption();
    if (caption.empty()) return;
    SelectFont select(dc, font_.Handle());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor =
        ::SetTextColor(dc, !enabled ? p.disabledText : selected ? p.selectText : p.text);
    RECT text = ToRECT(menustyle::TextArea(item, iconWidth_));
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP;
    if (State & odNoAccel) format |= DT_HIDEPREFIX;
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
}
