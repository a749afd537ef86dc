#include "qt/picture_library.h"

#include <QDir>

#include "assets/pictures.h"

namespace mojara::qt {

namespace {

QImage readPicture(const QString& folder, std::string_view file, QSize expected = {}) {
  const QString path = QDir(folder).filePath(QString::fromUtf8(file.data(), static_cast<int>(file.size())));
  QImage image(path);
  if (image.isNull())
    throw MissingPicture("cannot read the picture " + path.toStdString() +
                         ": it is missing or broken (rebuild the game to make it again: ./play, or "
                         "cmake --build build)");
  if (expected.isValid() && image.size() != expected)
    throw MissingPicture("the picture " + path.toStdString() + " is " + std::to_string(image.width()) + "x" +
                         std::to_string(image.height()) + " pixels, not " + std::to_string(expected.width()) +
                         "x" + std::to_string(expected.height()) + " (rebuild the game to make it again)");
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

PictureLibrary::PictureLibrary(const QString& folder) {
  using namespace assets;
  constexpr int rows = kStoreSize / kStoreColumns;
  const QImage atlas =
      readPicture(folder, kStoreFile, QSize(kStoreColumns * kStoreCellPixels, rows * kStoreCellPixels));
  for (int i = 0; i < kStoreSize; ++i)
    store_.push_back(atlas.copy((i % kStoreColumns) * kStoreCellPixels,
                                (i / kStoreColumns) * kStoreCellPixels, kStoreCellPixels, kStoreCellPixels));
  for (std::string_view file : kScreenPictureFiles) screen_.push_back(readPicture(folder, file));
}

const QImage* PictureLibrary::find(const forms::PictureRef& ref) const {
  using Source = forms::PictureRef::Source;
  const std::vector<QImage>* from = ref.source == Source::Store    ? &store_
                                    : ref.source == Source::Screen ? &screen_
                                                                   : nullptr;
  if (!from || ref.index < 0 || ref.index >= static_cast<int>(from->size())) return nullptr;
  return &(*from)[static_cast<std::size_t>(ref.index)];
}

}  // namespace mojara::qt
