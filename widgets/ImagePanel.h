#pragma once
// TImagePanel: a container panel whose face is one bitmap (Glyph), stretched over the client
// area (Stretch) or drawn once at its size in the top-left corner. OnPaint runs after the glyph
// is drawn, with the canvas brush set to Color. A new glyph, a change of its content and any
// write of Stretch recreate the panel's window (and its children's), which repaints them all.
#include <memory>

#include "framework/Bitmap.h"
#include "framework/CustomPanel.h"

class TImagePanel : public TCustomPanel {
public:
    explicit TImagePanel(TComponent* AOwner = nullptr);
    ~TImagePanel() override;

    const wchar_t* ClassName() const override { return L"TImagePanel"; }

    TBitmap& Glyph() noexcept { return *glyph_; }
    // Copies the picture (nullptr empties it).
    void SetGlyph(const TBitmap* value);
    bool Stretch() const noexcept { return stretch_; }
    // Stores the flag and recreates the window, also for the same value.
    void SetStretch(bool value);

    // The canvas an OnPaint handler draws on.
    using TWinControl::Canvas;
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
    void GlyphChanged();

private:
    std::unique_ptr<TBitmap> glyph_;
    bool stretch_ = false;
};
