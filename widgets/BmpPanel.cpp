#include "widgets/BmpPanel.h"

#include <string>

#include "framework/Dialogs.h"

namespace {

bool EmptyArea(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT ToRect(const frame::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

} // namespace

// ---- TGlyphLayout ----

TGlyphLayout::TGlyphLayout() = default;

TGlyphLayout::~TGlyphLayout() = default;

void TGlyphLayout::SetMargin(int index, int value) {
    if (value < 0) value = 0;
    int* field = index == 0 ? &bottom_ : index == 1 ? &right_ : index == 2 ? &top_ : &left_;
    if (*field == value) return;
    *field = value;
    Changed();
}

void TGlyphLayout::SetSource(TBitmap* bitmap) {
    source_ = bitmap;
    Changed();
}

void TGlyphLayout::Changed() {
    pieces_.clear();
    stretchedTop_.reset();
    stretchedBottom_.reset();
    if (source_) BuildPieces();
    if (OnChange) OnChange(this);
}

void TGlyphLayout::BuildPieces() {
    const auto cuts = frame::CutPieces(source_->Width(), source_->Height(), Margins());
    TBitmap* piece = nullptr;
    try {
        for (const frame::PieceCut& cut : cuts) {
            piece = nullptr;
            if (cut.width == 0 || cut.height == 0) {
                pieces_.push_back(nullptr);
                continue;
            }
            pieces_.push_back(std::make_unique<TBitmap>());
            piece = pieces_.back().get();
            // Width first, then height: a negative size fails at the height.
            piece->SetWidth(cut.width);
            piece->SetHeight(cut.height);
            {
                TBitmap::SourceDC src(*source_);
                ::BitBlt(piece->Canvas().Handle(), 0, 0, cut.width, cut.height, src.Get(), cut.srcX,
                         cut.srcY, SRCCOPY);
            }
            piece->Dormant(); // drawn later through the shared DC; no DC kept per piece
        }
    } catch (...) {
        // The failing piece stays in the list, so fewer than eight complete pieces exist and
        // nothing is drawn until a later cut succeeds.
        const std::wstring text = piece ? std::to_wstring(piece->Width()) + L"   " +
                                              std::to_wstring(piece->Height())
                                        : std::wstring(L"0   0");
        if (piece) pieces_.pop_back();
        ShowMessage(text);
    }
}

void TGlyphLayout::AssignTo(TPersistent* Dest) const {
    auto* dest = dynamic_cast<TGlyphLayout*>(Dest);
    if (!dest) {
        TPersistent::AssignTo(Dest);
        return;
    }
    dest->top_ = top_;
    dest->bottom_ = bottom_;
    dest->left_ = left_;
    dest->right_ = right_;
    dest->Changed();
}

void TGlyphLayout::TileVertically(TCanvas& canvas, const RECT& area, TBitmap& piece) {
    // Whole tiles at the piece's size, the last one cut short; the piece is selected once for
    // the whole column.
    TBitmap::SourceDC src(piece);
    frame::ForEachTile(area.top, area.bottom, piece.Height(), [&](int y, int rows) {
        canvas.CopyBlock(area.left, y, piece.Width(), rows, src.Get(), 0, 0);
    });
}

void TGlyphLayout::PrepareFor(const RECT& rect) {
    stretchedTop_.reset();
    stretchedBottom_.reset();
    if (pieces_.size() != frame::pcCount) return;
    const frame::Rect dest{rect.left, rect.top, rect.right, rect.bottom};
    const frame::Margins m = Margins();
    for (frame::Piece edge : {frame::pcTopEdge, frame::pcBottomEdge}) {
        TBitmap* piece = pieces_[edge].get();
        const RECT area = ToRect(frame::EdgeArea(edge, dest, m));
        if (!piece || EmptyArea(area)) continue;
        auto stretched = std::make_unique<TBitmap>();
        stretched->SetSize(area.right - area.left, area.bottom - area.top);
        stretched->Canvas().StretchDraw(RECT{0, 0, stretched->Width(), stretched->Height()}, *piece);
        stretched->Dormant();
        (edge == frame::pcTopEdge ? stretchedTop_ : stretchedBottom_) = std::move(stretched);
    }
}

void TGlyphLayout::StretchEdge(TCanvas& canvas, frame::Piece edge, const RECT& area, TBitmap& piece) {
    TBitmap* prepared = (edge == frame::pcTopEdge ? stretchedTop_ : stretchedBottom_).get();
    if (prepared && prepared->Width() == area.right - area.left && prepared->Height() == area.bottom - area.top) {
        canvas.Draw(area.left, area.top, *prepared); // the same pixels, stretched once beforehand
        return;
    }
    canvas.StretchDraw(area, piece);
}

bool TGlyphLayout::Covers(const RECT& rect, bool transparent) const {
    if (transparent || pieces_.size() != frame::pcCount) return false;
    if (rect.right - rect.left < left_ + right_ || rect.bottom - rect.top < top_ + bottom_) return false;
    // Each corner and edge area that has pixels needs its piece; the centre is filled.
    const frame::Rect dest{rect.left, rect.top, rect.right, rect.bottom};
    const frame::Margins m = Margins();
    for (frame::Piece edge : {frame::pcLeftEdge, frame::pcTopEdge, frame::pcRightEdge, frame::pcBottomEdge})
        if (!EmptyArea(ToRect(frame::EdgeArea(edge, dest, m))) && !pieces_[edge]) return false;
    const bool corner[] = {left_ > 0 && top_ > 0, left_ > 0 && bottom_ > 0, right_ > 0 && top_ > 0,
                           right_ > 0 && bottom_ > 0};
    for (int i = 0; i < 4; ++i)
        if (corner[i] && !pieces_[static_cast<size_t>(i)]) return false;
    return true;
}

void TGlyphLayout::DrawFrame(TCanvas& canvas, const RECT& rect, bool transparent) {
    if (pieces_.size() != frame::pcCount) return;
    try {
        const frame::Rect dest{rect.left, rect.top, rect.right, rect.bottom};
        const frame::Margins m = Margins();
        for (frame::Piece corner : {frame::pcTopLeft, frame::pcBottomLeft, frame::pcTopRight,
                                    frame::pcBottomRight}) {
            TBitmap* p = pieces_[corner].get();
            if (!p) continue;
            const btn::Point at = frame::CornerOrigin(corner, dest, p->Width(), p->Height());
            canvas.Draw(at.x, at.y, *p);
        }
        for (frame::Piece edge : {frame::pcLeftEdge, frame::pcTopEdge, frame::pcRightEdge,
                                  frame::pcBottomEdge}) {
            TBitmap* p = pieces_[edge].get();
            if (!p) continue;
            const RECT area = ToRect(frame::EdgeArea(edge, dest, m));
            if (EmptyArea(area)) continue; // a panel smaller than its margins: nothing to fill
            if (edge == frame::pcLeftEdge || edge == frame::pcRightEdge) {
                TileVertically(canvas, area, *p);
            } else {
                StretchEdge(canvas, edge, area, *p);
            }
        }
        if (!transparent) {
            const RECT centre = ToRect(frame::CentreArea(dest, m));
            if (!EmptyArea(centre)) canvas.FillRect(centre);
        }
    } catch (...) {
        // A failing step ends the frame quietly; the rest of the window still paints.
    }
}

// ---- TBmpPanel ----

TBmpPanel::TBmpPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
    glyphLayout_ = std::make_unique<TGlyphLayout>();
    glyphLayout_->OnChange = [this](TObject*) { LayoutChanged(); };
    glyph_ = std::make_unique<TBitmap>();
    glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
    transparent_ = false;
}

TBmpPanel::~TBmpPanel() {
    glyphLayout_.reset();
    glyph_.reset();
}

void TBmpPanel::SetGlyph(const TBitmap* value) {
    if (value == glyph_.get()) {
        glyphLayout_->SetSource(glyph_.get());
        return;
    }
    glyph_->Assign(value); // its change notice hands the bitmap to the margins object
}

void TBmpPanel::SetGlyphLayout(const TPersistent* value) { glyphLayout_->Assign(value); }

void TBmpPanel::GlyphChanged() { glyphLayout_->SetSource(glyph_.get()); }

void TBmpPanel::LayoutChanged() {
    glyphLayout_->PrepareFor(ClientRect());
    Repaint();
}

void TBmpPanel::BoundsChanged(const RECT& oldBounds) {
    if (oldBounds.right - oldBounds.left != Width() || oldBounds.bottom - oldBounds.top != Height())
        glyphLayout_->PrepareFor(ClientRect());
    TCustomPanel::BoundsChanged(oldBounds);
}

void TBmpPanel::Paint() {
    Canvas().Brush().SetColor(Color());
    glyphLayout_->DrawFrame(Canvas(), ClientRect(), transparent_);
}

bool TBmpPanel::EraseBackground(HDC dc) {
    if (!Designing() && transparent_) return true; // answered as erased, nothing drawn
    // The default erase fills with Color; where the frame is about to paint every pixel of the
    // panel anyway the fill would only be painted over, so it is left out.
    if (glyphLayout_->Covers(ClientRect(), transparent_)) return true;
    return TCustomPanel::EraseBackground(dc);
}
