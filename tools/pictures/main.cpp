// make-pictures: draws every picture of the game into one folder.
//   make-pictures OUTDIR        the game's pictures plus contact-sheet.png
//   make-pictures --cast FILE   only a smaller contact sheet, for the README
#include <QDir>
#include <QString>
#include <cstdio>
#include <string>
#include <string_view>

#include "assets/asset_files.h"
#include "screens.h"
#include "store.h"

namespace {

// The store, seven screens, the portraits and the contact sheet.
static_assert(mojara::assets::kPictureFiles.size() == 1 + 7 + mojara::assets::kPortraitFiles.size() + 1,
              "a picture added to the asset file list needs drawing here");

QString fileName(std::string_view name) { return QString::fromUtf8(name.data(), qsizetype(name.size())); }

bool save(const pictures::Canvas& canvas, const QString& path) {
  if (canvas.toImage().save(path, "PNG")) return true;
  std::fprintf(stderr, "make-pictures: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pictures;
  const std::string first = argc > 1 ? argv[1] : "";
  if (argc != 2 && !(argc == 3 && first == "--cast")) {
    std::fprintf(stderr, "usage: make-pictures OUTDIR | make-pictures --cast FILE\n");
    return 2;
  }
  const Canvas store = buildStore();
  const std::vector<Picture> screens = screenPictures(store);
  if (argc == 3) return save(contactSheet(store, screens, 2, 1), QString::fromLocal8Bit(argv[2])) ? 0 : 1;

  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "make-pictures: cannot create %s\n", argv[1]);
    return 1;
  }
  bool ok = save(store, dir.filePath(fileName(mojara::assets::kStoreFile)));
  for (const Picture& p : screens) ok = save(p.canvas, dir.filePath(QString::fromStdString(p.file))) && ok;
  ok = save(contactSheet(store, screens, 4), dir.filePath(fileName(mojara::assets::kContactSheetFile))) && ok;
  return ok ? 0 : 1;
}
