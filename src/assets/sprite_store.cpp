#include "assets/sprite_store.h"

#include "assets/pictures.h"

namespace mojara {

StoreControls::StoreControls() {
  for (int i = 0; i < assets::kStoreSize; ++i) {
    const float left = 105.0f + 315.0f * static_cast<float>(i % assets::kStoreColumns);
    const float top = 105.0f + 315.0f * static_cast<float>(i / assets::kStoreColumns);
    auto picture = std::make_unique<forms::Image>("ORE", forms::Box{left, top, 330, 330}, i);
    picture->Visible = false;
    picture->Picture = assets::storePicture(i);
    ORE.push_back(std::move(picture));
  }
}

std::vector<forms::Control*> StoreControls::list() {
  std::vector<forms::Control*> out;
  for (auto& picture : ORE) out.push_back(picture.get());
  return out;
}

Form1::Form1(Program& program) : GameForm(program, Window::Store) {
  designWindow("グラフィックの墓", 4725, 7125, {192, 192, 192});
}

}  // namespace mojara
