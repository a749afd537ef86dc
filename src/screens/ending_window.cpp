#include "screens/ending_window.h"

#include <optional>
#include <string_view>

#include "app/game_numbers.h"
#include "assets/pictures.h"

namespace mojara {

namespace {

// A page of the staff roll; a line left out keeps what the page before it set.
// Kept: the cast is spelt otherwise than on the select window (たま, 暗黒騎士　二郎) and はにい is HANIWA.
struct RollPage {
  std::optional<std::string_view> line1, line2, heading;
};

constexpr std::nullopt_t same = std::nullopt;

// clang-format off
const RollPage kPages[21] = {
    {"ＡＬＬ ＳＴＡＦＦ", "全紹介！！", "もじゃら大戦"},
    {"だいさく", "DAISAKU", "キャスト"},
    {"みよ", "MIYO", same},
    {"たま", "TAMA", same},
    {"大顔面", "DAIGANMEN", same},
    {"暗黒騎士　二郎", "DARKNESS KNIGHT JIRO", same},
    {"はにい", "HANIWA", same},
    {"あいあんどーる", "IRON DOLL", same},
    {"黒炭人", "KOKUTANZIN", same},
    {"？？？？？", "？？？？？", same},
    {"ぬこた　さんぺい", "NUKOTA SANPEI", "プログラマー"},
    {"ぬこた　さんぺい", "NUKOTA SANPEI", "キャラ　デザイン"},
    {"空野　風太", "FUTA SORANO", same},
    {"雲井　波平", "NAMIHEI KUMOI", "スペシャル　サンクス"},
    {"空野　風太", "FUTA SORANO", same},
    {"その他 色々", "OTHER････", same},
    {"皆さん　このゲームをしてくれて", "どうもありがとう", "皆さんへ・・・"},
    {"ぬこたはこれからも", "気合いを入れて頑張りますので", same},
    {"暖かい応援", "お願いしまーーっす！！(^O^)", same},
    {"Ｒ．Ｍ　ｗｏｒｋｓ 1998", "", "企画：制作"},
    {"終わり", "ＴＨＥ　ＥＮＤ･･･", ""},
};
// clang-format on

}  // namespace

EndingControls::EndingControls() {
  Image1.Picture = assets::screenPicture(assets::ScreenPicture::Ending);
  for (forms::Label* label : {&Label1, &ROAL[0], &ROAL[1]}) {
    label->Alignment = forms::TextAlign::Center;
    label->BackStyle = forms::BackMode::Transparent;
    label->Font = {"ＭＳ Ｐ明朝", 18, true};
  }
  ROAL[1].Font = {"ＭＳ Ｐゴシック", 18, false};
  ROAL[1].ForeColor = {128, 128, 128};
}

std::vector<forms::Control*> EndingControls::list() {
  return {&Image1, &Label1, &ROAL[0], &ROAL[1], &Timer1};
}

Form7::Form7(Program& program) : GameForm(program, Window::Ending) {
  // Kept: the window's icon is store picture 182 (あいあんどーる facing left), not the game's icon.
  designWindow("Ｅｎｄｉｎｇ", 5160, 5925, {0, 192, 192},
               assets::storePicture(storeIndex(6, 1, picture::WalkA)));
  MinButton = false;
}

void Form7::Form_Load() {
  EndingControls& c = *ctl;
  ROLLPAGE = 0;
  ROLLSTEP = 600;
  ROLLWAIT = 0;
  ROLLREST = 25;
  c.ROAL[0].Left = -c.ROAL[0].Width;  // waiting just outside the left edge
  c.ROAL[1].Left = Width();           // and just outside the right edge
  STAFF();
}

void Form7::STAFF() {
  if (ROLLPAGE >= 0 && ROLLPAGE <= 20) {
    const RollPage& page = kPages[ROLLPAGE];
    if (page.line1) ROLLLINE1 = *page.line1;
    if (page.line2) ROLLLINE2 = *page.line2;
    if (page.heading) ROLLHEAD = *page.heading;
  }
  ctl->ROAL[0].Caption = ROLLLINE1;
  ctl->ROAL[1].Caption = ROLLLINE2;
  ctl->Label1.Caption = ROLLHEAD;
}

void Form7::Timer1_Timer() {
  EndingControls& c = *ctl;
  float& left0 = c.ROAL[0].Left;
  float& left1 = c.ROAL[1].Left;
  if (left1 > 0) {
    // Coming in from both sides.
    left0 += ROLLSTEP;
    left1 -= ROLLSTEP;
  } else if (ROLLWAIT <= ROLLREST) {
    if (ROLLWAIT == 0) left0 = left1 = 0;  // they meet in the middle and rest
    ROLLWAIT += 1;
  }
  if (ROLLWAIT > ROLLREST) {
    // Going on out, then the next page.
    left0 += ROLLSTEP;
    left1 -= ROLLSTEP;
    if (left0 > Width()) {
      left0 = -c.ROAL[0].Width;
      left1 = Width();
      ROLLWAIT = 0;
      ROLLPAGE += 1;
      STAFF();
    }
  }
  if (ROLLPAGE >= 21) {
    desktop.unload(*this);
    desktop.end();
  }
}

void Form7::Form_Unload() { slideUp(); }

}  // namespace mojara
