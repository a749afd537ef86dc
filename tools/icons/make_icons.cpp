// Scales the game's 32 x 32 window icon to the usual desktop icon sizes, pixel for pixel.
//   make-icons ICON.png OUTDIR    writes OUTDIR/NxN/apps/net.mojara.Taisen.png
#include <QDir>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make-icons ICON.png OUTDIR\n");
    return 2;
  }
  const QImage icon(QString::fromLocal8Bit(argv[1]));
  if (icon.isNull()) {
    std::fprintf(stderr, "make-icons: cannot read %s\n", argv[1]);
    return 1;
  }
  for (int size : {16, 32, 48, 64, 128, 256}) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
    QDir().mkpath(folder);
    const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!scaled.save(folder + QStringLiteral("/net.mojara.Taisen.png"))) {
      std::fprintf(stderr, "make-icons: cannot write into %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
