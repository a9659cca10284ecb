#include "world/map_drawing.h"

#include "platform/display.h"
#include "state/assets.h"
#include "world/direction.h"
#include "world/tile_lists.h"

void DrawTileMap(const TileMap& map, Surface* tiles, const Camera& view, TileSourceFn source) {
  const std::int32_t offX = view.x % kCellPixels;
  const std::int32_t offY = view.y % kCellPixels;
  const std::int32_t columns = offX != 0 ? 21 : 20;
  const std::int32_t rows = offY != 0 ? 16 : 15;
  const std::int32_t firstColumn = view.x / kCellPixels;
  const std::int32_t firstRow = view.y / kCellPixels;
  for (std::int32_t r = 0; r < rows; ++r) {
    for (std::int32_t c = 0; c < columns; ++c) {
      // The camera's clamps keep these inside the map; a stray camera must
      // still never read outside the grid.
      if (!InsideMap(map, firstColumn + c, firstRow + r)) continue;
      Rect square = source(CodeAt(map, firstColumn + c, firstRow + r));
      BlitClipped(BackBuffer, kCellPixels * c - offX, kCellPixels * r - offY, tiles, square,
                  kCopyOpaque);
    }
  }
}

ActorPicture PrepareActorPicture(const Actor& figure, const TileMap& map,
                                 const std::uint8_t* coverTiles) {
  // The walking frame changes every 16 units of the step; standing shows 0.
  const std::int32_t frame = (figure.stepLeft / 16) % 2;
  ActorPicture picture{};
  picture.source.left = kCellPixels * frame;
  picture.source.top = kCellPixels * (figure.facing + 4 * figure.id);
  picture.source.right = picture.source.left + kCellPixels;
  picture.source.bottom = picture.source.top + kCellPixels;
  // A little bob when walking sideways.
  picture.lift = (figure.facing == Left || figure.facing == Right) && frame == 1 ? 4 : 3;
  picture.under = -1;
  if (coverTiles != nullptr) {
    // The lift, in pixels, is taken from the units unhalved: the probe sits
    // a hair above the figure's true middle.
    const std::int32_t column = (figure.x + 32) / kUnitsPerCell;
    const std::int32_t row = (figure.y - picture.lift + 32) / kUnitsPerCell;
    // The hero leaving a town is drawn once more over the town with his world
    // position, far off this map: there is nothing under him to look up.
    if (InsideMap(map, column, row)) {
      picture.under = CodeAt(map, column, row);
      if (IsTileInList(static_cast<std::uint8_t>(picture.under), coverTiles)) {
        picture.source.bottom = picture.source.top + 8;
      }
    }
  }
  return picture;
}

void DrawActorPicture(const ActorPicture& picture, std::int32_t x, std::int32_t y,
                      const Camera& view) {
  Rect source = picture.source;
  BlitClipped(BackBuffer, x / 2 - view.x, y / 2 - picture.lift - view.y, pictures::people.get(),
              source, kCopyKeyed);
}

void DrawActor(const Actor& figure, const Camera& view, const TileMap& map,
               const std::uint8_t* coverTiles) {
  DrawActorPicture(PrepareActorPicture(figure, map, coverTiles), figure.x, figure.y, view);
}
