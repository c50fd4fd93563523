// SdlPlatform: what the loop needs besides input — the clock, the wait for the next tick, and whether the
// window can be seen at all.
#include <SDL.h>
#include <time.h>

#include <algorithm>
#include <cerrno>

#include "engine/platform_sdl.h"

namespace {
constexpr int64_t kNsPerMs = 1'000'000;
}  // namespace

// ---- the clock ---------------------------------------------------------------------------------------
int64_t SdlMonotonicNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}

uint32_t SdlPlatform::Ticks() const {
  return static_cast<uint32_t>((SdlMonotonicNs() - originNs_) / kNsPerMs);
}

double SdlPlatform::FineTicks() const {
  return static_cast<double>(SdlMonotonicNs() - originNs_) / kNsPerMs;
}

// ---- waiting for the tick ----------------------------------------------------------------------------
TickWait PlanTickWait(int64_t nowNs, int64_t originNs, uint32_t dueMs) {
  const int64_t sinceOrigin = nowNs - originNs;
  const int64_t nowMs = sinceOrigin / kNsPerMs;
  // The due time is near the clock's reading, so the difference of the wrapping readings is exact.
  const int32_t aheadMs = static_cast<int32_t>(dueMs - static_cast<uint32_t>(nowMs));
  if (aheadMs <= 0) return {0, nowNs};
  const int64_t deadline = originNs + (nowMs + aheadMs) * kNsPerMs;
  return {static_cast<int>(std::max<int64_t>(0, (deadline - nowNs) / kNsPerMs - 1)), deadline};
}

bool SdlPlatform::WaitUntil(uint32_t dueMs) {
  // The loop calls this only after PollEvent found nothing, which has shown the frame's drawing.
  if (!pending_.empty()) return true;
  const TickWait wait = PlanTickWait(SdlMonotonicNs(), originNs_, dueMs);
  // On X11 one wait serves both input and the tick: a single wake-up and a single read of the connection
  // per tick. What SDL already holds is taken first.
  if (videoStarted_ && window_) {
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return true;
    const int input = SdlWaitForDisplayInput(window_, wait.deadlineNs);
    if (input == 1) lastPumpNs_ = 0;  // read the connection now, however recent the last read
    if (input >= 0) {
      connectionQuiet_ = input == 0;
      return input == 1;
    }
  }
  if (wait.inputWaitMs > 0 && videoStarted_) {
    const bool input = SDL_WaitEventTimeout(nullptr, wait.inputWaitMs) == 1;
    lastPumpNs_ = SdlMonotonicNs();  // the wait read the connection until it returned
    if (input) return true;
  }
  // The last stretch is slept to the deadline itself; input that comes meanwhile is taken after it.
  const timespec deadline{static_cast<time_t>(wait.deadlineNs / 1'000'000'000),
                          static_cast<long>(wait.deadlineNs % 1'000'000'000)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
  return false;
}

// ---- the window's visibility -------------------------------------------------------------------------
bool SdlPlatform::TakeVisibility(const SDL_Event& sdl) {
  if (sdl.type != SDL_WINDOWEVENT) return false;
  PlatformEvent event;
  switch (sdl.window.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
      // A closing window hides on its way out: the loop is ending, not hiding.
      if (hidden_ || closing_) return true;
      hidden_ = true;
      event.type = PlatformEventType::kHidden;
      break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_EXPOSED:
      // Whichever of these comes first after hiding shows the window again; later ones, and those of a
      // window never hidden, keep their usual meaning.
      if (!hidden_) return false;
      hidden_ = false;
      event.type = PlatformEventType::kShown;
      break;
    default:
      return false;
  }
  pending_.push_back(event);
  return true;
}
