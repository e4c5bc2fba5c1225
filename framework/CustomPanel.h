#pragma once
// TCustomPanel: a windowed, custom-painted container. Its colour fills the background; its
// border width and bevels inset the area in which aligned children are laid out (by BorderWidth,
// then by BevelWidth for each of BevelOuter and BevelInner that is not bvNone). FullRepaint makes
// every size change repaint the whole panel. TPanel is the plain panel that draws its bevels and
// caption; panels of their own kind override Paint and draw neither.
#include <cstdint>

#include "framework/WinControl.h"

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

class TCustomPanel : public TWinControl {
public:
    explicit TCustomPanel(TComponent* AOwner = nullptr);
    const wchar_t* ClassName() const override { return L"TCustomPanel"; }

    int BorderWidth() const noexcept { return borderWidth_; }
    void SetBorderWidth(int value);
    TBevelCut BevelOuter() const noexcept { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const noexcept { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const noexcept { return bevelWidth_; }
    void SetBevelWidth(int value);
    bool FullRepaint() const noexcept { return fullRepaint_; }
    void SetFullRepaint(bool value) noexcept { fullRepaint_ = value; }
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment value);

    void AdjustClientRect(RECT& Rect) const override;

protected:
    // The plain panel's look: bevels and the caption.
    void Paint() override;
    void BoundsChanged(const RECT& oldBounds) override;
    void TextChanged() override;

private:
    void InsetsChanged();

    int borderWidth_ = 0;
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    bool fullRepaint_ = true;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* AOwner = nullptr) : TCustomPanel(AOwner) {}
    const wchar_t* ClassName() const override { return L"TPanel"; }
};

// Draws n rings of a 3-D frame just inside rect and shrinks rect by n: the left column and the
// top row in topColor, the right column and the bottom row in bottomColor (the top-right and
// bottom-left corner pixels take bottomColor). n <= 0 draws nothing.
void Frame3D(TCanvas& canvas, RECT& rect, TColor topColor, TColor bottomColor, int n);
