#include "help/help_window.h"

#include "assets/pictures.h"
#include "forms/text.h"
#include "help/help_document.h"

namespace mojara {

HelpControls::HelpControls() {
  // Kept: the list names topics 3 and 4 otherwise than their headings in the document (制作後記, 制作環境).
  Combo1.List = {"ごあいさつ", "ストーリー", "操作方法", "あとがき", "開発環境"};
  Text1.Text = "Text1";
  Text1.Locked = true;
  Text1.MultiLine = true;
  Text1.VerticalScrollBar = true;
  Text1.Font.Size = 12.0f;
  Command1.Caption = "消す";
  Command1.Cancel = true;  // Escape closes the window as the button does
  bunText = forms::toChars(helpDocument());
}

std::vector<forms::Control*> HelpControls::list() { return {&Combo1, &Text1, &Command1, &bun, &Timer1}; }

Form4::Form4(Program& program) : GameForm(program, Window::Help) {
  designWindow("HELP", 6120, 4815, {255, 192, 192}, assets::screenPicture(assets::ScreenPicture::HelpIcon));
}

void Form4::Form_Load() { SHOWNTOPIC = -1; }

namespace {

std::int32_t topicOf(const std::string& item) {
  if (item == "ストーリー") return 1;
  if (item == "操作方法") return 2;
  if (item == "あとがき") return 3;
  if (item == "開発環境") return 4;
  // Kept: "ごあいさつ" and anything else, the empty text too: the first tick shows it with nothing chosen.
  return 0;
}

// The number written by the (up to) two characters after a marker's "{", read as the game reads
// it: digits from the left until the first non-digit.
std::int32_t markerNumber(const std::u32string& doc, std::size_t first) {
  std::int32_t n = 0;
  for (std::size_t i = first; i < first + 2 && i < doc.size(); ++i) {
    if (doc[i] < U'0' || doc[i] > U'9') break;
    n = n * 10 + static_cast<std::int32_t>(doc[i] - U'0');
  }
  return n;
}

}  // namespace

void Form4::Timer1_Timer() {
  HelpControls& c = *ctl;
  const std::int32_t t = topicOf(c.Combo1.Text);
  if (t == SHOWNTOPIC) return;

  // Kept: the box shrinks by 3100 twips and grows back within this one tick; no step of it is ever seen.
  for (int step = 0; step <= 30; ++step) c.Text1.Height -= 100;
  c.Text1.Text.clear();

  // Positions count characters from 1.
  // Kept: the search for topic t's marker starts at character t * 100 + 1; each marker stands at or past it.
  const std::u32string& doc = c.bunText;
  std::u32string shown;
  for (std::size_t p = static_cast<std::size_t>(t) * 100 + 1; p <= doc.size(); ++p) {
    if (doc[p - 1] != U'{' || markerNumber(doc, p) != t) continue;
    SHOWNTOPIC = t;
    // Past the "{", the two digits and the line break, up to the next marker.
    for (std::size_t q = p + 4; q <= doc.size() && doc[q - 1] != U'{'; ++q) shown += doc[q - 1];
    break;
  }
  c.Text1.Text = forms::toUtf8(shown);

  for (int step = 0; step <= 30; ++step) c.Text1.Height += 100;
}

void Form4::Command1_Click() { desktop.unload(*this); }

void Form4::Form_Unload() { slideUp(); }

void Form4::onClick(forms::Control& control) {
  if (&control == &ctl->Command1) Command1_Click();
}

void Form4::onTimer(forms::Timer& timer) {
  if (&timer == &ctl->Timer1) Timer1_Timer();
}

}  // namespace mojara
