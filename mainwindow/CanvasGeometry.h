#pragma once
// Where things go on the composed canvas: the source for each placement, the
// tile grid, the strip's pieces and the strip text's block. Plain arithmetic on
// sizes, so that it can be checked over tables without a window or a picture.
#include <cstdint>
#include <vector>

struct CanvasRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool operator==(const CanvasRect&) const = default;
};

// The rows of the placement menu.
enum class Placement : int32_t { Fit = 0, Fill = 1, Stretch = 2, Center = 3, Tile = 4 };

// Whether the background colour is laid under the source first.
bool FillsBackground(int32_t placement);

// Where the whole source (sw x sh) is drawn on a W x H canvas whose picture
// starts `offset` rows down; for Tile, the centre tile. An unknown row draws nothing.
std::vector<CanvasRect> PlacementRects(int32_t placement, int32_t W, int32_t H, int32_t sw, int32_t sh,
                                       int32_t offset);

// The largest size at which the placement draws the whole source (Center and
// Tile: its own); 0 x 0 for an empty source or an unknown row.
struct CanvasSize {
    int32_t width = 0, height = 0;
    bool operator==(const CanvasSize&) const = default;
};
CanvasSize DrawnSize(int32_t placement, int32_t W, int32_t H, int32_t sw, int32_t sh, int32_t offset);

// Tile: an odd number of columns and rows around the centre tile, drawn column
// by column from the left, each column from the top; the last drawn lies on top.
struct TileGrid {
    CanvasRect centre;
    int32_t columns = 0, rows = 0;
    int32_t FirstColumn() const { return (-columns) / 2; }
    int32_t FirstRow() const { return (-rows) / 2; }
    CanvasRect Tile(int32_t column, int32_t row) const {
        return {centre.x + column * centre.width, centre.y + row * centre.height, centre.width, centre.height};
    }
};
TileGrid TileGridFor(int32_t W, int32_t H, int32_t sw, int32_t sh, int32_t offset);

// The strip, barH rows high across a W-wide canvas, as fills in drawing order.
// Rounded: black behind the two upper curves, the rounded bar (18 x 18 corner
// ovals), then its lower half squared off (half of barH, rounded).
struct StripPiece {
    enum Kind { Black, Round, Square } kind;
    CanvasRect rect;
    bool operator==(const StripPiece&) const = default;
};
std::vector<StripPiece> StripPieces(int32_t W, int32_t barH, bool rounded);
constexpr int32_t kStripCornerOval = 18;

// The top left of the text block, blockWidth wide, centred on a W-wide canvas.
CanvasRect TextBlock(int32_t W, int32_t blockWidth, int32_t barH);
