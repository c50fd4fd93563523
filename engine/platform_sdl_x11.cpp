// The pointer's screen position from X11's own events. SDL reports pointer events relative to the
// window, and those go stale while the window moves under them (the window drag); its global pointer
// query is cached on X11 until raw input arrives, which does not come from every device. The X events
// carry the exact screen position at the moment they happened.
// Also the window's standing as a top-level window, which SDL's borderless window can lose on X11.
#include <SDL.h>
#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <poll.h>
#include <time.h>
#endif

#include <algorithm>
#include <cstdint>

#include "engine/platform_sdl.h"

void SdlMakeTopLevel(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  const Window xwindow = info.info.x11.window;
  // SDL asks for no decorations through _MOTIF_WM_HINTS only when the server knows that atom, and marks
  // the window transient for the root window instead when it does not: window managers then take it
  // for a dialog. Make the atom, give the hints (decorations as the window was made) and drop the mark.
  const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  const long decorations = (SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS) ? 0 : 1;
  const long hints[5] = {1L << 1 /* decorations given */, 0, decorations, 0, 0};
  XChangeProperty(display, xwindow, motif, motif, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints), 5);
  XDeleteProperty(display, xwindow, XA_WM_TRANSIENT_FOR);
  XFlush(display);
#else
  (void)window;
#endif
}

int SdlWaitForDisplayInput(SDL_Window* window, int64_t deadlineNs) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return -1;
  Display* display = info.info.x11.display;
  // Events Xlib has already read (with a reply, say) would never wake the poll.
  if (XEventsQueued(display, QueuedAlready) > 0) return 1;
  const int64_t leftNs = std::max<int64_t>(0, deadlineNs - SdlMonotonicNs());
  const timespec left{static_cast<time_t>(leftNs / 1'000'000'000), static_cast<long>(leftNs % 1'000'000'000)};
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  // A signal (a quit request) ends the wait too: SDL turns it into its event when the loop reads.
  return ppoll(&connection, 1, &left, nullptr) == 0 ? 0 : 1;
#else
  (void)window, (void)deadlineNs;
  return -1;
#endif
}

void SdlEnableWindowSystemEvents() {
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

bool SdlPointerScreenFromSystemEvent(const SDL_Event& event, int& x, int& y) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11) {
    return false;
  }
  const XEvent& xe = event.syswm.msg->msg.x11.event;
  switch (xe.type) {
    case MotionNotify:
      x = xe.xmotion.x_root, y = xe.xmotion.y_root;
      return true;
    case ButtonPress:
    case ButtonRelease:
      x = xe.xbutton.x_root, y = xe.xbutton.y_root;
      return true;
    case EnterNotify:
    case LeaveNotify:
      x = xe.xcrossing.x_root, y = xe.xcrossing.y_root;
      return true;
    default:
      return false;
  }
#else
  (void)event, (void)x, (void)y;
  return false;
#endif
}
