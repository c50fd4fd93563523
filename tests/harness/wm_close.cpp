// globbet-harness wmclose WINDOW: asks an X window to close as a window manager does, with the client
// message WM_PROTOCOLS / WM_DELETE_WINDOW (the end-to-end runs' X server has no window manager).
#include <X11/Xlib.h>

#include <cstdlib>
#include <string>

// Only the command table: the game's Window and Screen classes share their names with Xlib's types.
#include "tools/globbet-tool/command.h"

namespace {
int Run(const ToolArgs& args) {
  char* end = nullptr;
  const unsigned long window = args.size() == 1 ? std::strtoul(args[0].c_str(), &end, 0) : 0;
  if (window == 0 || !end || *end != '\0') return Fail("wmclose takes one window id");
  Display* display = XOpenDisplay(nullptr);
  if (!display) return Fail("wmclose: no display");
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
  XCloseDisplay(display);  // flushes the request
  return sent ? 0 : Fail("wmclose: the message could not be sent");
}

const GlobbetToolCommand kWmClose("wmclose", "", "wmclose WINDOW", Run);
}  // namespace
