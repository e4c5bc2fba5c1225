#pragma once
// TBmpPanel: a panel that paints a resizable frame from one small bitmap (Glyph). Four margins,
// held by its TGlyphLayout, cut the bitmap into eight pieces: corners drawn at their size, left
// and right edges repeated downward, top and bottom edges stretched across. The middle of the
// bitmap is never used: the panel's centre is filled with its Color. The pieces are cut once per
// change of the bitmap or of a margin and kept for every paint; a paint makes nothing.
// Caption and bevels are never drawn; BorderWidth and the bevels still inset aligned children.
#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/CustomPanel.h"
#include "widgets/FramePieces.h"

// The four margins and the pieces cut with them from a source bitmap (not owned).
class TGlyphLayout : public TPersistent {
public:
    TGlyphLayout();
    ~TGlyphLayout() override;
    TGlyphLayout(const TGlyphLayout&) = delete;
    TGlyphLayout& operator=(const TGlyphLayout&) = delete;

    const wchar_t* ClassName() const override { return L"TGlyphLayout"; }

    // Margins in pixels, never negative. Index: 0 Bottom, 1 Right, 2 Top, 3 Left.
    int Bottom() const noexcept { return bottom_; }
    int Right() const noexcept { return right_; }
    int Top() const noexcept { return top_; }
    int Left() const noexcept { return left_; }
    void SetBottom(int value) { SetMargin(0, value); }
    void SetRight(int value) { SetMargin(1, value); }
    void SetTop(int value) { SetMargin(2, value); }
    void SetLeft(int value) { SetMargin(3, value); }
    // Stores a new value and cuts the pieces again; the same value does nothing.
    void SetMargin(int index, int value);

    // The bitmap to cut from; always cuts again, also for the same bitmap.
    void SetSource(TBitmap* bitmap);
    TBitmap* Source() const noexcept { return source_; }
    // Drops the pieces, cuts them anew from the source (if any) and fires OnChange.
    virtual void Changed();

    // Paints the frame into rect: corners, edges, and the centre in the canvas brush unless
    // transparent. Draws nothing unless all eight pieces were cut.
    void DrawFrame(TCanvas& canvas, const RECT& rect, bool transparent);

    // Makes the stretched top and bottom edges for rect once, so that painting that rectangle
    // copies them instead of stretching them again. Called outside painting (after a cut, after
    // a resize); a paint of another size stretches as usual.
    void PrepareFor(const RECT& rect);

    // Whether DrawFrame(rect, transparent) paints every pixel of rect (so nothing under it needs
    // painting first).
    bool Covers(const RECT& rect, bool transparent) const;

    // The pieces of the last cut (8 after a complete cut); nullptr for an empty piece.
    int PieceCount() const noexcept { return static_cast<int>(pieces_.size()); }
    const TBitmap* Piece(int index) const { return pieces_.at(static_cast<size_t>(index)).get(); }
    frame::Margins Margins() const noexcept { return {left_, top_, right_, bottom_}; }

    TNotifyEvent OnChange;

protected:
    // Copies the four margins into another TGlyphLayout and cuts there once.
    void AssignTo(TPersistent* Dest) const override;

private:
    void BuildPieces();
    void TileVertically(TCanvas& canvas, const RECT& area, TBitmap& piece);
    void StretchEdge(TCanvas& canvas, frame::Piece edge, const RECT& area, TBitmap& piece);

    int bottom_ = 0;
    int right_ = 0;
    int top_ = 0;
    int left_ = 0;
    std::vector<std::unique_ptr<TBitmap>> pieces_;
    TBitmap* source_ = nullptr;
    std::unique_ptr<TBitmap> stretchedTop_;    // the top edge at the prepared width
    std::unique_ptr<TBitmap> stretchedBottom_; // the bottom edge at the prepared width
};

class TBmpPanel : public TCustomPanel {
public:
    explicit TBmpPanel(TComponent* AOwner = nullptr);
    ~TBmpPanel() override;

    const wchar_t* ClassName() const override { return L"TBmpPanel"; }

    // The panel's own bitmap. Setting copies the picture (nullptr empties it) and cuts anew.
    TBitmap& Glyph() noexcept { return *glyph_; }
    void SetGlyph(const TBitmap* value);
    // The margins. Setting copies the four margins of another TGlyphLayout with one cut; anything
    // else (or nothing) raises EConvertError and leaves the margins as they were.
    TGlyphLayout& GlyphLayout() noexcept { return *glyphLayout_; }
    void SetGlyphLayout(const TPersistent* value);
    // True: no background erase (outside design mode) and no centre fill. Shows at the next paint.
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value) noexcept { transparent_ = value; }

protected:
    void Paint() override;
    bool EraseBackground(HDC dc) override;
    void GlyphChanged();
    void LayoutChanged();
    void BoundsChanged(const RECT& oldBounds) override;

private:
    std::unique_ptr<TBitmap> glyph_;
    std::unique_ptr<TGlyphLayout> glyphLayout_;
    bool transparent_ = false;
};
