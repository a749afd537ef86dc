// A game controller for the end-to-end tests, made by the kernel's uinput: a pad with the
// buttons, sticks and d-pad of an Xbox 360 controller, which SDL in the game finds as it finds a
// real one. Where /dev/uinput cannot be opened, or SDL does not see the pad, the tests skip what
// needs it.
//   uinput_pad check    exits 0 when SDL sees the pad as a game controller, 77 when it cannot be
//                       made or SDL does not see it (the reason on standard error)
//   uinput_pad          makes the pad and presses what standard input names, one a line: A, B, X,
//                       Y, START, BACK, LEFT, RIGHT, UP, DOWN (the d-pad); the pad goes at its end
#include <SDL.h>
#include <fcntl.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

namespace {

constexpr int kSkip = 77;

class Pad {
 public:
  Pad() {
    fd_ = open("/dev/uinput", O_WRONLY | O_NONBLOCK);
    if (fd_ < 0) {
      why_ = std::string("cannot open /dev/uinput: ") + std::strerror(errno);
      return;
    }
    bool ok = ioctl(fd_, UI_SET_EVBIT, EV_KEY) == 0 && ioctl(fd_, UI_SET_EVBIT, EV_ABS) == 0;
    for (int key : {BTN_A, BTN_B, BTN_X, BTN_Y, BTN_TL, BTN_TR, BTN_SELECT, BTN_START, BTN_MODE, BTN_THUMBL,
                    BTN_THUMBR})
      ok = ok && ioctl(fd_, UI_SET_KEYBIT, key) == 0;
    uinput_user_dev dev{};
    std::snprintf(dev.name, sizeof dev.name, "Microsoft X-Box 360 pad");
    dev.id = {BUS_USB, 0x045e, 0x028e, 0x0114};
    for (int axis : {ABS_X, ABS_Y, ABS_RX, ABS_RY}) {
      ok = ok && ioctl(fd_, UI_SET_ABSBIT, axis) == 0;
      dev.absmin[axis] = -32768;
      dev.absmax[axis] = 32767;
    }
    for (int axis : {ABS_Z, ABS_RZ}) {
      ok = ok && ioctl(fd_, UI_SET_ABSBIT, axis) == 0;
      dev.absmax[axis] = 255;
    }
    for (int axis : {ABS_HAT0X, ABS_HAT0Y}) {
      ok = ok && ioctl(fd_, UI_SET_ABSBIT, axis) == 0;
      dev.absmin[axis] = -1;
      dev.absmax[axis] = 1;
    }
    ok = ok && write(fd_, &dev, sizeof dev) == static_cast<ssize_t>(sizeof dev) && ioctl(fd_, UI_DEV_CREATE) == 0;
    if (!ok) why_ = std::string("cannot make a uinput pad: ") + std::strerror(errno);
  }
  ~Pad() {
    if (fd_ < 0) return;
    ioctl(fd_, UI_DEV_DESTROY);
    close(fd_);
  }
  Pad(const Pad&) = delete;
  Pad& operator=(const Pad&) = delete;

  const std::string& why() const { return why_; }  // empty when the pad is there

  // A press and its release, as a player taps a button or the d-pad.
  bool tap(const std::string& name) {
    struct Named {
      const char* name;
      int type, code, value;
    };
    constexpr Named kNames[] = {{"A", EV_KEY, BTN_A, 1},         {"B", EV_KEY, BTN_B, 1},
                                {"X", EV_KEY, BTN_X, 1},         {"Y", EV_KEY, BTN_Y, 1},
                                {"START", EV_KEY, BTN_START, 1}, {"BACK", EV_KEY, BTN_SELECT, 1},
                                {"LEFT", EV_ABS, ABS_HAT0X, -1}, {"RIGHT", EV_ABS, ABS_HAT0X, 1},
                                {"UP", EV_ABS, ABS_HAT0Y, -1},   {"DOWN", EV_ABS, ABS_HAT0Y, 1}};
    for (const Named& n : kNames)
      if (name == n.name) {
        send(n.type, n.code, n.value);
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
        send(n.type, n.code, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
        return true;
      }
    return false;
  }

 private:
  void send(int type, int code, int value) {
    input_event events[2]{};
    events[0].type = static_cast<__u16>(type);
    events[0].code = static_cast<__u16>(code);
    events[0].value = value;
    events[1].type = EV_SYN;
    events[1].code = SYN_REPORT;
    if (write(fd_, events, sizeof events) != static_cast<ssize_t>(sizeof events))
      std::cerr << "uinput_pad: a write failed: " << std::strerror(errno) << "\n";
  }

  int fd_ = -1;
  std::string why_;
};

// Whether SDL, as the game opens it, finds a game controller.
bool sdlSeesAController() {
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::cerr << "uinput_pad: SDL has no game controllers here: " << SDL_GetError() << "\n";
    return false;
  }
  bool seen = false;
  for (int tries = 0; tries < 20 && !seen; ++tries) {
    SDL_PumpEvents();
    for (int i = 0; i < SDL_NumJoysticks(); ++i) seen = seen || SDL_IsGameController(i);
    if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  if (!seen) std::cerr << "uinput_pad: SDL does not see the uinput pad as a game controller\n";
  return seen;
}

}  // namespace

int main(int argc, char** argv) {
  Pad pad;
  if (!pad.why().empty()) {
    std::cerr << "uinput_pad: " << pad.why() << "\n";
    return kSkip;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the device node appears
  if (argc > 1 && std::strcmp(argv[1], "check") == 0) return sdlSeesAController() ? 0 : kSkip;
  std::string line;
  while (std::getline(std::cin, line))
    if (!line.empty() && !pad.tap(line)) std::cerr << "uinput_pad: no such button: " << line << "\n";
  return 0;
}
