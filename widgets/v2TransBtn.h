#pragma once
// TV2TransparentButton: the windowless push button the borderless windows build their chrome
// from. Its face is one bitmap strip (Glyph) cut into up to four frames: normal, mouse over,
// pressed (or latched with Down), disabled. It can put a caption around the glyph in nine ways,
// fill its face and draw a 3-D border in seven styles, follows the mouse, clicks on its
// caption's accelerator key, drops a pop-up menu down below itself and can follow an action.
//
// It is neither opaque (its parent shows through wherever it draws nothing) nor a taker of
// double clicks (a double click is two clicks). Property setters compare, store and repaint
// later; changes caused by the mouse, Down and Enabled repaint at once.
#include <memory>
#include <string>

#include "framework/Actions.h"
#include "framework/Bitmap.h"
#include "framework/GraphicControl.h"
#include "framework/ImageList.h"
#include "framework/PopupMenu.h"
#include "widgets/ButtonLayout.h"
#include "widgets/ButtonTypes.h"

class TV2TransparentButton : public TGraphicControl {
public:
    explicit TV2TransparentButton(TComponent* AOwner = nullptr);
    ~TV2TransparentButton() override;

    const wchar_t* ClassName() const override { return L"TV2TransparentButton"; }

    // ---- properties ----
    bool AutoGray() const noexcept { return autoGray_; }
    void SetAutoGray(bool value);
    unsigned BorderWidth() const noexcept { return borderWidth_; }
    void SetBorderWidth(unsigned value);
    // The button's own caption ("&" marks the accelerator); not the control's window text.
    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(const std::wstring& value);
    bool Down() const noexcept { return down_; }
    void SetDown(bool value);
    bool Flat() const noexcept { return flat_; }
    void SetFlat(bool value);
    TV2FrameStyle FrameStyle() const noexcept { return frameStyle_; }
    void SetFrameStyle(TV2FrameStyle value);
    // The owned strip. Setting copies the given bitmap (nullptr empties it) and always re-cuts.
    TBitmap& Glyph() noexcept { return *glyph_; }
    void SetGlyph(const TBitmap* value);
    TNumGlyphs NumGlyphs() const noexcept { return numGlyphs_; }
    // 1 to 4 (other values are taken to the nearest); the strip is not cut again.
    void SetNumGlyphs(int value);
    int Offset() const noexcept { return offset_; }
    void SetOffset(int value) noexcept { offset_ = value; }
    TPopupMenu* DropDownMenu() const noexcept { return dropDownMenu_; }
    void SetDropDownMenu(TPopupMenu* value);
    bool ShowPressed() const noexcept { return showPressed_; }
    void SetShowPressed(bool value) noexcept { showPressed_ = value; }
    int Spacing() const noexcept { return spacing_; }
    void SetSpacing(int value);
    TV2TextAlign TextAlign() const noexcept { return textAlign_; }
    void SetTextAlign(TV2TextAlign value);
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool value);

    // ---- state ----
    bool Pressed() const noexcept { return pressed_; }
    bool MouseInside() const noexcept { return mouseInside_; }
    // The frames cut from the glyph, then its grey and embossed copies.
    const TImageList& GlyphList() const noexcept { return *glyphList_; }

    virtual bool PointInButton(int X, int Y) const;

    // OnMouseEnter (of the control) fires when the mouse comes over the enabled button.
    TNotifyEvent OnMouseExit;

protected:
    void Paint() override;
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();
    virtual void DrawContents(TCanvas& canvas);
    virtual void DrawBorder(TCanvas& canvas);
    virtual void DrawCaption(const RECT& glyphRect, TCanvas& canvas);
    virtual void DrawGlyph(const RECT& glyphRect, TCanvas& canvas);

    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void ActionChange(TBasicAction* Sender, bool CheckDefaults) override;
    std::unique_ptr<TControlActionLink> CreateActionLink() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override { DoMouseEnter(); }
    void MouseLeave() override { DoMouseLeave(); }
    bool DialogChar(wchar_t key) override;
    void EnabledChanged() override;

    void GlyphChanged();
    void BuildGlyphList();

private:
    btn::ButtonState State() const;
    void Draw3DFrame(TCanvas& canvas, RECT& rect, TColor top, TColor bottom, int n);

    // Fields in the order the button has always kept them.
    TV2TextAlign textAlign_ = ttaCenter;
    std::wstring caption_;
    bool autoGray_ = true;
    bool transparent_ = true;
    bool showPressed_ = true;
    int offset_ = 1;
    int spacing_ = 2;
    std::unique_ptr<TBitmap> glyph_;
    TPopupMenu* dropDownMenu_ = nullptr;
    bool pressed_ = false;
    unsigned borderWidth_ = 1;
    TNumGlyphs numGlyphs_ = 1;
    std::unique_ptr<TImageList> glyphList_;
    TV2FrameStyle frameStyle_ = fsExplorer;
    bool mouseInside_ = false;
    bool wordWrap_ = false;
    bool down_ = false;
    bool flat_ = true;
};

// The action link of the button: the action's Checked state drives Down for as long as the two
// agree.
class TV2TransparentButtonActionLink : public TControlActionLink {
public:
    explicit TV2TransparentButtonActionLink(TV2TransparentButton* client);
    bool IsCheckedLinked() const override;
    void SetChecked(bool value) override;

protected:
    void AssignClient(TControl* client) override;
    TV2TransparentButton* button_ = nullptr;
};
