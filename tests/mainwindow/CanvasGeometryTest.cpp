// The canvas geometry over a table of canvas and source sizes: no window, no pictures.
#include <gtest/gtest.h>

#include "mainwindow/CanvasGeometry.h"

namespace {

using R = CanvasRect;

struct GeometryCase {
    const char* name;
    int32_t placement, W, H, sw, sh, offset;
    std::vector<R> drawn;  // for Tile: the centre tile
    int32_t columns = 0, rows = 0;
};

TEST(CanvasGeometry, PlacementsTilesStripAndTextBlock) {
    const std::vector<GeometryCase> cases = {
        {"fit, enlarged", 0, 200, 100, 40, 40, 0, {{50, 0, 100, 100}}},
        {"fit, shrunk", 0, 200, 100, 400, 100, 0, {{0, 25, 200, 50}}},
        // The box is 200 x 90, centred on the whole canvas, then moved down.
        {"fit, below", 0, 200, 100, 40, 40, 10, {{55, 15, 90, 90}}},
        {"fit, 1440 x 1000 below 22", 0, 1440, 900, 1440, 1000, 22, {{88, 33, 1264, 878}}},
        {"fill", 1, 200, 100, 40, 40, 0, {{0, -50, 200, 200}}},
        {"fill, below", 1, 200, 100, 80, 20, 10, {{-80, 15, 360, 90}}},
        {"stretch, below", 2, 200, 100, 40, 30, 10, {{0, 10, 200, 90}}},
        // (200 - 41) / 2 = 79.5 rounds away from zero.
        {"center", 3, 200, 100, 41, 41, 0, {{80, 30, 41, 41}}},
        {"center, larger", 3, 200, 100, 300, 150, 0, {{-50, -25, 300, 150}}},
        {"tile", 4, 200, 100, 60, 40, 0, {{70, 30, 60, 40}}, 5, 3},
        // Rows are counted on the whole canvas height.
        {"tile, below", 4, 200, 100, 60, 30, 10, {{70, 45, 60, 30}}, 5, 5},
        {"tile, 720 on 1440", 4, 1440, 60, 720, 20, 0, {{360, 20, 720, 20}}, 3, 3},
        {"tile, 1 x 1 on 5K", 4, 5120, 2880, 1, 1, 0, {{2560, 1440, 1, 1}}, 5121, 2881},
        {"unknown row", 7, 200, 100, 40, 40, 0, {}},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto drawn = PlacementRects(c.placement, c.W, c.H, c.sw, c.sh, c.offset);
        ASSERT_EQ(drawn.size(), c.drawn.size());
        for (size_t i = 0; i < drawn.size(); ++i) {
            EXPECT_EQ(drawn[i].x, c.drawn[i].x);
            EXPECT_EQ(drawn[i].y, c.drawn[i].y);
            EXPECT_EQ(drawn[i].width, c.drawn[i].width);
            EXPECT_EQ(drawn[i].height, c.drawn[i].height);
        }
        EXPECT_EQ(FillsBackground(c.placement), c.placement == 0 || c.placement == 3);
        // What a scaled decode must still give: the drawn rectangle (Tile: one tile).
        EXPECT_EQ(DrawnSize(c.placement, c.W, c.H, c.sw, c.sh, c.offset),
                  (c.drawn.empty() ? CanvasSize{} : CanvasSize{c.drawn[0].width, c.drawn[0].height}));
        if (c.placement != 4) continue;
        const TileGrid grid = TileGridFor(c.W, c.H, c.sw, c.sh, c.offset);
        EXPECT_EQ(grid.columns, c.columns);
        EXPECT_EQ(grid.rows, c.rows);
        // The first tile drawn lies up and left of the centre by half the grid.
        EXPECT_EQ(grid.Tile(grid.FirstColumn(), grid.FirstRow()),
                  (R{c.drawn[0].x - c.columns / 2 * c.sw, c.drawn[0].y - c.rows / 2 * c.sh, c.sw, c.sh}));
    }

    using P = StripPiece;
    EXPECT_EQ(StripPieces(200, 10, false), (std::vector<P>{{P::Square, {0, 0, 200, 10}}}));
    // Half of 21 rounds to 11: the square half reaches one row past the strip.
    EXPECT_EQ(StripPieces(200, 21, true),
              (std::vector<P>{{P::Black, {0, 0, 200, 21}}, {P::Round, {0, 0, 200, 21}}, {P::Square, {0, 11, 200, 11}}}));

    // A 601-wide canvas puts the block where a 600-wide one does.
    EXPECT_EQ(TextBlock(600, 254, 22), (R{173, 0, 254, 22}));
    EXPECT_EQ(TextBlock(601, 254, 22), (R{173, 0, 254, 22}));
    EXPECT_EQ(TextBlock(160, 300, 12), (R{-70, 0, 300, 12}));
}

}  // namespace
