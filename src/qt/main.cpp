// mojara: the game in real windows.
#include <langinfo.h>
#include <locale.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <optional>
#include <utility>

#include "audio/sdl_sound.h"
#include "game/game.h"
#include "play/input/input_file.h"
#include "play/options/options.h"
#include "qt/catalogue.h"
#include "qt/desktop_play.h"
#include "qt/front_end.h"
#include "qt/game_application.h"
#include "qt/picture_library.h"
#include "qt/quit_on_signals.h"
#include "qt/scale_in_effect.h"
#include "qt/settings_file.h"

namespace {

// The small General MIDI soundfont the music is played with.
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

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
  // Two players: the versus window and its fights, at one keyboard or online.
  mojara::net::OnlineVersus::Settings online;
  online.version = MOJARA_VERSION;
  online.inputDelay = options->inputDelay.value_or(mojara::net::kDefaultInputDelay);
  mojara::qt::DesktopPlay play(frontEnd, desktop, sound, settingsFile, online);
  mojara::PlaySession& session = play.session();
  mojara::qt::KeySettingsWindow::InEffect inEffect =
      mojara::qt::scaleInEffect(parsed, chosen, play.game(), frontEnd);
  frontEnd.setScale({inEffect.scale});
  inEffect.lang = lang;
  inEffect.langFromCommandLine = parsed.lang.has_value();
  play.settings().setInEffect(inEffect);

  // Recording and replaying fights.
  if (!options->record.empty()) {
    session.record(options->record, [](const std::string& why) { std::cerr << "mojara: " << why << "\n"; });
    play.versus().setRecorder(session.recorder());
  }
  // A replay that stops agreeing says so in a message box, and the program's status says it failed.
  if (replay)
    session.replay(std::move(*replay), mojara::AfterReplay::EndProgram,
                   [](const std::string& why) { std::cerr << "mojara: " << why << "\n"; });
  mojara::PlaySession::Start start;
  start.attract = options->attract;
  start.demo = options->demo;
  start.fight = options->fight;
  start.versus = options->versus;
  start.clockSeed = frontEnd.clockSeed();
  play.start(start);
  // Online (which goes with no other start): the versus window, open on the title.
  if (options->host)
    play.versus().host(*options->host, options->code);
  else if (!options->join.empty())
    play.versus().join(options->join, options->code);
  const mojara::qt::QuitOnSignals quitOnSignals;
  if (mojara::ReplayRecorder* recorder = session.recorder()) {
    lastWords = [&session, recorder] {
      session.windowsGone();
      recorder->programEnding();
    };
    std::atexit(sayLastWords);
  }
  const int status = QApplication::exec();
  windowsGone = true;
  lastWords = nullptr;
  session.windowsGone();
  // However the program ends (a window closed, a signal), a fight being recorded is kept.
  if (mojara::ReplayRecorder* recorder = session.recorder()) recorder->programEnding();
  return session.player() && session.player()->disagreedAfter() ? 1 : status;
}
