// The pictures of the game read from the picture folder: the sprite store's cells and the screen
// pictures, looked up by the references the forms hold.
#pragma once

#include <QImage>
#include <QString>
#include <stdexcept>
#include <vector>

#include "forms/types.h"

namespace mojara::qt {

struct MissingPicture : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class PictureLibrary {
 public:
  // Reads every picture; a missing or broken file throws MissingPicture naming it.
  explicit PictureLibrary(const QString& folder);

  // The picture a reference names, or nullptr for no picture.
  const QImage* find(const forms::PictureRef& ref) const;

 private:
  std::vector<QImage> store_;
  std::vector<QImage> screen_;
};

}  // namespace mojara::qt
