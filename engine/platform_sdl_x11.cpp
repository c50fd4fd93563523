// The pointer's screen position from X11's own events. SDL reports pointer events relative to the
// window, and those go stale while the window moves under them (the window drag); its global pointer
// query is cached on X11 until raw input arrives, which does not come from every device. The X events
// carry the exact screen position at the moment they happened.
#include <SDL.h>
#include <SDL_syswm.h>

#include "engine/platform_sdl.h"

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
