#pragma once
// TMenuStyler: draws the pop-up menus of its owner (a form) in a flat style. While Active, every
// TPopupMenu owned by the same owner is owner-drawn by it:
// - colours follow the system, lightened toward white on displays of more than 15 bits per pixel:
//   item background the button face by 86 %, the icon column the button face by 16 %, the
//   selection box the highlight by 68 % with a one-pixel border in the plain highlight;
// - an icon column of IconWidth pixels at the left of every item, images or not;
// - the item under the mouse as a selection box (DrawSelect);
// - captions in the system's menu font, whose face "MS Sans Serif" is replaced by "Tahoma", in
//   the menu text colour (DisabledColor for disabled items); separators as one thin line;
// - the menu keeps the system's border, and the icon column is flat.
// The arithmetic is in MenuStyleMath.h. Drawing creates nothing: fills use the DC brush and the
// font object is made once, when the styler is activated or told that the system look changed.
#include <windows.h>

#include <vector>

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/MenuStyleMath.h"
#include "framework/PopupMenu.h"

class TMenuStyler : public TComponent, public TMenuItemDrawer {
public:
    explicit TMenuStyler(TComponent* AOwner = nullptr);
    ~TMenuStyler() override;

    const wchar_t* ClassName() const override { return L"TMenuStyler"; }

    bool Active() const noexcept { return active_; }
    // On: takes over every pop-up menu its owner owns now. Off: gives them back.
    void SetActive(bool value);

    int IconWidth() const noexcept { return iconWidth_; }
    void SetIconWidth(int value) { iconWidth_ = value < 0 ? 0 : value; }
    bool DrawSelect() const noexcept { return drawSelect_; }
    void SetDrawSelect(bool value) noexcept { drawSelect_ = value; }
    TColor DisabledColor() const noexcept { return disabledColor_; }
    void SetDisabledColor(TColor value) noexcept { disabledColor_ = value; }

    // Reads the system's menu font again (after the user changed the system's look).
    void UpdateSystemLook();
    // The font captions are drawn with.
    const TFont& MenuFont() const noexcept { return font_; }
    // The colours for a display of the given depth, from the current system colours.
    menustyle::Palette CurrentPalette(int bitsPerPixel) const;

    // TMenuItemDrawer
    void MeasureItem(TMenuItem& Item, TCanvas& Canvas, int& Width, int& Height) override;
    void DrawItem(TMenuItem& Item, TCanvas& Canvas, const RECT& Rect, TOwnerDrawState State) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Attach();
    void Detach() noexcept;
    int TextHeight(HDC dc) const;

    bool active_ = false;
    int iconWidth_ = 24;
    bool drawSelect_ = true;
    TColor disabledColor_ = clInactiveCaption;
    TFont font_;
    std::vector<TPopupMenu*> menus_;
};
