// SdlPlatform: events, the clock's waiting, key mapping, the pointer and the modifier keys.
#include <SDL.h>

#include <cstring>

#include "engine/platform_sdl.h"

// ---- key mapping ---------------------------------------------------------------------------------
int SdlKeyToVirtualKey(int sdlKeycode, bool numLock) {
  const SDL_Keycode k = sdlKeycode;
  if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
  if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
  if (k >= SDLK_F1 && k <= SDLK_F12) return vk::kF1 + (k - SDLK_F1);
  // The numeric pad: digits with Num Lock, the navigation keys printed on them without.
  static constexpr struct {
    SDL_Keycode key;
    int digit, navigation;
  } kPad[] = {
      {SDLK_KP_0, 96, vk::kInsert}, {SDLK_KP_1, 97, vk::kEnd},          {SDLK_KP_2, 98, vk::kDown},
      {SDLK_KP_3, 99, vk::kNext},   {SDLK_KP_4, 100, vk::kLeft},        {SDLK_KP_5, 101, 12},
      {SDLK_KP_6, 102, vk::kRight}, {SDLK_KP_7, 103, vk::kHome},        {SDLK_KP_8, 104, vk::kUp},
      {SDLK_KP_9, 105, vk::kPrior}, {SDLK_KP_PERIOD, 110, vk::kDelete},
  };
  for (const auto& pad : kPad) {
    if (pad.key == k) return numLock ? pad.digit : pad.navigation;
  }
  switch (k) {
    case SDLK_BACKSPACE:
      return vk::kBack;
    case SDLK_TAB:
      return vk::kTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return vk::kReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return vk::kShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return vk::kControl;
    case SDLK_LALT:
    case SDLK_RALT:
      return vk::kMenu;
    case SDLK_PAUSE:
      return vk::kPause;
    case SDLK_CAPSLOCK:
      return 20;
    case SDLK_ESCAPE:
      return vk::kEscape;
    case SDLK_SPACE:
      return vk::kSpace;
    case SDLK_PAGEUP:
      return vk::kPrior;
    case SDLK_PAGEDOWN:
      return vk::kNext;
    case SDLK_END:
      return vk::kEnd;
    case SDLK_HOME:
      return vk::kHome;
    case SDLK_LEFT:
      return vk::kLeft;
    case SDLK_UP:
      return vk::kUp;
    case SDLK_RIGHT:
      return vk::kRight;
    case SDLK_DOWN:
      return vk::kDown;
    case SDLK_PRINTSCREEN:
      return 44;
    case SDLK_INSERT:
      return vk::kInsert;
    case SDLK_DELETE:
      return vk::kDelete;
    case SDLK_LGUI:
      return 91;
    case SDLK_RGUI:
      return 92;
    case SDLK_APPLICATION:
      return 93;
    case SDLK_KP_MULTIPLY:
      return 106;
    case SDLK_KP_PLUS:
      return 107;
    case SDLK_KP_MINUS:
      return 109;
    case SDLK_KP_DIVIDE:
      return 111;
    case SDLK_NUMLOCKCLEAR:
      return 144;
    case SDLK_SCROLLLOCK:
      return 145;
    case SDLK_SEMICOLON:
      return 186;
    case SDLK_EQUALS:
      return 187;
    case SDLK_COMMA:
      return 188;
    case SDLK_MINUS:
      return 189;
    case SDLK_PERIOD:
      return 190;
    case SDLK_SLASH:
      return 191;
    case SDLK_BACKQUOTE:
      return 192;
    case SDLK_LEFTBRACKET:
      return 219;
    case SDLK_BACKSLASH:
      return 220;
    case SDLK_RIGHTBRACKET:
      return 221;
    case SDLK_QUOTE:
      return 222;
    default:
      return 0;
  }
}

int SdlKeyCharacter(int sdlKeycode) {
  switch (sdlKeycode) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return 13;
    case SDLK_BACKSPACE:
      return 8;
    case SDLK_ESCAPE:
      return 27;
    case SDLK_TAB:
      return 9;
    default:
      return 0;
  }
}

// ---- events ----------------------------------------------------------------------------------------
namespace {
int ModifiersOf(SDL_Keymod mod) {
  return ((mod & KMOD_SHIFT) ? kModShift : 0) | ((mod & KMOD_CTRL) ? kModCtrl : 0) |
         ((mod & KMOD_ALT) ? kModAlt : 0);
}

PlatformEvent Event(PlatformEventType type) {
  PlatformEvent e;
  e.type = type;
  return e;
}
}  // namespace

void SdlPlatform::QueueExpose() {
  pending_.push_back(Event(PlatformEventType::kExpose));
}

void SdlPlatform::ToClient(int& x, int& y) const {
  if (fullScreen_) {
    x = placement_.ToPictureX(x);
    y = placement_.ToPictureY(y);
  }
}

