#include "select/select_window.h"

#include "assets/pictures.h"

namespace mojara {

Form5::Form5(Game& game) : GameForm(game, "Form5") {
  Caption = "Ｐｌａｙｅｒ　Ｓｅｌｅｃｔ";
  ScaleWidth = 6780;
  ScaleHeight = 6060;
  BackColor = {128, 128, 255};
  MaxButton = false;
  Icon = assets::screenPicture(assets::ScreenPicture::GameIcon);
}

void Form5::Form_Unload() { slideUp(); }

}  // namespace mojara
