// How the shared values read when printed: in messages and in the tests' failure reports.
#include <ostream>
#include <string>
#include <type_traits>

#include "app/fight_setup.h"
#include "app/module1.h"
#include "app/window.h"

namespace mojara {

namespace {

// A text in double quotes, its quotes, backslashes and control characters escaped (NL is "\r\n").
void quoted(std::ostream& out, const std::string& text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out << '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\')
      out << '\\' << c;
    else if (c == '\r')
      out << "\\r";
    else if (c == '\n')
      out << "\\n";
    else if (byte < 0x20 || byte == 0x7f)
      out << "\\x" << kHex[byte >> 4] << kHex[byte & 0xf];
    else
      out << c;
  }
  out << '"';
}

template <class T, int N>
void list(std::ostream& out, const char* name, const Bounded<T, N>& values) {
  out << name << " [";
  for (int i = 0; i < N; ++i) {
    if (i) out << ',';
    if constexpr (std::is_same_v<T, std::string>)
      quoted(out, values[i]);
    else
      out << values[i];
  }
  out << "] ";
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Module1& M) {
  list(out, "PNAME", M.PNAME);
  list(out, "LIFEFULL", M.LIFEFULL);
  list(out, "LIFE", M.LIFE);
  list(out, "POW", M.POW);
  list(out, "SCORE", M.SCORE);
  list(out, "WALKSPD", M.WALKSPD);
  list(out, "ATK", M.ATK);
  list(out, "CHARA", M.CHARA);
  list(out, "XPOS", M.XPOS);
  list(out, "YPOS", M.YPOS);
  list(out, "XSPD", M.XSPD);
  list(out, "YSPD", M.YSPD);
  list(out, "POSE", M.POSE);
  list(out, "FACING", M.FACING);
  list(out, "ACTION", M.ACTION);
  out << "IX " << M.IX << " SPEED " << M.SPEED << " STAGE " << M.STAGE << ' ';
  list(out, "BEATEN", M.BEATEN);
  out << "PICKSLOT " << M.PICKSLOT << " PRESSED " << M.PRESSED << " NL ";
  quoted(out, M.NL);
  return out;
}

std::ostream& operator<<(std::ostream& out, const FightSetup& f) {
  out << f.player << ' ' << f.opponent;
  if (f.seed)
    out << " --seed " << *f.seed;
  else
    out << " (seeded from the clock)";
  out << " --speed " << f.speed << " --pow " << f.pow[0] << ',' << f.pow[1] << " --score " << f.score[0]
      << ',' << f.score[1];
  if (f.demo) out << " --demo";
  if (f.versus) out << " --versus";
  return out;
}

std::ostream& operator<<(std::ostream& out, Window w) { return out << formName(w); }

}  // namespace mojara