void SdlPlatform::Translate(const SDL_Event& sdl) {
  switch (sdl.type) {
    case SDL_SYSWMEVENT:
      if (SdlPointerScreenFromSystemEvent(sdl, rootX_, rootY_)) rootKnown_ = true;
      break;
    case SDL_QUIT:
      pending_.push_back(Event(PlatformEventType::kQuit));
      break;
    case SDL_WINDOWEVENT:
      switch (sdl.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          pending_.push_back(Event(PlatformEventType::kQuit));
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          // The surface still holds the picture: showing it again is enough.
          if (window_ && surface_) SDL_UpdateWindowSurface(window_);
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          pending_.push_back(Event(PlatformEventType::kFocusGained));
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          pending_.push_back(Event(PlatformEventType::kFocusLost));
          break;
        case SDL_WINDOWEVENT_RESTORED:
          pending_.push_back(Event(PlatformEventType::kExpose));
          break;
        default:
          break;
      }
      break;
    case SDL_MOUSEMOTION: {
      PlatformEvent e = Event(PlatformEventType::kMouseMove);
      e.x = sdl.motion.x, e.y = sdl.motion.y;
      ToClient(e.x, e.y);
      pending_.push_back(e);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool down = sdl.type == SDL_MOUSEBUTTONDOWN;
      PlatformEvent e;
      if (sdl.button.button == SDL_BUTTON_LEFT) {
        e.type = down ? PlatformEventType::kLButtonDown : PlatformEventType::kLButtonUp;
      } else if (sdl.button.button == SDL_BUTTON_RIGHT) {
        e.type = down ? PlatformEventType::kRButtonDown : PlatformEventType::kRButtonUp;
      } else {
        break;
      }
      e.x = sdl.button.x, e.y = sdl.button.y;
      ToClient(e.x, e.y);
      pending_.push_back(e);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const bool numLock = (sdl.key.keysym.mod & KMOD_NUM) != 0;
      const int key = SdlKeyToVirtualKey(sdl.key.keysym.sym, numLock);
      if (key == 0) break;
      PlatformEvent e =
          Event(sdl.type == SDL_KEYDOWN ? PlatformEventType::kKeyDown : PlatformEventType::kKeyUp);
      e.key = key;
      e.modifiers = GetModifiers();
      pending_.push_back(e);
      // Enter, Backspace, Escape and Tab type their control characters, which text input never reports.
      const int ch = sdl.type == SDL_KEYDOWN ? SdlKeyCharacter(sdl.key.keysym.sym) : 0;
      if (ch != 0) {
        PlatformEvent c = Event(PlatformEventType::kChar);
        c.ch = ch;
        c.modifiers = e.modifiers;
        pending_.push_back(c);
      }
      break;
    }
    case SDL_TEXTINPUT: {
      const int modifiers = GetModifiers();
      const size_t n = strnlen(sdl.text.text, sizeof sdl.text.text);
      for (size_t i = 0; i < n; ++i) {
        PlatformEvent c = Event(PlatformEventType::kChar);
        c.ch = static_cast<signed char>(sdl.text.text[i]);  // bytes above 127 arrive negative
        c.modifiers = modifiers;
        pending_.push_back(c);
      }
      break;
    }
    default:
      break;
  }
}

bool SdlPlatform::PollEvent(PlatformEvent& event) {
  SDL_Event sdl;
  while (pending_.empty() && videoStarted_ && SDL_PollEvent(&sdl))
    Translate(sdl);
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

bool SdlPlatform::WaitForEvent(int timeoutMs) {
  if (!pending_.empty()) return true;
  if (!videoStarted_) return false;
  return SDL_WaitEventTimeout(nullptr, timeoutMs) == 1;
}

void SdlPlatform::RequestClose() {
  if (!window_ || closing_) return;
  // The window goes away at once; the loop ends on the quit event and then destroys it.
  closing_ = true;
  SDL_HideWindow(window_);
  pending_.push_back(Event(PlatformEventType::kQuit));
}

// ---- input state -----------------------------------------------------------------------------------
void SdlPlatform::GetPointerScreen(int& x, int& y) const {
  x = y = 0;
  if (!videoStarted_) return;
  if (realDisplay_) {
    SDL_GetGlobalMouseState(&x, &y);
    // SDL's answer may be a cached one; the window system's last event is exact when SDL has no news.
    const bool sdlMoved = x != sdlGlobalX_ || y != sdlGlobalY_;
    sdlGlobalX_ = x, sdlGlobalY_ = y;
    if (!sdlMoved && rootKnown_) x = rootX_, y = rootY_;
    return;
  }
  // Drivers without a global pointer know it only relative to the window.
  SDL_GetMouseState(&x, &y);
  if (window_) {
    int wx, wy;
    GetWindowPosition(wx, wy);
    x += wx, y += wy;
  }
}

void SdlPlatform::GetPointerClient(int& x, int& y) const {
  GetPointerScreen(x, y);
  if (fullScreen_) {
    x = placement_.ToPictureX(x - displayX_);
    y = placement_.ToPictureY(y - displayY_);
  } else if (window_) {
    int wx, wy;
    GetWindowPosition(wx, wy);
    x -= wx, y -= wy;
  }
}

bool SdlPlatform::HasFocus() const {
  return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

int SdlPlatform::GetModifiers() const {
  return videoStarted_ ? ModifiersOf(SDL_GetModState()) : 0;
}
