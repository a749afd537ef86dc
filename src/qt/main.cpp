// mojara: the game in real windows.
#include <langinfo.h>
#include <locale.h>

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <optional>
#include <utility>

#include "audio/sdl_sound.h"
#include "game/game.h"
#include "play/input_file.h"
#include "play/options.h"
#include "play/practice.h"
#include "play/replay_session.h"
#include "play/stand_in_player.h"
#include "qt/attract_play.h"
#include "qt/catalogue.h"
#include "qt/centred.h"
#include "qt/front_end.h"
#include "qt/game_application.h"
#include "qt/controller_input.h"
#include "qt/picture_library.h"
#include "qt/quit_on_signals.h"
#include "qt/player_settings.h"
#include "qt/versus_play.h"
#include "qt/replay_hooks.h"
#include "qt/screen_fit.h"
#include "qt/settings_file.h"

namespace {

// The small General MIDI soundfont the music is played with.
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The largest whole scale at which the battle window (7635 x 5220 twips) fits in 70 % of the
// screen's available width and height; at least 1.
int defaultScale() {
  const QRect screen = mojara::qt::workArea();
  const double w = 7635.0 / 15, h = 5220.0 / 15;
  return std::max(1, static_cast<int>(std::min(0.7 * screen.width() / w, 0.7 * screen.height() / h)));
}

// The scale of this run: the command line's or the kept one, else the default, but never more than
// the screen has room for. A scale that does not fit is said once, on standard error and in the
// window; the kept setting stays as it is, for a larger screen.
mojara::qt::KeySettingsWindow::InEffect scaleInEffect(const mojara::Options& commandLine,
                                                      const mojara::Options& chosen, const mojara::Game& game,
                                                      mojara::qt::FrontEnd& frontEnd) {
  const QRect room = mojara::qt::workArea();
  mojara::qt::KeySettingsWindow::InEffect run;
  run.largestScale = mojara::qt::largestScaleThatFits(
      [&](int scale) { return mojara::qt::everyWindowFits(scale, game, frontEnd.texts(), room); },
      mojara::Settings::kMaxScale);
  run.scaleFromCommandLine = commandLine.scale.has_value();
  run.scale = chosen.scale.value_or(std::min(defaultScale(), run.largestScale));
  if (run.scale > run.largestScale) {
    run.scaleAsked = run.scale;
    run.scale = run.largestScale;
    std::cerr << "mojara: " << (run.scaleFromCommandLine ? "--scale " : "the kept scale ") << *run.scaleAsked
              << " does not fit this screen (" << room.width() << " x " << room.height()
              << " pixels for windows); the windows are drawn at scale " << run.scale
              << ", the largest that fits\n";
    frontEnd.showNotice(mojara::Wording{"%1 倍は画面に入らないので、%2 倍で表示しています",
                                        {std::to_string(*run.scaleAsked), std::to_string(run.scale)}},
                        std::chrono::seconds(8), "scale");
  }
  return run;
}

bool displayIsReachable() {
  const auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// What must still be done when the program is ended from under the game, the windows lost for
// good (the X server gone: Qt then calls exit(), or reports a fatal error): the fight being
// recorded is ended where it stopped. Set while the game runs.
std::function<void()> lastWords;
// Whether the windows are gone (the event loop over, or the display lost): nothing may be shown.
bool windowsGone = false;

void sayLastWords() {
  windowsGone = true;
  if (auto words = std::exchange(lastWords, nullptr)) words();
}

void reportFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    if (lastWords) {
      std::cerr << "mojara: the game's windows are lost: " << message.toStdString() << "\n";
      sayLastWords();
    } else {
      std::cerr << "mojara: cannot open the game's windows: " << message.toStdString() << "\n";
    }
    std::_Exit(1);
  }
  if (type != QtDebugMsg && type != QtInfoMsg) std::cerr << message.toStdString() << "\n";
}

