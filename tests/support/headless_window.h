// A window on the headless platform (800 x 600, frame interval 10 ms) for screen tests, and a screen
// that records the notifications it receives.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/platform_headless.h"
#include "engine/screen.h"
#include "engine/window.h"

class HeadlessWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetPlatform(&platform);
    ASSERT_TRUE(window.Create("Test", 800, 600));
    window.SetFrameInterval(10);
  }
  void TearDown() override { SetPlatform(nullptr); }

  HeadlessPlatform platform;
  Window window;
};

template <class Base = Screen>
class Recording : public Base {
 public:
  using Base::Base;
  void OnControlClicked(Control* control) override { clicked.push_back(control); }
  void OnClipExpired(Clip* clip) override { expired.push_back(clip); }
  void OnClipPathPoint(Clip*, const PointSpeed& p) override { points.push_back(p.tag); }
  void OnClipPathEnd(Clip* clip, const PointSpeed& p) override {
    ends.push_back(p.tag);
    if (onPathEnd) onPathEnd(clip);
  }

  std::vector<Control*> clicked;
  std::vector<Clip*> expired;
  std::vector<double> points, ends;  // the tags of the way points reached
  std::function<void(Clip*)> onPathEnd;
};
