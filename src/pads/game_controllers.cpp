#include "pads/game_controllers.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <optional>

namespace mojara::pads {

namespace {

static_assert(static_cast<int>(PadButton::A) == SDL_CONTROLLER_BUTTON_A);
static_assert(static_cast<int>(PadButton::Guide) == SDL_CONTROLLER_BUTTON_GUIDE);
static_assert(static_cast<int>(PadButton::RightShoulder) == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
static_assert(static_cast<int>(PadButton::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(kPadButtonCount == SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1);

// The left stick pushes a direction past half its range, and lets it go only once back under
// three eighths: a stick resting near the edge does not press again and again.
constexpr int kStickPush = 16384;
constexpr int kStickLetGo = 12288;

// What holds a button down: the button itself, or for a d-pad button also the left stick.
constexpr std::uint8_t kByButton = 1;
constexpr std::uint8_t kByStick = 2;

struct Held {
  std::uint8_t by = 0;
  forms::Nanos nextRepeat = 0;
};

struct Pad {
  SDL_GameController* controller = nullptr;
  SDL_JoystickID id = -1;
  std::string name;
  std::array<Held, kPadButtonCount> held{};
};

using Press = std::function<void(const PadPress&)>;

}  // namespace

struct GameControllers::State {
  std::array<std::optional<Pad>, kPlayers> players;

  std::optional<int> playerOf(SDL_JoystickID id) const {
    for (int p = 0; p < kPlayers; ++p)
      if (players[p] && players[p]->id == id) return p;
    return std::nullopt;
  }

  // Gives each free player, lowest first, a connected controller that plays for nobody yet.
  void seatWaitingControllers() {
    for (int index = 0, count = SDL_NumJoysticks(); index < count; ++index) {
      int player = 0;
      while (player < kPlayers && players[player]) ++player;
      if (player == kPlayers) return;
      if (!SDL_IsGameController(index) || playerOf(SDL_JoystickGetDeviceInstanceID(index))) continue;
      SDL_GameController* controller = SDL_GameControllerOpen(index);
      if (!controller) continue;
      const char* name = SDL_GameControllerName(controller);
      players[player] = Pad{controller, SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller)),
                            name ? name : "Game controller", {}};
    }
  }

  void unseat(SDL_JoystickID id) {
    const auto player = playerOf(id);
    if (!player) return;
    SDL_GameControllerClose(players[*player]->controller);
    players[*player].reset();
  }

  // `by` holds `button` of `player`'s controller down or lets it go; a button that goes down is
  // pressed.
  void hold(int player, PadButton button, std::uint8_t by, bool down, forms::Nanos now, const Press& press) {
    Held& held = players[player]->held[static_cast<int>(button)];
    const bool wasDown = held.by != 0;
    held.by = down ? held.by | by : held.by & ~by;
    if (wasDown || held.by == 0) return;
    held.nextRepeat = now + kFirstRepeat;
    press({player, button, false});
  }

  void moveStick(int player, int axis, int value, forms::Nanos now, const Press& press) {
    const bool across = axis == SDL_CONTROLLER_AXIS_LEFTX;
    if (!across && axis != SDL_CONTROLLER_AXIS_LEFTY) return;
    // SDL's stick is negative to the left and up.
    const PadButton toward[2] = {across ? PadButton::DpadLeft : PadButton::DpadUp,
                                 across ? PadButton::DpadRight : PadButton::DpadDown};
    for (int side = 0; side < 2; ++side) {
      const int reach = side == 0 ? -value : value;
      const bool pushed = (players[player]->held[static_cast<int>(toward[side])].by & kByStick) != 0;
      const bool down = reach >= (pushed ? kStickLetGo : kStickPush);
      if (down != pushed) hold(player, toward[side], kByStick, down, now, press);
    }
  }

  void handle(const SDL_Event& event, forms::Nanos now, const Press& press) {
    switch (event.type) {
      case SDL_CONTROLLERDEVICEADDED:
        // The event's device index may be stale by now: every waiting controller is looked at.
        seatWaitingControllers();
        return;
      case SDL_CONTROLLERDEVICEREMOVED:
        unseat(event.cdevice.which);
        seatWaitingControllers();
        return;
      case SDL_CONTROLLERBUTTONDOWN:
      case SDL_CONTROLLERBUTTONUP: {
        const auto player = playerOf(event.cbutton.which);
        if (!player || event.cbutton.button >= kPadButtonCount) return;
        hold(*player, static_cast<PadButton>(event.cbutton.button), kByButton,
             event.type == SDL_CONTROLLERBUTTONDOWN, now, press);
        return;
      }
      case SDL_CONTROLLERAXISMOTION: {
        const auto player = playerOf(event.caxis.which);
        if (player) moveStick(*player, event.caxis.axis, event.caxis.value, now, press);
        return;
      }
      default:
        return;
    }
  }

  // A repeat that fell due more than once since the last poll comes once: a slow frame does not
  // make the fighter walk several steps at once.
  void repeat(forms::Nanos now, const Press& press) {
    for (int player = 0; player < kPlayers; ++player) {
      if (!players[player]) continue;
      for (int b = 0; b < kPadButtonCount; ++b) {
        Held& held = players[player]->held[b];
        if (held.by == 0 || held.nextRepeat > now) continue;
        held.nextRepeat += kRepeatPeriod;
        if (held.nextRepeat <= now) held.nextRepeat = now + kRepeatPeriod;
        press({player, static_cast<PadButton>(b), true});
      }
    }
  }
};

GameControllers::GameControllers(std::function<void(const std::string&)> warn)
    : GameControllers(std::move(warn), [] { return SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0; }) {}

GameControllers::GameControllers(std::function<void(const std::string&)> warn,
                                 const std::function<bool()>& openSdl) {
  // The game's windows are Qt's: to SDL the game is always in the background.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  // The game ends on SIGINT and SIGTERM like any program; SDL would turn them into events.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (!openSdl()) {
    if (warn) warn(std::string("no game controllers (") + SDL_GetError() + "); the game goes on with the keyboard");
    return;
  }
  state_ = std::make_unique<State>();
  // Controllers already plugged in are announced as plugged in by the first poll.
}

GameControllers::~GameControllers() {
  if (!state_) return;
  for (auto& pad : state_->players)
    if (pad) SDL_GameControllerClose(pad->controller);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool GameControllers::available() const { return state_ != nullptr; }

void GameControllers::poll(forms::Nanos now, const std::function<void(const PadPress&)>& press) {
  if (!state_) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) state_->handle(event, now, press);
  state_->repeat(now, press);
}

std::vector<std::pair<int, std::string>> GameControllers::connected() const {
  std::vector<std::pair<int, std::string>> result;
  if (!state_) return result;
  for (int player = 0; player < kPlayers; ++player)
    if (state_->players[player]) result.emplace_back(player, state_->players[player]->name);
  return result;
}

}  // namespace mojara::pads
