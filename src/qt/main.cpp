// mojara: the game in real windows.
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>

#include "app/attract_mode.h"
#include "app/game.h"
#include "app/options.h"
#include "app/replay_session.h"
#include "app/stand_in_player.h"
#include "audio/sdl_sound.h"
#include "qt/front_end.h"
#include "qt/picture_library.h"
#include "qt/replay_hooks.h"

namespace {

// The small General MIDI soundfont the music is played with.
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The largest whole scale at which the battle window (7635 x 5220 twips) fits in 70 % of the
// screen's available width and height; at least 1.
int defaultScale() {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const double w = 7635.0 / 15, h = 5220.0 / 15;
  return std::max(1, static_cast<int>(std::min(0.7 * screen.width() / w, 0.7 * screen.height() / h)));
}

bool displayIsReachable() {
  const auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

void reportFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    std::cerr << "mojara: cannot open the game's windows: " << message.toStdString() << "\n";
    std::_Exit(1);
  }
  if (type != QtDebugMsg && type != QtInfoMsg) std::cerr << message.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = mojara::parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "mojara: " << error << "\n(mojara --help shows the usage)\n";
    return 2;
  }
  if (options->help) {
    std::cout << mojara::kUsage;
    return 0;
  }
  if (options->version) {
    std::cout << "mojara " << MOJARA_VERSION << "\n";
    return 0;
  }
  if (!displayIsReachable()) {
    std::cerr << "mojara: no display to open the game's windows on (DISPLAY is not set); start it "
                 "from a desktop session, or under Xvfb\n";
    return 1;
  }
  qInstallMessageHandler(reportFatal);

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Mojara Taisen"));

  std::unique_ptr<mojara::qt::PictureLibrary> pictures;
  try {
    pictures = std::make_unique<mojara::qt::PictureLibrary>(
        QDir(QApplication::applicationDirPath()).filePath("pictures"));
  } catch (const mojara::qt::MissingPicture& e) {
    std::cerr << "mojara: " << e.what() << "\n";
    return 1;
  }

  mojara::audio::SdlSound sound(QApplication::applicationDirPath().toStdString(), kSoundFont);
  mojara::qt::FrontEnd frontEnd(*pictures, {options->scale.value_or(defaultScale())}, &sound, [&sound] {
    if (sound.available())
      sound.beep();
    else
      QApplication::beep();
  });
  mojara::forms::Desktop desktop(frontEnd, frontEnd, options->timerResolution);
  frontEnd.attach(desktop);
  mojara::Game game(desktop);
  game.demo = options->demo;

  // Recording and replaying fights.
  std::optional<mojara::ReplayRecorder> recorder;
  std::optional<mojara::ReplayPlayer> player;
  if (!options->record.empty()) {
    recorder.emplace(game, options->record);
    mojara::qt::attachRecorder(frontEnd, *recorder);
  }
  if (!options->replay.empty()) {
    std::ifstream file(options->replay);
    if (!file) {
      std::cerr << "mojara: cannot read the replay " << options->replay << "\n";
      return 2;
    }
    try {
      player.emplace(game, mojara::readReplay(file));
    } catch (const mojara::ReplayError& e) {
      std::cerr << "mojara: the replay " << options->replay << ": " << e.what() << "\n";
      return 2;
    }
    mojara::qt::attachPlayer(frontEnd, *player);
  }
  // In demo play a stand-in player clicks through the windows, with choices of its own.
  std::optional<mojara::StandInPlayer> standIn;
  QTimer standInClock;
  if (options->demo) {
    standIn.emplace(game, frontEnd.clockSeed());
    QObject::connect(&standInClock, &QTimer::timeout, [&] {
      if (standIn->look(frontEnd.now())) frontEnd.afterEvent();
    });
    standInClock.start(static_cast<int>(mojara::StandInPlayer::kLookInterval / 1'000'000));
  }
  // Attract mode, on the plain title only.
  std::optional<mojara::AttractMode> attract;
  QTimer attractClock;
  if (options->attract && !options->fight && !options->demo && !recorder && !player) {
    attract.emplace(game, frontEnd.clockSeed() ^ 0xA77AC7ull);
    frontEnd.hooks.input = [&] { return attract->input(frontEnd.now()); };
    QObject::connect(&attractClock, &QTimer::timeout, [&] {
      if (attract->look(frontEnd.now())) frontEnd.afterEvent();
    });
    attractClock.start(static_cast<int>(mojara::AttractMode::kLookInterval / 1'000'000));
  }
  frontEnd.hooks.toggleMute = [&sound] { sound.toggleMute(); };
  frontEnd.hooks.changeVolume = [&sound](int steps) { sound.changeVolume(steps); };

  if (player)
    player->start();
  else if (options->fight)
    game.startFight(options->fight->first, options->fight->second);
  else
    game.start();
  frontEnd.afterEvent();
  return QApplication::exec();
}