// The window titles are Japanese. Qt and Xlib hand a title to the window system in the locale's
// character set, so with none set (a bare system's "C", or any non-UTF-8 locale) the titles come
// out garbled: the program takes a UTF-8 character set for itself before Qt starts, keeping the
// rest of the caller's locale.
void useUtf8CharacterSet() {
  // The environment's character set, looked at without changing this program's own locale.
  const locale_t wanted = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
  const bool utf8 = wanted && std::strcmp(nl_langinfo_l(CODESET, wanted), "UTF-8") == 0;
  if (wanted) freelocale(wanted);
  if (utf8) return;
  const char* all = std::getenv("LC_ALL");
  setenv(all && *all ? "LC_ALL" : "LC_CTYPE", "C.UTF-8", 1);
}

}  // namespace

int main(int argc, char** argv) {
  useUtf8CharacterSet();
  mojara::Options parsed;
  if (auto stop = mojara::readOptions(std::vector<std::string>(argv + 1, argv + argc), parsed, std::cout,
                                      std::cerr, MOJARA_VERSION))
    return *stop;
  const mojara::Options* options = &parsed;
  // A replay that cannot be played is refused before any window opens.
  std::optional<mojara::RecordedFight> replay;
  if (!options->replay.empty()) {
    try {
      const std::string text = mojara::readInputFile(options->replay, "the replay");
      try {
        replay = mojara::readReplay(text);
      } catch (const mojara::InputError& e) {
        throw mojara::InputError("the replay " + mojara::shortened(options->replay) + ": " + e.what());
      }
    } catch (const mojara::InputError& e) {
      std::cerr << "mojara: " << e.what() << "\n";
      return 2;
    }
  }
  if (!displayIsReachable()) {
    std::cerr << "mojara: no display to open the game's windows on (DISPLAY is not set); start it "
                 "from a desktop session, or under Xvfb\n";
    return 1;
  }
  qInstallMessageHandler(reportFatal);

  mojara::qt::GameApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Mojara Taisen"));

  // What the player chose last time; this run's command line wins over it.
  mojara::qt::SettingsFile settingsFile(mojara::qt::SettingsFile::settingsPath(),
                                        [](const std::string& why) { std::cerr << "mojara: " << why << "\n"; });
  const mojara::Options chosen = mojara::withSettings(parsed, settingsFile.settings());
  options = &chosen;

  std::unique_ptr<mojara::qt::PictureLibrary> pictures;
  try {
    pictures = std::make_unique<mojara::qt::PictureLibrary>(
        QDir(QApplication::applicationDirPath()).filePath("pictures"));
  } catch (const mojara::qt::MissingPicture& e) {
    std::cerr << "mojara: " << e.what() << "\n";
    return 1;
  }

  mojara::audio::SdlSound sound(QApplication::applicationDirPath().toStdString(), kSoundFont);
  // Drawn at scale 1 until the windows' sizes tell which scales fit, before the first window opens.
  mojara::qt::FrontEnd frontEnd(*pictures, {1}, &sound, [&sound] {
    if (sound.available())
      sound.beep();
    else
      QApplication::beep();
  });
  std::string lang = *options->lang;
  if (lang != mojara::kGameLanguage) {
    // Qt has set the locale from the environment by now; the catalogue sets its own over it.
    try {
      frontEnd.setTexts(mojara::qt::ShownTexts(mojara::CaptionTranslator(mojara::qt::openCatalogue(
          QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("locale")).toStdString(), lang))));
    } catch (const mojara::qt::CatalogueMissing& e) {
      std::cerr << "mojara: " << e.what() << "; the windows show the game's own Japanese texts\n";
      lang = mojara::kGameLanguage;
    }
  }
  sound.setClock(frontEnd);
  mojara::forms::Desktop desktop(frontEnd, frontEnd, options->timerResolution);
  frontEnd.attach(desktop);
  mojara::Game game(desktop);
  frontEnd.setGame(game);
  // --demo alone: the computer plays the whole campaign. With --fight it plays the practice fight,
  // after which the title is the player's.
  const bool demoCampaign = options->demo && !options->fight;
  game.setDemoPlay(demoCampaign);
  mojara::qt::KeySettingsWindow::InEffect inEffect = scaleInEffect(parsed, chosen, game, frontEnd);
  frontEnd.setScale({inEffect.scale});
  inEffect.lang = lang;
  inEffect.langFromCommandLine = parsed.lang.has_value();
  // Every window played from the keyboard or a controller alone.
  mojara::KeyboardNavigation navigation(game);
  frontEnd.setNavigation(&navigation);
  // The kept settings applied, and the player's changes kept as they are made.
  mojara::qt::PlayerSettings playerSettings(settingsFile, frontEnd, sound, game.form(mojara::Window::Title));
  playerSettings.setInEffect(inEffect);
  // Two players: the versus window and its fights, at one keyboard or online.
  mojara::net::OnlineVersus::Settings online;
  online.version = MOJARA_VERSION;
  online.inputDelay = options->inputDelay.value_or(mojara::net::kDefaultInputDelay);
  mojara::qt::VersusPlay versus(game, frontEnd, online);
  const mojara::qt::ControllerInput controllers(frontEnd, playerSettings, versus);

  // Recording and replaying fights.
  std::optional<mojara::ReplayRecorder> recorder;
  std::optional<mojara::ReplayPlayer> player;
  if (!options->record.empty()) {
    recorder.emplace(game, options->record, [&frontEnd](const std::string& why) {
      std::cerr << "mojara: " << why << "\n";
      if (!windowsGone) frontEnd.showNotice(mojara::kReplayNotSavedNotice, std::chrono::seconds(8));
    });
    mojara::qt::attachRecorder(frontEnd, *recorder);
    versus.setRecorder(&*recorder);
  }
  if (replay) {
    // A replay that stops agreeing says so in a message box, and the program's status says it failed.
    player.emplace(game, std::move(*replay), mojara::AfterReplay::EndProgram,
                   [](const std::string& why) { std::cerr << "mojara: " << why << "\n"; });
    mojara::qt::attachPlayer(frontEnd, *player);
  }
  // In demo play a stand-in player clicks through the windows, with choices of its own.
  std::optional<mojara::StandInPlayer> standIn;
  QTimer standInClock;
  if (demoCampaign) {
    standIn.emplace(game, frontEnd.clockSeed());
    QObject::connect(&standInClock, &QTimer::timeout, [&] {
      const auto action = standIn->look(frontEnd.now());
      if (!action) return;
      try {
        mojara::deliver(game, *action);
      } catch (const mojara::ScriptError&) {
        // The window it looked at went away in between: it looks again.
      }
      frontEnd.afterEvent();
    });
    standInClock.start(static_cast<int>(mojara::StandInPlayer::kLookInterval / 1'000'000));
  }
  // Attract mode, on the plain title only.
  std::optional<mojara::qt::AttractPlay> attract;
  if (options->attract && !demoCampaign && !recorder && !player)
    attract.emplace(game, frontEnd, frontEnd.clockSeed() ^ 0xA77AC7ull,
                    [&] { return playerSettings.keyWindow() || versus.busy(); });
  if (player)
    player->start();
  else if (options->versus)
    versus.fight(options->versus->first, options->versus->second);
  else if (options->host || !options->join.empty()) {
    game.start();
    if (options->host)
      versus.host(*options->host, options->code);
    else
      versus.join(options->join, options->code);
  }
  else if (options->fight)
    mojara::startPractice(game, options->fight->first, options->fight->second, options->demo);
  else
    game.start();
  frontEnd.afterEvent();
  const mojara::qt::QuitOnSignals quitOnSignals;
  if (recorder) {
    lastWords = [&recorder] { recorder->programEnding(); };
    std::atexit(sayLastWords);
  }
  const int status = QApplication::exec();
  windowsGone = true;
  lastWords = nullptr;
  // However the program ends (a window closed, a signal), a fight being recorded is kept.
  if (recorder) recorder->programEnding();
  return player && player->disagreedAfter() ? 1 : status;
}
