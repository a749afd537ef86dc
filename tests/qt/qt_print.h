// How Qt's values read in the tests' failure reports, which would otherwise show their bytes.
// Every test file that compares them includes this.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <ostream>

// A text in double quotes, UTF-8, its line breaks and quotes escaped.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"';
  for (const char c : text.toStdString()) {
    if (c == '\n')
      *out << "\\n";
    else if (c == '\r')
      *out << "\\r";
    else if (c == '\t')
      *out << "\\t";
    else if (c == '"' || c == '\\')
      *out << '\\' << c;
    else
      *out << c;
  }
  *out << '"';
}

inline void PrintTo(const QColor& c, std::ostream* out) {
  if (!c.isValid()) {
    *out << "invalid colour";
    return;
  }
  *out << "rgba(" << c.red() << ',' << c.green() << ',' << c.blue() << ',' << c.alpha() << ')';
}

inline void PrintTo(const QSize& s, std::ostream* out) { *out << s.width() << 'x' << s.height(); }

inline void PrintTo(const QPoint& p, std::ostream* out) { *out << '(' << p.x() << ',' << p.y() << ')'; }

inline void PrintTo(const QRect& r, std::ostream* out) {
  *out << r.width() << 'x' << r.height() << " at (" << r.x() << ',' << r.y() << ')';
}

// Its size and format, and a hash of its pixels: two images that differ show different hashes.
inline void PrintTo(const QImage& image, std::ostream* out) {
  if (image.isNull()) {
    *out << "null image";
    return;
  }
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over each row's pixel bytes
  const auto rowBytes = static_cast<qsizetype>((image.width() * image.depth() + 7) / 8);
  for (int y = 0; y < image.height(); ++y) {
    const uchar* row = image.constScanLine(y);
    for (qsizetype i = 0; i < rowBytes; ++i) hash = (hash ^ row[i]) * 1099511628211ull;
  }
  *out << image.width() << 'x' << image.height() << " image, format " << int(image.format()) << ", pixels hash "
       << std::hex << hash << std::dec;
}
