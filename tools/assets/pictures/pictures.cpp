#include "pictures/pictures.h"

#include "common/canvas.h"
#include "pictures/art.h"

void WritePictures(const std::filesystem::path& dir) {
  WriteBmp(DrawVillageSheet(), dir / "Village.bmp");
  WriteBmp(DrawPeopleSheet(), dir / "people.bmp");
  WriteBmp(DrawWorldSheet(), dir / "world.bmp");
  WriteBmp(DrawCastleSheet(), dir / "castle.bmp");
  WriteBmp(DrawDemonCastleSheet(), dir / "castle2.bmp");
  WriteBmp(DrawBattleField(), dir / "battle1.bmp");
  WriteBmp(DrawBattleForest(), dir / "battle2.bmp");
  WriteBmp(DrawBattleSprites(), dir / "pbattle.bmp");
  WriteBmp(DrawEndPicture(), dir / "end.bmp");
  WriteBmp(DrawBattleHall(), dir / "battle3.bmp");
  WriteBmp(DrawOverPicture(), dir / "over.bmp");
  WriteBmp(DrawStartPicture(), dir / "start.bmp");
}

void WriteIcon(const std::filesystem::path& file) {
  WriteBmp(DrawIconPicture(), file);
}
