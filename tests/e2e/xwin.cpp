// xwin: what a player's desktop does to the game's windows, for the end-to-end checks and the
// window benchmark, on an X server without a window manager (Xvfb).
//
//   xwin painted TITLE [TIMEOUT_MS]  waits until a window with this title is on screen with its
//                                    first frame drawn; prints its id (exit 1 on time-out)
//   xwin close TITLE                 asks the window to close as a window manager's close button
//                                    does: a WM_DELETE_WINDOW message (exit 1 if there is none)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <thread>

namespace {

std::string titleOf(Display* display, Window window) {
  const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after,
                         &data) == Success &&
      data) {
    title.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return title;
}

bool viewable(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// The viewable top-level window with this title (the first in stacking order from the top).
std::optional<Window> find(Display* display, const std::string& title) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return {};
  std::optional<Window> found;
  for (unsigned int i = count; i-- > 0 && !found;)
    if (titleOf(display, children[i]) == title && viewable(display, children[i])) found = children[i];
  if (children) XFree(children);
  return found;
}

// Drawn: the window's pixels are not all one colour (a window not yet painted is all its
// background).
bool painted(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (!image) return false;
  std::set<unsigned long> colours;
  for (int y = 0; y < attributes.height && colours.size() < 3; y += 3)
    for (int x = 0; x < attributes.width && colours.size() < 3; x += 3) colours.insert(XGetPixel(image, x, y));
  XDestroyImage(image);
  return colours.size() >= 3;
}

int waitPainted(Display* display, const std::string& title, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < end) {
    if (auto window = find(display, title); window && painted(display, *window)) {
      std::printf("%lu\n", *window);
      return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  std::fprintf(stderr, "xwin: no window '%s' was drawn within %d ms\n", title.c_str(), timeoutMs);
  return 1;
}

int close(Display* display, const std::string& title) {
  const auto window = find(display, title);
  if (!window) {
    std::fprintf(stderr, "xwin: no window '%s' to close\n", title.c_str());
    return 1;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = *window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, *window, False, NoEventMask, &event);
  XFlush(display);
  return 0;
}

// Windows come and go while xwin looks at them (a fight's window closes as its result hands over):
// a window gone between the listing and a look at it is no error, only not the one sought. The
// call that met it reports failure, which every caller treats as "not this window".
int windowGone(Display*, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable || error->error_code == BadMatch) return 0;
  std::fprintf(stderr, "xwin: X error %d\n", error->error_code);
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (std::strcmp(argv[1], "painted") != 0 && std::strcmp(argv[1], "close") != 0)) {
    std::fprintf(stderr, "usage: xwin painted TITLE [TIMEOUT_MS] | xwin close TITLE\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "xwin: cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(windowGone);
  const int status = std::strcmp(argv[1], "close") == 0
                         ? close(display, argv[2])
                         : waitPainted(display, argv[2], argc > 3 ? std::atoi(argv[3]) : 10000);
  XCloseDisplay(display);
  return status;
}
