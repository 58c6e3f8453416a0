#include "mainwindow/CanvasGeometry.h"

#include <algorithm>
#include <cmath>

#include "common/CommonLib.h"
#include "framework/core/Convert.h"

namespace {

// The vertical centre is taken on the whole canvas, then moved down by offset.
CanvasRect Centred(int32_t W, int32_t H, int32_t dw, int32_t dh, int32_t offset) {
    return {Int((W - dw) / 2.0), Int((H - dh) / 2.0 + offset), dw, dh};
}

// The smallest odd count of tiles that covers a length.
int32_t OddTileCount(int32_t length, int32_t tile) {
    int32_t n = Int(std::ceil(double(length) / double(tile)));
    if (n / 2.0 == double(n / 2)) n = n + 1;
    return n;
}

}  // namespace

bool FillsBackground(int32_t placement) {
    return placement == int32_t(Placement::Fit) || placement == int32_t(Placement::Center);
}

std::vector<CanvasRect> PlacementRects(int32_t placement, int32_t W, int32_t H, int32_t sw, int32_t sh,
                                       int32_t offset) {
    switch (Placement(placement)) {
        case Placement::Fit: {
            int32_t dw = W, dh = H - offset;
            CommonLib::ScaleProportionalToFit(sw, sh, dw, dh);
            return {Centred(W, H, dw, dh, offset)};
        }
        case Placement::Fill: {
            const double s = std::max(double(W) / double(sw), double(H - offset) / double(sh));
            return {Centred(W, H, Int(sw * s), Int(sh * s), offset)};
        }
        case Placement::Stretch:
            return {{0, offset, W, H - offset}};
        case Placement::Center:
        case Placement::Tile:
            return {Centred(W, H, sw, sh, offset)};
    }
    return {};
}

CanvasSize DrawnSize(int32_t placement, int32_t W, int32_t H, int32_t sw, int32_t sh, int32_t offset) {
    if (sw <= 0 || sh <= 0) return {};
    CanvasSize drawn;
    for (const CanvasRect& r : PlacementRects(placement, W, H, sw, sh, offset))
        drawn = {std::max(drawn.width, r.width), std::max(drawn.height, r.height)};
    return drawn;
}

TileGrid TileGridFor(int32_t W, int32_t H, int32_t sw, int32_t sh, int32_t offset) {
    return {Centred(W, H, sw, sh, offset), OddTileCount(W, sw), OddTileCount(H, sh)};
}

std::vector<StripPiece> StripPieces(int32_t W, int32_t barH, bool rounded) {
    if (!rounded) return {{StripPiece::Square, {0, 0, W, barH}}};
    const int32_t h2 = Int(barH / 2.0);
    return {{StripPiece::Black, {0, 0, W, barH}},
            {StripPiece::Round, {0, 0, W, barH}},
            {StripPiece::Square, {0, h2, W, h2}}};
}

CanvasRect TextBlock(int32_t W, int32_t blockWidth, int32_t barH) { return {W / 2 - blockWidth / 2, 0, blockWidth, barH}; }
