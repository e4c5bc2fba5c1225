#include "widgets/ImagePanel.h"

TImagePanel::TImagePanel(TComponent* AOwner) : TCustomPanel(AOwner) {
    glyph_ = std::make_unique<TBitmap>();
    glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
}

TImagePanel::~TImagePanel() { glyph_.reset(); }

void TImagePanel::SetGlyph(const TBitmap* value) {
    if (value == glyph_.get()) {
        GlyphChanged();
        return;
    }
    glyph_->Assign(value);
}

void TImagePanel::SetStretch(bool value) {
    stretch_ = value;
    RecreateWnd();
}

void TImagePanel::GlyphChanged() { RecreateWnd(); }

void TImagePanel::Paint() {
    const RECT r = ClientRect();
    TCanvas& canvas = Canvas();
    canvas.Brush().SetColor(Color());
    if (stretch_) {
        canvas.StretchDraw(r, *glyph_);
    } else {
        canvas.Draw(0, 0, *glyph_);
    }
    if (OnPaint) OnPaint(this);
}
