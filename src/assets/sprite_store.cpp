#include "assets/sprite_store.h"

#include <utility>

#include "assets/pictures.h"

namespace mojara {

namespace {

static_assert(assets::kStoreSize == std::tuple_size_v<decltype(StoreControls::ORE)>);

// The image slot of picture i, in its place on the store's grid.
forms::Image storeImage(int i) {
  const float left = 105.0f + 315.0f * static_cast<float>(i % assets::kStoreColumns);
  const float top = 105.0f + 315.0f * static_cast<float>(i / assets::kStoreColumns);
  return forms::Image("ORE", forms::Box{left, top, 330, 330}, i);
}

template <std::size_t... I>
std::array<forms::Image, sizeof...(I)> storeImages(std::index_sequence<I...>) {
  return {storeImage(static_cast<int>(I))...};
}

}  // namespace

StoreControls::StoreControls() : ORE(storeImages(std::make_index_sequence<assets::kStoreSize>{})) {
  for (forms::Image& picture : ORE) {
    picture.Visible = false;
    picture.Picture = assets::storePicture(picture.Index);
  }
}

std::vector<forms::Control*> StoreControls::list() {
  std::vector<forms::Control*> out;
  out.reserve(ORE.size());
  for (auto& picture : ORE) out.push_back(&picture);
  return out;
}

Form1::Form1(Program& program) : GameForm(program, Window::Store) {
  designWindow("グラフィックの墓", 4725, 7125, {192, 192, 192});
}

}  // namespace mojara
