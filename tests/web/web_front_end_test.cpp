// The browser's front end, natively: what the page is handed (the scene), the keys it maps, the
// sounds it is told to play, its clock and its kept settings.
#include <gtest/gtest.h>
#include <libintl.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "forms/types.h"
#include "sim/json.h"
#include "play/texts/page_words.h"
#include "play/texts/versus_words.h"
#include "web/json_catalogue.h"
#include "web/page_json.h"
#include "web/key_codes.h"
#include "web/web_session.h"

namespace mojara::web {
namespace {

constexpr forms::Nanos kTick = forms::kDefaultTimerResolution;

Json parsed(const std::string& text) { return Json::parse(text); }

std::string startOptions(const std::string& more = "") {
  return std::string("{\"folder\":\"") + MOJARA_BIN_DIR + "\",\"seed\":7,\"attract\":false" + more + "}";
}

const Json* controlNamed(const Json& form, const std::string& name, int index = -1) {
  for (const Json& c : form.at("controls"))
    if (c.value("name", "") == name && c.value("index", -2) == index) return &c;
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
  const Json start = parsed(session.start(startOptions()));
  ASSERT_FALSE(start.contains("error")) << start["error"];
  EXPECT_EQ(start.value("lang", ""), "ja");
  EXPECT_EQ(start.at("assets").at("store").value("file", ""), "sprites.png");
  const Json& forms = start.at("scene").at("forms");
  ASSERT_EQ(forms.size(), 1u);
  const Json& title = forms[0];
  EXPECT_EQ(title.value("name", ""), "Form3");
  EXPECT_TRUE(title.value("front", false));
  EXPECT_GT(title.value("width", 0), 100);
  const Json* play = controlNamed(title, "Command1");
  ASSERT_NE(play, nullptr);
  EXPECT_EQ(play->value("kind", ""), "button");
  EXPECT_EQ(play->value("caption", ""), "Ｐｌａｙ　Ｇａｍｅ");
  EXPECT_TRUE(play->value("default", false));
  const Json* picture = controlNamed(title, "Image1");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->at("picture").value("file", ""), "title.png");
  // The canvas's controls come first, bottom first, and the buttons above them.
  const auto& controls = title.at("controls");
  EXPECT_EQ(controls.front().value("name", ""), "Image1");
  EXPECT_EQ(controls.back().value("name", ""), "Command2");
  // Nothing changed: the next scene says so instead of writing the windows again.
  EXPECT_TRUE(parsed(session.frame(1)).at("forms").is_null());
  EXPECT_EQ(parsed(session.scene()).at("forms").size(), 1u);
}

TEST(WebScene, EnglishShowsTheCatalogueWithItsPluralForms) {
  const std::string catalogue =
      R"({"pluralForms":"nplurals=2; plural=(n != 1);","messages":{"Ｐｌａｙ　Ｇａｍｅ":"Play Game"},)"
      R"("plurals":{"{n}ＨＩＴ！！":["{n} HIT!!","{n} HITS!!"]}})";
  WebSession session;
  const Json start = parsed(session.start(startOptions(",\"lang\":\"en\",\"catalogue\":" + catalogue)));
  EXPECT_EQ(start.value("lang", ""), "en");
  const Json& title = start.at("scene").at("forms")[0];
  EXPECT_EQ(controlNamed(title, "Command1")->value("caption", ""), "Play Game");
  const auto lookup = catalogueLookup(parsed(catalogue));
  EXPECT_EQ(CaptionTranslator(lookup).compose("{n}ＨＩＴ！！", 1), "1 HIT!!");
  EXPECT_EQ(CaptionTranslator(lookup).compose("{n}ＨＩＴ！！", 12), "12 HITS!!");
  // Plural rules of other languages, as gettext works them out.
  const char* polish = "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);";
  EXPECT_EQ(pluralFormOf(polish, 1), 0u);
  EXPECT_EQ(pluralFormOf(polish, 3), 1u);
  EXPECT_EQ(pluralFormOf(polish, 13), 2u);
  EXPECT_EQ(pluralFormOf(polish, 22), 1u);
  EXPECT_EQ(pluralFormOf("nplurals=1; plural=0;", 5), 0u);
  EXPECT_EQ(pluralFormOf("plural=(n %", 2), 1u);  // unreadable: n != 1
  EXPECT_EQ(pluralFormOf("plural=n%0;", 2), 1u);
  // Nesting is read to a sane depth, past it the header is unreadable (not a stack overflow).
  const auto nested = [](int depth, std::string_view open, std::string_view close) {
    std::string e = "plural=";
    for (int i = 0; i < depth; ++i) e += open;
    e += "n==1";
    for (int i = 0; i < depth; ++i) e += close;
    return e + ";";
  };
  EXPECT_EQ(pluralFormOf(nested(30, "(", ")"), 1), 1u);
  EXPECT_EQ(pluralFormOf(nested(30, "!!", ""), 1), 1u);
  EXPECT_EQ(pluralFormOf(nested(30, "n?(", "):0"), 1), 1u);
  EXPECT_EQ(pluralFormOf(nested(300'000, "(", ")"), 1), 0u);
  EXPECT_EQ(pluralFormOf(nested(300'000, "!", ""), 1), 0u);
}

// The versus window's words come from the catalogue as the desktop's do, the last fight's winner
// too, so the two front ends say the same in every language.
TEST(WebScene, TheVersusWindowsWordsAreTheCataloguesAsOnTheDesktop) {
  const std::string catalogue =
      R"({"messages":{"対戦":"Versus","ふたりで対戦":"Two players","たたかう":"Fight","タイトルへ":"To the title",)"
      R"("%1の勝ち！":"%1 wins!","２Ｐ":"2P"}})";
  WebSession session;
  parsed(session.start(startOptions(",\"lang\":\"en\",\"catalogue\":" + catalogue)));
  const Json scene = parsed(session.keyDown("F3", "F3", 0));
  std::vector<std::string> words;
  for (const Json& r : scene.at("requests"))
    if (r.value("type", "") == "openVersus") words = r.at("words").get<std::vector<std::string>>();
  EXPECT_EQ(words, (std::vector<std::string>{"Versus", "Two players", "Fight", "To the title"}));
  const auto lookup = catalogueLookup(parsed(catalogue));
  const auto shown = [&](const std::string& text) { return lookup(text, std::nullopt).value_or(text); };
  EXPECT_EQ(versusWords(1, false).heading.text(shown), "2P wins!");
}

TEST(WebScene, EnglishShowsTheBattlesMessagesFromTheFight) {
  const std::string catalogue =
      R"({"messages":{"{n}Ｐ{name}":"{n}P {name}","{n}Ｐ":"{n} PTS","だいさく":"Daisaku","ＴＩＭＥ９９":"TIME\n99"}})";
  WebSession session;
  const Json start = parsed(session.start(startOptions(",\"lang\":\"en\",\"fight\":[0,1],\"catalogue\":" + catalogue)));
  ASSERT_FALSE(start.contains("error")) << start;
  const Json& battle = start.at("scene").at("forms").back();
  ASSERT_EQ(battle.value("name", ""), "Form2");
  EXPECT_EQ(controlNamed(battle, "WAKUN", 0)->value("caption", ""), "1P Daisaku\n0 PTS");
  EXPECT_EQ(controlNamed(battle, "WAKUN", 1)->value("caption", ""), "2P みよ\n0 PTS") << "a name it has no entry for";
  EXPECT_EQ(controlNamed(battle, "ZIKAN")->value("caption", ""), "TIME\n99");
}

// The windows are handed over exactly when anything they show differs from the windows handed
// over last, learnt without writing them out: through the title, the help, the select window, a
// fight of two players and a demo campaign's fights, in English, whose battle captions are made
// from the fight. The scene also says how many players at the page fight.
TEST(WebScene, WindowsAreHandedOverExactlyWhenWhatTheyShowChanged) {
  const std::string english =
      R"(,"lang":"en","catalogue":{"messages":{"{n}Ｐ{name}":"{n}P {name}","{n}Ｐ":"{n} PTS","ＴＩＭＥ９９":"TIME\n99"}})";
  struct Run {
    std::string options;
    std::vector<std::string> before;  // the page's calls before the clock runs on
    int players;                      // who fights once the clock has run on
  };
  const Run runs[] = {
      {english, {"F1", "close Form4", "click Form3.Command1", "Tab", "Tab", "speed 3", "speed 8"}, 0},
      {english + R"(,"versus":[2,5])", {}, 2},
      {R"(,"fight":[4,6])", {}, 1},
      {R"(,"demo":true,"fight":[1,7])", {}, 0},
  };
  for (const Run& run : runs) {
    WebSession session;
    const Json start = parsed(session.start(startOptions(run.options)));
    ASSERT_FALSE(start.contains("error")) << start;
    std::string last = start.at("scene").at("forms").dump();
    int handedOver = 0, kept = 0, players = -1;
    const auto check = [&](const std::string& answer) {
      const Json scene = parsed(answer);
      ASSERT_FALSE(scene.contains("error")) << scene;
      const std::string now = parsed(session.scene()).at("forms").dump();
      EXPECT_EQ(scene.at("forms").is_null(), now == last) << run.options << " at " << scene.value("time", 0.0);
      (now == last ? kept : handedOver)++;
      players = scene.value("players", -1);
      last = now;
    };
    for (const std::string& call : run.before) {
      if (call.starts_with("close ")) check(session.closeRequest(call.substr(6)));
      else if (call.starts_with("click ")) check(session.click("Form3", "Command1", -1));
      else if (call.starts_with("speed ")) check(session.change("Form5", "Scr", -1, std::stoi(call.substr(6))));
      else check(session.keyDown(call, call, 0));
    }
    for (int t = 1; t <= 600; ++t) {
      check(session.frame(t * 50.0));
      if (t % 7 == 0) check(session.keyDown("ArrowRight", "ArrowRight", 0));
    }
    EXPECT_GT(handedOver, 10) << run.options;
    EXPECT_GT(kept, 20) << run.options;
    EXPECT_EQ(players, run.players) << run.options;
  }
}

TEST(WebSession, BadOptionsAreRefusedWithTheirReason) {
  const struct {
    const char* options;
    const char* reason;  // a part of the error
  } cases[] = {
      {"{", "bad JSON"},
      {"{\"seed\":1e400}", "bad JSON"},
      {"[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]",
       "nested"},
      {"[]", "the options must be an object"},
      {"{\"lang\":\"en\",\"catalogue\":{\"messages\":{\"a\":\"\\ud800\"}}}", "bad JSON"},
      {"{\"lang\":\"en\",\"catalogue\":{\"messages\":{\"a\":7}}}", "the translation of 'a' must be a text, not 7"},
      {"{\"lang\":\"en\",\"catalogue\":{\"plurals\":{\"a\":\"b\"}}}", "the plural forms of 'a' must be an array"},
      {"{\"fight\":[0,9]}", "fight's second roster slot must be a whole number from 0 to 7, not 9"},
      {"{\"fight\":[0.5,1]}", "fight's first roster slot must be a whole number from 0 to 7, not 0.5"},
      {"{\"versus\":[1]}", "versus must be two roster slots"},
      {"{\"seed\":-1}", "seed must be a whole number from 0 to 18446744073709551615, not -1"},
      {"{\"seed\":1e300}", "not 1e+300"},
      {"{\"seed\":18446744073709551616}", "seed must be a whole number"},
      {"{\"seed\":null}", "not null"},
      {"{\"timerResolution\":0}", "timerResolution must be a number of milliseconds from 0.001 to 60000, not 0"},
      {"{\"attract\":1}", "attract must be true or false, not 1"},
      {"{\"folder\":[]}", "folder must be a text, not an array"},
  };
  for (const auto& c : cases) {
    WebSession session;
    const Json answer = parsed(session.start(c.options));
    EXPECT_NE(answer.value("error", "").find(c.reason), std::string::npos) << c.options << ": " << answer;
    EXPECT_FALSE(session.started());
    EXPECT_TRUE(parsed(session.frame(10)).contains("error"));
  }
  // Whole numbers in range are taken however they are written.
  for (const char* options : {"{\"seed\":18446744073709551615,\"fight\":[7.0,0]}", "{\"seed\":-0,\"fight\":[1e0,2]}"}) {
    WebSession session;
    EXPECT_FALSE(parsed(session.start(options)).contains("error")) << options;
  }
}

TEST(WebSession, TheGamesClockStartsAtZeroWhateverTheOptionsSay) {
  // The clock is the page's alone: an option once let a start jump it ahead, running every look
  // of the time skipped (days of them) before the first window showed.
  WebSession session;
  const Json start = parsed(session.start(startOptions(",\"now\":1e9")));
  ASSERT_FALSE(start.contains("error")) << start;
  EXPECT_EQ(session.frontEnd()->now(), 0);
}

TEST(WebSession, AFrameAtATimeNoClockHasIsRefusedAndTheClockStaysPut) {
  WebSession session;
  session.start(startOptions(",\"fight\":[0,1]"));
  session.frame(1000);
  for (const double bad : {std::nan(""), -1.0, 1e300, std::numeric_limits<double>::infinity()}) {
    EXPECT_NE(parsed(session.frame(bad)).value("error", "").find("the time must be"), std::string::npos) << bad;
    EXPECT_EQ(session.frontEnd()->now(), 1'000'000'000) << bad;
  }
  EXPECT_FALSE(parsed(session.frame(2000)).contains("error"));
}

TEST(WebSettings, KeySettingsOfTheWrongKindChangeNothingAndSayWhy) {
  const struct {
    const char* json;
    const char* notice;  // a part of it
  } cases[] = {
      {"{\"keys\":[[65,1e10]]}", "player 1's key for walkRight must be a whole number from 0 to 65535, not 10000000000.0"},
      {"{\"keys\":[[65],[66.5]]}", "player 2's key for walkLeft must be a whole number"},
      {"{\"keys\":[[65],\"B\"]}", "player 2's keys must be an array, not a text"},
      {"{\"keys\":[[65]],\"buttons\":[[\"TRIANGLE\"]],\"attract\":false}", "a controller button's name, not 'TRIANGLE'"},
      {"{\"keys\":[[],[74,74]]}", "player 2's walkLeft shares its key with player 2's walkRight"},
      {"{\"attract\":false,\"lang\":5}", "lang must be a text, not 5"},
      {"{\"attract\":", "bad JSON"},
  };
  for (const auto& c : cases) {
    WebSession session;
    session.start(startOptions());
    const std::string before = session.settingsJson();
    const Json scene = parsed(session.setSettings(c.json));
    ASSERT_EQ(scene.at("notices").size(), 1u) << c.json;
    EXPECT_NE(scene.at("notices")[0].get<std::string>().find(c.notice), std::string::npos) << scene.at("notices")[0];
    EXPECT_EQ(session.settingsJson(), before) << c.json;
  }
  // Keys and buttons that fit are taken, a short list changing only the commands it names.
  WebSession session;
  session.start(startOptions());
  session.setSettings(R"({"keys":[[],[76,74]],"buttons":[[],["dpadright","DPADLEFT"]],"attract":false})");
  const Json settings = parsed(session.settingsJson());
  EXPECT_EQ(settings.at("keys")[1][0], 'L');
  EXPECT_EQ(settings.at("keys")[1][1], 'J');
  EXPECT_EQ(settings.at("keys")[1][2], 'I');
  EXPECT_EQ(settings.at("buttons")[1][0], "DPADRIGHT");
  EXPECT_EQ(settings.at("buttons")[1][1], "DPADLEFT");
  EXPECT_EQ(settings.at("attract"), false);
}

// The sound events of a practice fight on the game's clock.
struct Heard {
  std::vector<double> musicPlays;  // ms
  int effects = 0;
};

Heard listen(WebSession& session, double untilMs, double stepMs) {
  Heard heard;
  for (double t = stepMs; t <= untilMs; t += stepMs) {
    const Json scene = parsed(session.frame(t));
    for (const Json& e : scene.at("sounds")) {
      if (e.value("type", "") != "play") continue;
      if (e.value("music", false))
        heard.musicPlays.push_back(e.value("at", -1));
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
  Json scene = parsed(session.keyDown("BracketLeft", "[", 0));  // the music a step softer
  EXPECT_EQ(scene.at("levels").value("musicLevel", -1), 4);
  ASSERT_EQ(scene.at("requests").size(), 1u);
  const std::string kept = scene.at("requests")[0].value("text", "");
  EXPECT_EQ(kept, "# mine\n[sound]\nmusic=4\n");
  ASSERT_EQ(scene.at("notices").size(), 1u);
  EXPECT_EQ(scene.at("notices")[0], "音楽 4/8・効果音 8/8");
  // The front end's keys never reach the game, nor do they move about the title.
  EXPECT_EQ(session.frontEnd()->desktop().focus(session.frontEnd()->game().form(Window::Title))->Name, "Command1");

  WebSession again;
  const Json start = parsed(again.start(startOptions(",\"settings\":" + sim::jsonString(kept))));
  EXPECT_EQ(start.at("scene").at("levels").value("musicLevel", -1), 4);
  // A notice goes at its time.
  scene = parsed(session.frame(3000));
  EXPECT_TRUE(scene.at("notices").empty());
}

TEST(WebInput, TheTitlesButtonLeadsToTheSelectWindowAndF1ToTheHelp) {
  WebSession session;
  session.start(startOptions());
  Json scene = parsed(session.keyDown("F1", "F1", 0));
  ASSERT_EQ(scene.at("forms").size(), 2u);
  EXPECT_EQ(scene.at("forms")[1].value("name", ""), "Form4");
  session.closeRequest("Form4");
  scene = parsed(session.click("Form3", "Command1", -1));
  for (int t = 1; t <= 40; ++t) {
    const Json next = parsed(session.frame(t * 100));
    if (!next.at("forms").is_null()) scene = next;
  }
  const auto& forms = scene.at("forms");
  ASSERT_FALSE(forms.empty());
  EXPECT_EQ(forms.back().value("name", ""), "Form5");
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
  const Json start = parsed(session.start("{\"folder\":\"" + folder.string() +
                                              "\",\"seed\":7,\"record\":true,\"fight\":[1,2],\"demo\":true}"));
  ASSERT_FALSE(start.contains("error")) << start["error"];
  for (double t = 0; t < 300'000; t += 1000) session.frame(t);
  std::ifstream replay(folder / "replay.txt");
  std::string header;
  std::getline(replay, header);
  EXPECT_FALSE(header.empty()) << "no replay in " << folder;
  std::filesystem::remove_all(folder);
}

// The page's own words reach it by name in the player's language: in Japanese as the game writes
// them, in English from the build's catalogue (the .mo the desktop reads), which has every one.
TEST(WebPageWords, EveryWordReachesThePageInThePlayersLanguage) {
  constexpr const char* kDomain = "mojara";
  if (!std::filesystem::exists(MOJARA_BIN_DIR "/locale/en/LC_MESSAGES/mojara.mo")) GTEST_SKIP() << "no catalogue";
  setlocale(LC_MESSAGES, "C.UTF-8");
  setenv("LANGUAGE", "en", 1);
  bindtextdomain(kDomain, MOJARA_BIN_DIR "/locale");
  bind_textdomain_codeset(kDomain, "UTF-8");
  Json english = Json::object();  // gettext answers a text it has no entry for with the text itself
  for (const PageWord& word : pageWords()) english[word.text] = dgettext(kDomain, word.text.c_str());
  for (const bool inEnglish : {false, true}) {
    WebSession session;
    const std::string lang = ",\"lang\":\"en\",\"catalogue\":" + Json{{"messages", english}}.dump();
    const Json words = parsed(session.start(startOptions(inEnglish ? lang : ""))).at("words");
    EXPECT_EQ(words.size(), pageWords().size()) << "a name given twice";
    for (const PageWord& word : pageWords()) {
      const std::string shown = words.value(std::string(word.name), "");
      if (inEnglish)
        EXPECT_TRUE(!shown.empty() && shown != word.text) << "no English for " << word.name;
      else
        EXPECT_EQ(shown, word.text) << word.name;
    }
  }
}

TEST(WebAttract, NoDemoFightStartsWhileThePagesKeyWindowIsOpen) {
  WebSession session;
  session.start(std::string("{\"folder\":\"") + MOJARA_BIN_DIR + "\",\"seed\":7}");
  const Json opened = parsed(session.keyDown("F2", "F2", 0));
  ASSERT_EQ(opened.at("requests").size(), 1u);
  EXPECT_TRUE(parsed(session.frame(31000)).at("marks").empty()) << "a demo behind the key window";
  session.keyWindowClosed();
  EXPECT_TRUE(parsed(session.frame(60000)).at("marks").empty()) << "the idle time counts from its closing";
  EXPECT_FALSE(parsed(session.frame(62000)).at("marks").empty());
}

}  // namespace
}  // namespace mojara::web
