#pragma once
// TLabel: a line of text drawn by its parent window. Sized to its text while AutoSize is on (the
// default); with Transparent on, the parent shows through behind the letters.
#include "framework/GraphicControl.h"

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner = nullptr);
    const wchar_t* ClassName() const override { return L"TLabel"; }

    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);

protected:
    void Paint() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void TextChanged() override;
    void FontChanged() override;

private:
    static constexpr UINT kTextFormat = DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX;
    bool transparent_ = false;
};
