#include "world/camera.h"

#include "platform/display.h"

Camera camera = {0, 0};

Camera CameraFor(const Actor& hero, std::int32_t mapPixelWidth, std::int32_t mapPixelHeight) {
  // (304, 224) puts the hero's 32 x 32 frame in the middle of the screen.
  Camera c{hero.x / 2 - 304, hero.y / 2 - 224};
  if (c.x + kScreenWidth > mapPixelWidth) c.x = mapPixelWidth - kScreenWidth;
  if (c.y + kScreenHeight > mapPixelHeight) c.y = mapPixelHeight - kScreenHeight;
  // The left and top edges win on a map no bigger than the screen.
  if (c.x < 0) c.x = 0;
  if (c.y < 0) c.y = 0;
  return c;
}

void FollowHero(const TileMap& map) {
  camera = CameraFor(actors[0], PixelWidth(map), PixelHeight(map));
}
