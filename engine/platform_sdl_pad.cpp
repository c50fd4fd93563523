// SdlPlatform: game controllers. Every controller plugged in is opened, whenever it arrives; its buttons
// become key events with the pad's own codes, its left stick kPadStick events, its unplugging kPadRemoved.
#include <SDL.h>

#include <algorithm>
#include <utility>

#include "engine/log.h"
#include "engine/platform_sdl.h"

namespace {
// The buttons the game has a use for, and their key codes; the others are dropped.
constexpr std::pair<SDL_GameControllerButton, int> kPadButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, vk::kPadA},
    {SDL_CONTROLLER_BUTTON_B, vk::kPadB},
    {SDL_CONTROLLER_BUTTON_START, vk::kPadStart},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, vk::kPadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, vk::kPadRight},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, vk::kPadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, vk::kPadDown}};

int PadButtonKey(uint8_t button) {
  for (const auto& [pad, key] : kPadButtons)
    if (pad == button) return key;
  return 0;
}
}  // namespace

void SdlPlatform::StartPads() {
  // Without controller support (no input devices to read, say) the game is played as before.
  padsStarted_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!padsStarted_) Log(LogLevel::kInfo, "no game controller support: %s", SDL_GetError());
}

void SdlPlatform::ClosePads() {
  for (const int id : padIds_)
    if (SDL_GameController* pad = SDL_GameControllerFromInstanceID(id)) SDL_GameControllerClose(pad);
  padIds_.clear();
  if (padsStarted_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  padsStarted_ = false;
}

void SdlPlatform::TranslatePad(const SDL_Event& sdl) {
  PlatformEvent e;
  switch (sdl.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (SDL_GameController* pad = SDL_GameControllerOpen(sdl.cdevice.which)) {
        const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
        if (std::ranges::find(padIds_, id) == padIds_.end()) padIds_.push_back(id);
      }
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (const auto it = std::ranges::find(padIds_, sdl.cdevice.which); it != padIds_.end()) {
        if (SDL_GameController* pad = SDL_GameControllerFromInstanceID(*it)) SDL_GameControllerClose(pad);
        padIds_.erase(it);
        // A stick that went with its pad no longer turns anything.
        stickX_ = stickY_ = 0;
        e.type = PlatformEventType::kPadRemoved;
      }
      break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      e.key = PadButtonKey(sdl.cbutton.button);
      if (e.key != 0)
        e.type =
            sdl.type == SDL_CONTROLLERBUTTONDOWN ? PlatformEventType::kKeyDown : PlatformEventType::kKeyUp;
      break;
    case SDL_CONTROLLERAXISMOTION:
      if (sdl.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || sdl.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        (sdl.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ? stickX_ : stickY_) = sdl.caxis.value;
        e.type = PlatformEventType::kPadStick;
        e.x = stickX_, e.y = stickY_;
      }
      break;
    default:
      break;
  }
  if (e.type != PlatformEventType::kNone) pending_.push_back(e);
}
