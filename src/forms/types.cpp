// How the plain values read when printed: in messages and in the tests' failure reports.
#include "forms/types.h"

#include <ostream>

namespace mojara::forms {

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "rgb(" << int(c.r) << ',' << int(c.g) << ',' << int(c.b) << ')';
}

std::ostream& operator<<(std::ostream& out, const FontSpec& f) {
  out << f.Name << ' ' << f.Size << "pt";
  if (f.Bold) out << " bold";
  if (f.Italic) out << " italic";
  if (f.Underline) out << " underline";
  return out;
}

std::ostream& operator<<(std::ostream& out, PictureRef::Source source) {
  switch (source) {
    case PictureRef::Source::None:
      return out << "none";
    case PictureRef::Source::Store:
      return out << "store";
    case PictureRef::Source::Screen:
      return out << "screen";
  }
  return out << "source " << int(source);
}

std::ostream& operator<<(std::ostream& out, const PictureRef& p) {
  if (p.source == PictureRef::Source::None) return out << "no picture (index " << p.index << ')';
  return out << p.source << " picture " << p.index;
}

std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << "box left " << b.left << " top " << b.top << " width " << b.width << " height " << b.height;
}

}  // namespace mojara::forms
