// The browser's front end, natively: what the page is handed (the scene), the keys it maps, the
// sounds it is told to play, its clock and its kept settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "forms/types.h"
#include "sim/json.h"
#include "web/json_catalogue.h"
#include "web/json_value.h"
#include "web/key_codes.h"
#include "web/web_session.h"

namespace mojara::web {
namespace {

constexpr forms::Nanos kTick = forms::kDefaultTimerResolution;

JsonValue parsed(const std::string& text) { return JsonValue::parse(text); }

std::string startOptions(const std::string& more = "") {
  return std::string("{\"folder\":\"") + MOJARA_BIN_DIR + "\",\"seed\":7,\"attract\":false" + more + "}";
}

const JsonValue* controlNamed(const JsonValue& form, const std::string& name, int index = -1) {
  for (const JsonValue& c : form.find("controls")->array)
    if (c.stringOr("name", "") == name && c.numberOr("index", -2) == index) return &c;
  return nullptr;
}

TEST(WebKeys, BrowserKeysAreTheDesktopsVirtualKeys) {
  namespace vk = forms::vk;
  const struct {
    const char* code;
    const char* key;
    int expected;
  } cases[] = {
      {"KeyA", "a", 'A'},          {"KeyZ", "Z", 'Z'},
      {"Digit0", "0", '0'},        {"ArrowLeft", "ArrowLeft", vk::Left},
      {"Space", " ", vk::Space},   {"Enter", "Enter", vk::Return},
      {"NumpadEnter", "Enter", vk::KeypadEnter},
      {"Numpad4", "4", vk::Numpad0 + 4},
      // With Num Lock off the pad's 4 is its own left arrow, not the main one.
      {"Numpad4", "ArrowLeft", vk::KeypadOf + vk::Left},
      {"Numpad5", "Clear", vk::KeypadOf + vk::Clear},
      {"NumpadAdd", "+", vk::Add}, {"F1", "F1", vk::F1},
      {"F11", "F11", vk::F11},     {"F24", "F24", vk::F1 + 23},
      {"F25", "F25", 0},           {"F1x", "", 0},
      {"Minus", "-", vk::Minus},   {"Equal", "=", vk::Equals},
      {"BracketLeft", "[", vk::BracketLeft}, {"Quote", "'", vk::Apostrophe},
      {"Semicolon", ";", vk::Semicolon},     {"IntlYen", "¥", 0},
      {"Key", "", 0},              {"", "", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(virtualKeyOf(c.code, c.key), c.expected) << c.code << " " << c.key;
}

TEST(WebScene, TheTitleIsHandedOverWithItsPictureButtonsAndCaption) {
  WebSession session;
  const JsonValue start = parsed(session.start(startOptions()));
  ASSERT_EQ(start.find("error"), nullptr);
  EXPECT_EQ(start.stringOr("lang", ""), "ja");
  EXPECT_EQ(start.find("assets")->find("store")->stringOr("file", ""), "sprites.png");
  const JsonValue& forms = *start.find("scene")->find("forms");
  ASSERT_EQ(forms.array.size(), 1u);
  const JsonValue& title = forms.array[0];
  EXPECT_EQ(title.stringOr("name", ""), "Form3");
  EXPECT_TRUE(title.boolOr("front", false));
  EXPECT_GT(title.numberOr("width", 0), 100);
  const JsonValue* play = controlNamed(title, "Command1");
  ASSERT_NE(play, nullptr);
  EXPECT_EQ(play->stringOr("kind", ""), "button");
  EXPECT_EQ(play->stringOr("caption", ""), "Ｐｌａｙ　Ｇａｍｅ");
  EXPECT_TRUE(play->boolOr("default", false));
  const JsonValue* picture = controlNamed(title, "Image1");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->find("picture")->stringOr("file", ""), "title.png");
  // The canvas's controls come first, bottom first, and the buttons above them.
  const auto& controls = title.find("controls")->array;
  EXPECT_EQ(controls.front().stringOr("name", ""), "Image1");
  EXPECT_EQ(controls.back().stringOr("name", ""), "Command2");
  // Nothing changed: the next scene says so instead of writing the windows again.
  EXPECT_EQ(parsed(session.frame(1)).find("forms")->type, JsonValue::Type::Null);
  EXPECT_EQ(parsed(session.scene()).find("forms")->array.size(), 1u);
}

TEST(WebScene, EnglishShowsTheCatalogueWithItsPluralForms) {
  const std::string catalogue =
      R"({"pluralForms":"nplurals=2; plural=(n != 1);","messages":{"Ｐｌａｙ　Ｇａｍｅ":"Play Game"},)"
      R"("plurals":{"{n}ＨＩＴ！！":["{n} HIT!!","{n} HITS!!"]}})";
  WebSession session;
  const JsonValue start = parsed(session.start(startOptions(",\"lang\":\"en\",\"catalogue\":" + catalogue)));
  EXPECT_EQ(start.stringOr("lang", ""), "en");
  const JsonValue& title = start.find("scene")->find("forms")->array[0];
  EXPECT_EQ(controlNamed(title, "Command1")->stringOr("caption", ""), "Play Game");
  const auto lookup = catalogueLookup(parsed(catalogue));
  EXPECT_EQ(CaptionTranslator(lookup).translate("1ＨＩＴ！！"), "1 HIT!!");
  EXPECT_EQ(CaptionTranslator(lookup).translate("12ＨＩＴ！！"), "12 HITS!!");
  // Plural rules of other languages, as gettext works them out.
  const char* polish = "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);";
  EXPECT_EQ(pluralFormOf(polish, 1), 0u);
  EXPECT_EQ(pluralFormOf(polish, 3), 1u);
  EXPECT_EQ(pluralFormOf(polish, 13), 2u);
  EXPECT_EQ(pluralFormOf(polish, 22), 1u);
  EXPECT_EQ(pluralFormOf("nplurals=1; plural=0;", 5), 0u);
  EXPECT_EQ(pluralFormOf("plural=(n %", 2), 1u);  // unreadable: n != 1
  EXPECT_EQ(pluralFormOf("plural=n%0;", 2), 1u);
}

TEST(WebSession, BadOptionsAreRefusedWithTheirReason) {
  for (const char* options : {"{", "{\"fight\":[0,9]}", "[1,2", "{\"lang\":\"en\",\"catalogue\":{\"messages\":{\"a\":\"\\ud800\"}}}"}) {
    WebSession session;
    const JsonValue answer = parsed(session.start(options));
    EXPECT_FALSE(answer.stringOr("error", "").empty()) << options;
    EXPECT_FALSE(session.started());
    EXPECT_NE(parsed(session.frame(10)).find("error"), nullptr);
  }
}

// The sound events of a practice fight on the game's clock.
struct Heard {
  std::vector<double> musicPlays;  // ms
  int effects = 0;
};

Heard listen(WebSession& session, double untilMs, double stepMs) {
  Heard heard;
  for (double t = stepMs; t <= untilMs; t += stepMs) {
    const JsonValue scene = parsed(session.frame(t));
    for (const JsonValue& e : scene.find("sounds")->array) {
      if (e.stringOr("type", "") != "play") continue;
      if (e.boolOr("music", false))
        heard.musicPlays.push_back(e.numberOr("at", -1));
      else
        ++heard.effects;
    }
  }
  return heard;
}

TEST(WebSound, TheMusicLoopsOnTheFirstTickAfterItsOwnLengthWhateverTheFrameRate) {
  // The same fight, the page's frames coming 16 ms or 250 ms apart: the same plays at the same times.
  std::vector<double> first;
  for (const double step : {16.0, 250.0}) {
    WebSession session;
    session.start(startOptions(",\"demo\":true,\"fight\":[0,1]"));
    const Heard heard = listen(session, 120'000, step);
    ASSERT_GE(heard.musicPlays.size(), 2u) << step;
    for (std::size_t i = 1; i < heard.musicPlays.size(); ++i) {
      const double gap = heard.musicPlays[i] - heard.musicPlays[i - 1];
      EXPECT_GE(gap, 51'200) << step;  // the MIDI's own length
      EXPECT_LT(gap, 51'200 + 2 * (kTick / 1e6)) << step;
    }
    EXPECT_GT(heard.effects, 0);
    if (first.empty())
      first = heard.musicPlays;
    else
      EXPECT_EQ(heard.musicPlays, first);
  }
}

TEST(WebClock, TimersFireAtTheirOwnDueTimesAndTheClockNeverGoesBack) {
  WebSession session;
  session.start(startOptions(",\"fight\":[0,1]"));
  WebFrontEnd& fe = *session.frontEnd();
  const forms::Form& battle = fe.game().form(Window::Battle);
  ASSERT_TRUE(battle.shown());
  session.frame(1000);
  const long long at1s = battle.timerEvents();
  EXPECT_EQ(at1s, 1'000'000'000 / kTick);
  session.frame(500);  // an earlier time changes nothing
  EXPECT_EQ(fe.now(), 1'000'000'000);
  EXPECT_EQ(battle.timerEvents(), at1s);
  const double due = session.nextDue();
  EXPECT_NEAR(due, static_cast<double>((at1s + 1) * kTick) / 1e6, 1e-6);
}

TEST(WebSettings, SoundKeysAreKeptInTheSettingsTextAndComeBackFromIt) {
  WebSession session;
  session.start(startOptions(",\"settings\":\"# mine\\n[sound]\\nmusic=5\\n\""));
  JsonValue scene = parsed(session.keyDown("BracketLeft", "[", 0));  // the music a step softer
  EXPECT_EQ(scene.find("levels")->numberOr("musicLevel", -1), 4);
  ASSERT_EQ(scene.find("requests")->array.size(), 1u);
  const std::string kept = scene.find("requests")->array[0].stringOr("text", "");
  EXPECT_EQ(kept, "# mine\n[sound]\nmusic=4\n");
  ASSERT_EQ(scene.find("notices")->array.size(), 1u);
  EXPECT_EQ(scene.find("notices")->array[0].string, "音楽 4/8・効果音 8/8");
  // The front end's keys never reach the game, nor do they move about the title.
  EXPECT_EQ(session.frontEnd()->desktop().focus(session.frontEnd()->game().form(Window::Title))->Name, "Command1");

  WebSession again;
  const JsonValue start = parsed(again.start(startOptions(",\"settings\":" + sim::jsonString(kept))));
  EXPECT_EQ(start.find("scene")->find("levels")->numberOr("musicLevel", -1), 4);
  // A notice goes at its time.
  scene = parsed(session.frame(3000));
  EXPECT_TRUE(scene.find("notices")->array.empty());
}

TEST(WebInput, TheTitlesButtonLeadsToTheSelectWindowAndF1ToTheHelp) {
  WebSession session;
  session.start(startOptions());
  JsonValue scene = parsed(session.keyDown("F1", "F1", 0));
  ASSERT_EQ(scene.find("forms")->array.size(), 2u);
  EXPECT_EQ(scene.find("forms")->array[1].stringOr("name", ""), "Form4");
  session.closeRequest("Form4");
  scene = parsed(session.click("Form3", "Command1", -1));
  for (int t = 1; t <= 40; ++t) {
    const JsonValue next = parsed(session.frame(t * 100));
    if (next.find("forms")->type != JsonValue::Type::Null) scene = next;
  }
  const auto& forms = scene.find("forms")->array;
  ASSERT_FALSE(forms.empty());
  EXPECT_EQ(forms.back().stringOr("name", ""), "Form5");
}

}  // namespace
}  // namespace mojara::web

namespace mojara::web {
namespace {

// A fight played with recording on leaves its replay in the program's folder, where the page
// offers it as a download.
TEST(WebRecording, APracticeFightIsWrittenAsAReplay) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "mojara-web-record-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  for (const char* file : {"music2.mid", "snd1.wav", "snd2.wav", "beep.wav"})
    std::filesystem::copy_file(std::filesystem::path(MOJARA_BIN_DIR) / file, folder / file);
  WebSession session;
  const JsonValue start = parsed(session.start("{\"folder\":\"" + folder.string() +
                                              "\",\"seed\":7,\"record\":true,\"fight\":[1,2],\"demo\":true}"));
  ASSERT_EQ(start.find("error"), nullptr);
  for (double t = 0; t < 300'000; t += 1000) session.frame(t);
  std::ifstream replay(folder / "replay.txt");
  std::string header;
  std::getline(replay, header);
  EXPECT_FALSE(header.empty()) << "no replay in " << folder;
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace mojara::web
