// Helpers shared by the screen and control tests: clips of plain pictures, a screen that records its
// notifications, and a window on the headless platform to present into.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/kill_window_button.h"
#include "engine/platform_headless.h"
#include "engine/screen.h"
#include "engine/window.h"

namespace screen_testing {

// A width x height picture of one colour, colour-keyed by key (-1: no key).
inline std::unique_ptr<OBitmap> Picture(int width, int height, uint32_t color, int32_t key = -1) {
  auto b = std::make_unique<OBitmap>();
  EXPECT_TRUE(b->Create(width, height, static_cast<int32_t>(color)));
  b->colorKey = key;
  return b;
}

// A clip of frames of the given colours (one frame each).
template <class Clip = OClip>
std::unique_ptr<Clip> SolidClip(int width, int height, std::vector<uint32_t> colors) {
  auto clip = std::make_unique<Clip>();
  for (uint32_t c : colors)
    clip->AddFrame(Picture(width, height, c));
  return clip;
}

// A clip of sequences, one frame of the given colour each.
template <class Clip = OClip>
std::unique_ptr<Clip> SequenceClip(int width, int height, std::vector<uint32_t> colors) {
  auto clip = std::make_unique<Clip>();
  for (uint32_t c : colors)
    clip->AddSequence()->AddFrame(Picture(width, height, c));
  clip->SetFrame(0, 0);
  return clip;
}

// A window on the headless platform (created, 800 x 600, frame interval 10 ms).
class TestWindow : public OWindow {
 public:
  bool OnCreate() override { return true; }
};

class HeadlessFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetPlatform(&platform);
    ASSERT_TRUE(window.Create("Test", "Test", 800, 600, OWindow::kShowNormal));
    window.SetFrameInterval(10);
  }
  void TearDown() override { SetPlatform(nullptr); }

  HeadlessPlatform platform;
  TestWindow window;
};

// A screen that records what it is told.
template <class Base = OEngine>
class Recording : public Base {
 public:
  using Base::Base;
  void OnControlClicked(OClipControl* control) override { clicked.push_back(control); }
  void OnChildClosed(OEngine* child, int value) override { closed.push_back({child, value}); }
  void OnClipExpired(OClip* clip) override { expired.push_back(clip); }
  void OnClipPathPoint(OClip* clip, const PointSpeed& p) override { points.push_back({clip, p}); }
  void OnClipPathEnd(OClip* clip, const PointSpeed& p) override {
    ends.push_back({clip, p});
    if (onPathEnd) onPathEnd(clip);
  }

  struct Closed {
    OEngine* child;
    int value;
  };
  struct Reached {
    OClip* clip;
    PointSpeed point;
  };
  std::vector<OClipControl*> clicked;
  std::vector<Closed> closed;
  std::vector<OClip*> expired;
  std::vector<Reached> points, ends;
  std::function<void(OClip*)> onPathEnd;
};

// Pixels of a picture, row by row, for whole-picture comparisons.
inline std::vector<uint32_t> Pixels(const OBitmap& b) {
  std::vector<uint32_t> out;
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x)
      out.push_back(b.GetPixel(x, y));
  return out;
}

}  // namespace screen_testing
