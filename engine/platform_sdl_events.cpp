// SdlPlatform: events, the clock's waiting, key mapping, the pointer and the modifier keys.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/latin1_text.h"
#include "engine/platform_sdl.h"

// ---- key mapping ---------------------------------------------------------------------------------
namespace {
struct KeyCode {
  SDL_Keycode sdl;
  int vk;
  int withNumLock;  // the numeric pad's digit code with Num Lock on; 0 = the same as vk
};

// Every mapped key outside the letter, digit and function-key runs. Numeric-pad keys map to the
// navigation keys printed on them.
// clang-format off
constexpr KeyCode kKeyList[] = {
    {SDLK_BACKSPACE, vk::kBack, 0},  {SDLK_TAB, vk::kTab, 0},       {SDLK_RETURN, vk::kReturn, 0},
    {SDLK_KP_ENTER, vk::kReturn, 0}, {SDLK_LSHIFT, vk::kShift, 0},  {SDLK_RSHIFT, vk::kShift, 0},
    {SDLK_LCTRL, vk::kControl, 0},   {SDLK_RCTRL, vk::kControl, 0}, {SDLK_LALT, vk::kMenu, 0},
    {SDLK_RALT, vk::kMenu, 0},       {SDLK_PAUSE, vk::kPause, 0},   {SDLK_CAPSLOCK, 20, 0},
    {SDLK_ESCAPE, vk::kEscape, 0},   {SDLK_SPACE, vk::kSpace, 0},   {SDLK_PAGEUP, vk::kPrior, 0},
    {SDLK_PAGEDOWN, vk::kNext, 0},   {SDLK_END, vk::kEnd, 0},       {SDLK_HOME, vk::kHome, 0},
    {SDLK_LEFT, vk::kLeft, 0},       {SDLK_UP, vk::kUp, 0},         {SDLK_RIGHT, vk::kRight, 0},
    {SDLK_DOWN, vk::kDown, 0},       {SDLK_PRINTSCREEN, 44, 0},     {SDLK_INSERT, vk::kInsert, 0},
    {SDLK_DELETE, vk::kDelete, 0},   {SDLK_LGUI, 91, 0},            {SDLK_RGUI, 92, 0},
    {SDLK_APPLICATION, 93, 0},       {SDLK_KP_0, vk::kInsert, 96},  {SDLK_KP_1, vk::kEnd, 97},
    {SDLK_KP_2, vk::kDown, 98},      {SDLK_KP_3, vk::kNext, 99},    {SDLK_KP_4, vk::kLeft, 100},
    {SDLK_KP_5, 12, 101},            {SDLK_KP_6, vk::kRight, 102},  {SDLK_KP_7, vk::kHome, 103},
    {SDLK_KP_8, vk::kUp, 104},       {SDLK_KP_9, vk::kPrior, 105},  {SDLK_KP_PERIOD, vk::kDelete, 110},
    {SDLK_KP_MULTIPLY, 106, 0},      {SDLK_KP_PLUS, 107, 0},        {SDLK_KP_MINUS, 109, 0},
    {SDLK_KP_DIVIDE, 111, 0},        {SDLK_NUMLOCKCLEAR, 144, 0},   {SDLK_SCROLLLOCK, 145, 0},
    {SDLK_SEMICOLON, 186, 0},        {SDLK_EQUALS, 187, 0},         {SDLK_COMMA, 188, 0},
    {SDLK_MINUS, 189, 0},            {SDLK_PERIOD, 190, 0},         {SDLK_SLASH, 191, 0},
    {SDLK_BACKQUOTE, 192, 0},        {SDLK_LEFTBRACKET, 219, 0},    {SDLK_BACKSLASH, 220, 0},
    {SDLK_RIGHTBRACKET, 221, 0},     {SDLK_QUOTE, 222, 0},
};
// clang-format on

// kKeyList sorted by SDL keycode, for a binary search.
constexpr auto kKeyCodes = [] {
  auto keys = std::to_array(kKeyList);
  std::ranges::sort(keys, {}, &KeyCode::sdl);
  return keys;
}();
static_assert(std::ranges::adjacent_find(kKeyCodes, {}, &KeyCode::sdl) == kKeyCodes.end(),
              "each SDL key maps once");
}  // namespace

