#pragma once
// The bitmap frame panel's geometry: how four margins cut a source bitmap into eight pieces,
// where each piece goes in a destination rectangle, the centre, and how a side edge is repeated
// downward. Rectangles are left/top inclusive, right/bottom exclusive, and are not clamped.
#include <array>

#include "widgets/ButtonLayout.h"

namespace frame {

using btn::Rect;

struct Margins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Margins&) const = default;
};

// Piece indices, in the order they are cut and kept.
enum Piece : int {
    pcTopLeft,
    pcBottomLeft,
    pcTopRight,
    pcBottomRight,
    pcLeftEdge,
    pcTopEdge,
    pcRightEdge,
    pcBottomEdge,
    pcCount
};

struct PieceCut {
    int width = 0;
    int height = 0;
    int srcX = 0; // where it is cut from the source
    int srcY = 0;
    bool operator==(const PieceCut&) const = default;
};

// The eight pieces of a W x H source. Sizes may be zero (an empty piece) or negative (a piece
// that cannot be made).
std::array<PieceCut, pcCount> CutPieces(int W, int H, const Margins& m);

// Where a corner goes: its top-left corner, from the piece's own size.
btn::Point CornerOrigin(Piece corner, const Rect& dest, int pieceWidth, int pieceHeight);
// The area an edge fills (left and right edges are repeated downward, top and bottom stretched).
Rect EdgeArea(Piece edge, const Rect& dest, const Margins& m);
Rect CentreArea(const Rect& dest, const Margins& m);

// Repeats a piece of height h downward from top until bottom: calls f(y, rows) for every tile,
// rows being h except for a last tile cut short at the bottom. Nothing for h <= 0 or an empty area.
template <class F>
void ForEachTile(int top, int bottom, int h, F&& f) {
    if (h <= 0) return;
    for (int y = top; y < bottom; y += h) f(y, y + h > bottom ? bottom - y : h);
}

} // namespace frame
