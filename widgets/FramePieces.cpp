#include "widgets/FramePieces.h"

namespace frame {

std::array<PieceCut, pcCount> CutPieces(int W, int H, const Margins& m) {
    const int midW = W - m.left - m.right;
    const int midH = H - m.top - m.bottom;
    std::array<PieceCut, pcCount> p{};
    p[pcTopLeft] = {m.left, m.top, 0, 0};
    p[pcBottomLeft] = {m.left, m.bottom, 0, H - m.bottom};
    p[pcTopRight] = {m.right, m.top, W - m.right, 0};
    p[pcBottomRight] = {m.right, m.bottom, W - m.right, H - m.bottom};
    p[pcLeftEdge] = {m.left, midH, 0, m.top};
    p[pcTopEdge] = {midW, m.top, m.left, 0};
    p[pcRightEdge] = {m.right, midH, W - m.right, m.top};
    p[pcBottomEdge] = {midW, m.bottom, m.left, H - m.bottom};
    return p;
}

btn::Point CornerOrigin(Piece corner, const Rect& d, int pieceWidth, int pieceHeight) {
    switch (corner) {
    case pcBottomLeft: return {d.left, d.bottom - pieceHeight};
    case pcTopRight: return {d.right - pieceWidth, d.top};
    case pcBottomRight: return {d.right - pieceWidth, d.bottom - pieceHeight};
    case pcTopLeft:
    default: return {d.left, d.top};
    }
}

Rect EdgeArea(Piece edge, const Rect& d, const Margins& m) {
    switch (edge) {
    case pcLeftEdge: return {d.left, d.top + m.top, d.left + m.left, d.bottom - m.bottom};
    case pcTopEdge: return {d.left + m.left, d.top, d.right - m.right, d.top + m.top};
    case pcRightEdge: return {d.right - m.right, d.top + m.top, d.right, d.bottom - m.bottom};
    case pcBottomEdge:
    default: return {d.left + m.left, d.bottom - m.bottom, d.right - m.right, d.bottom};
    }
}

Rect CentreArea(const Rect& d, const Margins& m) {
    return {d.left + m.left, d.top + m.top, d.right - m.right, d.bottom - m.bottom};
}

} // namespace frame