int SdlKeyToVirtualKey(int sdlKeycode, bool numLock) {
  const SDL_Keycode k = sdlKeycode;
  if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
  if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
  if (k >= SDLK_F1 && k <= SDLK_F12) return vk::kF1 + (k - SDLK_F1);
  const auto* it = std::ranges::lower_bound(kKeyCodes, k, {}, &KeyCode::sdl);
  if (it == kKeyCodes.end() || it->sdl != k) return 0;
  return numLock && it->withNumLock != 0 ? it->withNumLock : it->vk;
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
// Only the left Alt counts as Alt: the right one is AltGr on many layouts, which types characters
// ("@", "{", accented letters) that must reach the name field.
int ModifiersOf(SDL_Keymod mod) {
  return ((mod & KMOD_SHIFT) ? kModShift : 0) | ((mod & KMOD_CTRL) ? kModCtrl : 0) |
         ((mod & KMOD_LALT) ? kModAlt : 0);
}

PlatformEvent Event(PlatformEventType type) {
  PlatformEvent e;
  e.type = type;
  return e;
}
// The platform event a window event stands for; kNone for those the game has no use for.
PlatformEventType WindowEventType(uint8_t event) {
  switch (event) {
    case SDL_WINDOWEVENT_CLOSE:
      return PlatformEventType::kClose;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      return PlatformEventType::kFocusGained;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      return PlatformEventType::kFocusLost;
    case SDL_WINDOWEVENT_RESTORED:
      return PlatformEventType::kExpose;
    default:
      return PlatformEventType::kNone;
  }
}

// A pointer move or a left or right button press or release at its window-relative point; kNone for
// the other buttons.
PlatformEvent MouseEvent(const SDL_Event& sdl) {
  if (sdl.type == SDL_MOUSEMOTION) {
    PlatformEvent e = Event(PlatformEventType::kMouseMove);
    e.x = sdl.motion.x, e.y = sdl.motion.y;
    return e;
  }
  const bool down = sdl.type == SDL_MOUSEBUTTONDOWN;
  PlatformEvent e;
  if (sdl.button.button == SDL_BUTTON_LEFT) {
    e.type = down ? PlatformEventType::kMouseDown : PlatformEventType::kMouseUp;
  } else if (sdl.button.button == SDL_BUTTON_RIGHT) {
    e.type = down ? PlatformEventType::kRightMouseDown : PlatformEventType::kRightMouseUp;
  } else {
    return e;
  }
  e.x = sdl.button.x, e.y = sdl.button.y;
  return e;
}

// Appends a key's down or up event, and the control character a key-down types by itself.
void AddKeyEvents(const SDL_KeyboardEvent& key, int modifiers, std::deque<PlatformEvent>& out) {
  const bool numLock = (key.keysym.mod & KMOD_NUM) != 0;
  const int code = SdlKeyToVirtualKey(key.keysym.sym, numLock);
  if (code == 0) return;
  PlatformEvent e = Event(key.type == SDL_KEYDOWN ? PlatformEventType::kKeyDown : PlatformEventType::kKeyUp);
  e.key = code;
  e.modifiers = modifiers;
  out.push_back(e);
  // Enter, Backspace, Escape and Tab type their control characters, which text input never reports.
  const int ch = key.type == SDL_KEYDOWN ? SdlKeyCharacter(key.keysym.sym) : 0;
  if (ch != 0) {
    PlatformEvent c = Event(PlatformEventType::kChar);
    c.ch = ch;
    c.modifiers = modifiers;
    out.push_back(c);
  }
}

// Appends one character event per character of typed text. SDL types UTF-8, the game's texts are
// Latin-1: a letter Latin-1 holds arrives as its byte, one it cannot hold is dropped.
void AddTextEvents(const SDL_TextInputEvent& text, int modifiers, std::deque<PlatformEvent>& out) {
  for (const char byte : Utf8ToLatin1(std::string_view(text.text, strnlen(text.text, sizeof text.text)))) {
    PlatformEvent c = Event(PlatformEventType::kChar);
    c.ch = static_cast<signed char>(byte);  // bytes above 127 arrive negative
    c.modifiers = modifiers;
    out.push_back(c);
  }
}
}  // namespace

void SdlPlatform::QueueExpose() {
  pending_.push_back(Event(PlatformEventType::kExpose));
}

void SdlPlatform::ToClient(int& x, int& y) const {
  if (picture_) {
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
      if (sdl.window.event == SDL_WINDOWEVENT_EXPOSED) {
        // The surface still holds the picture: showing it again is enough.
        if (window_ && surface_) SDL_UpdateWindowSurface(window_);
      } else if (sdl.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        // SDL learns of a new size some time after the resize that asked for it, and then drops the
        // surface the frames since were drawn into: without a new one nothing drawn would show.
        RenewSurface();
      } else if (const PlatformEventType type = WindowEventType(sdl.window.event);
                 type != PlatformEventType::kNone) {
        pending_.push_back(Event(type));
      }
      break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (PlatformEvent e = MouseEvent(sdl); e.type != PlatformEventType::kNone) {
        ToClient(e.x, e.y);
        pending_.push_back(e);
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      AddKeyEvents(sdl.key, GetModifiers(), pending_);
      break;
    case SDL_TEXTINPUT:
      AddTextEvents(sdl.text, GetModifiers(), pending_);
      break;
    default:
      TranslatePad(sdl);
      break;
  }
}

bool SdlPlatform::PollEvent(PlatformEvent& event) {
  SDL_Event sdl;
  // Reading the display connection costs a dozen system calls. A read less than half a millisecond old
  // (the one just before a tick) is fresh enough, and so is one up to 50 ms old while the last wait saw
  // nothing arrive; SDL's own queue is looked at anyway.
  constexpr int64_t kFreshPumpNs = 500'000, kQuietPumpNs = 50'000'000;
  const int64_t now = SdlMonotonicNs();
  if (videoStarted_ && pending_.empty() &&
      now - lastPumpNs_ >= (connectionQuiet_ ? kQuietPumpNs : kFreshPumpNs)) {
    SDL_PumpEvents();
    lastPumpNs_ = now;
    connectionQuiet_ = false;
  }
  while (pending_.empty() && videoStarted_ &&
         SDL_PeepEvents(&sdl, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1)
    if (!TakeVisibility(sdl)) Translate(sdl);
  if (pending_.empty()) {
    // Nothing to take: the frame's drawing is done, so what it presented is shown now.
    ShowPresented();
    return false;
  }
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
  RealPointerScreen(x, y);
  x = ToScaleSteps(x), y = ToScaleSteps(y);
}

void SdlPlatform::RealPointerScreen(int& x, int& y) const {
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
  int wx, wy;
  RealWindowPosition(wx, wy);
  x += wx, y += wy;
}

void SdlPlatform::GetPointerClient(int& x, int& y) const {
  RealPointerScreen(x, y);
  if (!window_) return;
  int wx, wy;
  RealWindowPosition(wx, wy);
  x -= wx, y -= wy;
  ToClient(x, y);
}

bool SdlPlatform::HasFocus() const {
  return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

int SdlPlatform::GetModifiers() const {
  return videoStarted_ ? ModifiersOf(SDL_GetModState()) : 0;
}
