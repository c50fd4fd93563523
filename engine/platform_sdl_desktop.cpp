// SdlPlatform: the desktop's services — screen size, clipboard, message boxes, web pages.
#include <SDL.h>

#include <cstdio>

#include "engine/game_pages.h"
#include "engine/platform_sdl.h"

void SdlPlatform::GetScreenSize(int& width, int& height) const {
  width = 800, height = 600;  // what the game was made for, when the display cannot say
  if (!videoStarted_) return;
  int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
  if (display < 0) display = 0;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(display, &mode) == 0 && mode.w > 0 && mode.h > 0) {
    width = ToScaleSteps(mode.w), height = ToScaleSteps(mode.h);
  }
}

void SdlPlatform::GetUsableArea(int& width, int& height) const {
  width = 800, height = 600;
  if (!videoStarted_) return;
  int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
  if (display < 0) display = 0;
  SDL_Rect bounds;
  if (SDL_GetDisplayUsableBounds(display, &bounds) == 0 && bounds.w > 0 && bounds.h > 0) {
    width = bounds.w, height = bounds.h;
  }
}

bool SdlPlatform::GetClipboardText(std::string& text) const {
  if (!videoStarted_ || !SDL_HasClipboardText()) return false;
  char* clip = SDL_GetClipboardText();
  if (!clip) return false;
  text.assign(clip);
  SDL_free(clip);
  return !text.empty();
}

void SdlPlatform::ShowMessageBox(const char* caption, const char* text) {
  caption = caption ? caption : "";
  text = text ? text : "";
  // Without a real display a box could only fail, or wait for a click nobody can give.
  if (realDisplay_) {
    const bool parentShown = window_ && !closing_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption, text,
                                 parentShown ? window_ : nullptr) == 0) {
      return;
    }
  }
  // Where no box could be shown the message still reaches whoever started the game.
  std::fprintf(stderr, "globbet: %s%s%s\n", caption, *caption ? ": " : "", text);
}

bool SdlPlatform::OpenUrl(const char* url) {
  // Only web addresses and the game's own pages go to the desktop's opener; any other file could start
  // a local program.
  if (!url || !game_pages::MayOpen(url, game_pages::FolderInAddress())) return false;
  return SDL_OpenURL(url) == 0;
}
