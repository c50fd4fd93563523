// OClip structure and playback: frames and sequences, the six frame instructions, Tick, copies.
#include <gtest/gtest.h>

#include "engine/clip.h"

namespace {

// A w x h picture of one colour.
std::unique_ptr<OBitmap> Picture(uint32_t color, int w = 4, int h = 4) {
  auto b = std::make_unique<OBitmap>();
  EXPECT_TRUE(b->Create(w, h, int32_t(color)));
  return b;
}

// A clip with count frames coloured 0, 1, 2 ... and frame time 0.
void AddFrames(OClip& clip, int count) {
  for (int i = 0; i < count; ++i)
    clip.AddFrame(Picture(uint32_t(i)));
  clip.SetFrameTime(0);
}

// The colour of the picture shown now (its top-left pixel), or -1.
int ShownColor(const OClip& clip) {
  const OBitmap* p = clip.GetShownPicture();
  return p ? int(p->GetPixel(0, 0)) : -1;
}

// Counts the notifications a subclass receives.
class Recorder : public OClip {
 public:
  void OnExpire() override { ++expired; }
  void OnFrameEvent(int a, int b) override { events.push_back({a, b}); }
  void OnFrameChanged() override {
    ++changes;
    shownAtChange = ShownColor(*this);
  }
  int expired = 0, changes = 0, shownAtChange = -2;
  std::vector<std::pair<int, int>> events;
};

TEST(ClipPlay, FramesLoopAndWrap) {
  OClip clip;
  AddFrames(clip, 3);
  EXPECT_EQ(clip.GetFrameCount(), 3);
  EXPECT_EQ(ShownColor(clip), 0);
  clip.SetFrameTime(100);
  clip.Tick(60);
  EXPECT_EQ(clip.GetCurrentFrame(), 0) << "the frame's time is not up yet";
  clip.Tick(40);
  EXPECT_EQ(clip.GetCurrentFrame(), 1);
  EXPECT_EQ(clip.frameTimer, 0);
  clip.SetFrameTime(0);
  clip.Tick(0);
  clip.Tick(0);
  EXPECT_EQ(clip.GetCurrentFrame(), 0) << "past the last frame playback wraps to frame 0";
  EXPECT_EQ(ShownColor(clip), 0);

  OClip single;
  AddFrames(single, 1);
  single.Tick(5);
  EXPECT_EQ(single.GetCurrentFrame(), 0);
}

TEST(ClipPlay, SetFrameOutOfRangeShowsFrameZero) {
  OClip clip;
  AddFrames(clip, 5);
  clip.SetFrame(3);
  EXPECT_EQ(ShownColor(clip), 3);
  clip.SetFrame(7, -1);
  EXPECT_EQ(clip.GetCurrentFrame(), 0);
  EXPECT_EQ(ShownColor(clip), 0);
  clip.SetFrame(-1);
  EXPECT_EQ(clip.GetCurrentFrame(), 0);
}

TEST(ClipPlay, StopHaltsUntilTheFlagIsCleared) {
  OClip clip;
  AddFrames(clip, 3);
  clip.SetFrameAction(kFrameStop, 0, 0, 0);
  clip.SetFrameAction(kFrameJump, 2, -1, 1);
  clip.Tick(0);
  EXPECT_TRUE(clip.stopped);
  EXPECT_EQ(clip.GetCurrentFrame(), 0);
  clip.SetFrame(1);  // code moves on; the flag stays
  EXPECT_TRUE(clip.stopped);
  clip.Tick(0);
  EXPECT_EQ(clip.GetCurrentFrame(), 1) << "a jump does nothing while stopped";
  clip.stopped = false;
  clip.Tick(0);
  EXPECT_EQ(clip.GetCurrentFrame(), 2);
  clip.Tick(0);
  EXPECT_EQ(clip.GetCurrentFrame(), 0) << "frame 2 advances as usual";
}

TEST(ClipPlay, EndExpiresTheClipOrItsParent) {
  Recorder clip;
  AddFrames(clip, 2);
  clip.SetFrameAction(kFrameEnd, 0, 0, 0);
  clip.Tick(0);
  EXPECT_EQ(clip.lifetime, 0);
  EXPECT_EQ(clip.expired, 1);
  EXPECT_EQ(clip.GetCurrentFrame(), 0) << "end does not advance";

  Recorder parent;
  OClip* seq = parent.AddSequence();
  AddFrames(*seq, 2);
  parent.SetFrame(0, 0);
  parent.SetFrameAction(kFrameEnd, 0, 0, 0, 0);
  parent.Tick(0);
  EXPECT_EQ(parent.lifetime, 0);
  EXPECT_EQ(parent.expired, 1);
  EXPECT_EQ(seq->lifetime, -1);
}

TEST(ClipPlay, JumpsInASequenceOrOnTheParent) {
  OClip parent;
  for (int s = 0; s < 3; ++s) {
    OClip* seq = parent.AddSequence();
    for (int f = 0; f < 4; ++f)
      seq->AddFrame(Picture(uint32_t(10 * s + f)));
  }
  parent.SetFrameTime(0);
  parent.SetFrame(0, 0);
  parent.SetFrameAction(kFrameJump, 3, 2, 0, 0);  // to sequence 2, frame 3
  parent.Tick(0);
  EXPECT_EQ(parent.GetCurrentSequence(), 2);
  EXPECT_EQ(parent.GetCurrentFrame(), 3);
  EXPECT_EQ(ShownColor(parent), 23);
  EXPECT_EQ(parent.GetFrameIdentity(), 2003);

  parent.SetFrameAction(kFrameJump, 1, -1, 3, 2);  // -1: within the sequence itself
  parent.Tick(0);
  EXPECT_EQ(parent.GetCurrentSequence(), 2);
  EXPECT_EQ(ShownColor(parent), 21);

  // Jump-and-stop: 1000 marks the sequence itself; the stop is handed to the parent.
  parent.SetFrameAction(kFrameJumpStop, 2, 1000, 1, 2);
  parent.Tick(0);
  EXPECT_EQ(ShownColor(parent), 22);
  EXPECT_TRUE(parent.stopped);
  parent.Tick(0);
  EXPECT_EQ(ShownColor(parent), 22) << "the sequence plays under its parent's stopped flag";
  parent.SetFrameAction(kFrameJumpStop, 0, 1, 2, 2);  // jumps even when stopped, here to sequence 1
  parent.Tick(0);
  EXPECT_EQ(parent.GetCurrentSequence(), 1);
  EXPECT_EQ(ShownColor(parent), 10);
  EXPECT_TRUE(parent.stopped);
  parent.stopped = false;
  parent.Tick(0);
  EXPECT_EQ(ShownColor(parent), 11);
}

TEST(ClipPlay, EventSignalsThenAdvances) {
  Recorder parent;
  OClip* seq = parent.AddSequence();
  AddFrames(*seq, 3);
  parent.SetFrame(0, 0);
  parent.SetFrameAction(kFrameEvent, 7, 8, 0, 0);
  parent.Tick(0);
  ASSERT_EQ(parent.events.size(), 1u);
  EXPECT_EQ(parent.events[0], std::make_pair(7, 8));
  EXPECT_EQ(parent.GetCurrentFrame(), 1);

  Recorder alone;
  AddFrames(alone, 2);
  alone.SetFrameAction(kFrameEvent, 1, 2, 0);
  alone.SetFrameAction(99, 0, 0, 1);  // unknown: nothing
  alone.Tick(0);
  alone.Tick(0);
  EXPECT_EQ(alone.events.size(), 1u);
  EXPECT_EQ(alone.GetCurrentFrame(), 1);
}

TEST(ClipPlay, LifetimeAndBounds) {
  Recorder clip;
  AddFrames(clip, 1);
  clip.Tick(50);
  EXPECT_EQ(clip.lifetime, -1) << "unlimited stays unlimited";
  clip.lifetime = 30;
  clip.Tick(20);
  EXPECT_EQ(clip.lifetime, 10);
  clip.Tick(20);
  EXPECT_EQ(clip.lifetime, 0) << "never below 0";
  EXPECT_EQ(clip.expired, 0) << "running out is the screen's business";

  Recorder bounded;
  AddFrames(bounded, 1);  // 4 x 4
  bounded.boundsCheck = true;
  bounded.boundsLeft = 0, bounded.boundsTop = 0, bounded.boundsRight = 20, bounded.boundsBottom = 20;
  bounded.x = 16;
  bounded.Tick(1);
  EXPECT_EQ(bounded.expired, 0) << "x + width = right is inside";
  bounded.x = 16.5;
  bounded.Tick(1);
  EXPECT_EQ(bounded.expired, 1);
  EXPECT_EQ(bounded.lifetime, 0);
}

TEST(ClipPlay, FrameChangeIsNotifiedOnceWithTheNewPicture) {
  Recorder clip;
  AddFrames(clip, 3);
  int calls = 0;
  static int* counter = nullptr;
  counter = &calls;
  clip.frameCallback = [](OClip*) { ++*counter; };
  clip.SetFrame(2);
  EXPECT_EQ(clip.changes, 1);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(clip.shownAtChange, 2);

  Recorder parent;
  for (int s = 0; s < 2; ++s)
    AddFrames(*parent.AddSequence(), 2);
  parent.changes = 0;
  parent.SetFrame(1, 1);
  EXPECT_EQ(parent.changes, 1);
  parent.Tick(0);  // the sequence advances on its own and tells its parent
  EXPECT_EQ(parent.changes, 2);
  EXPECT_EQ(parent.GetCurrentFrame(), 0);
}

TEST(ClipPlay, FramesAndSequencesNeverMix) {
  OClip clip;
  clip.x = 5;
  AddFrames(clip, 2);
  OClip* seq = clip.AddSequence();
  EXPECT_EQ(clip.GetOwnFrameCount(), 0);
  EXPECT_EQ(clip.GetSequenceCount(), 1);
  EXPECT_EQ(clip.x, 0) << "clearing resets the clip";
  EXPECT_EQ(seq->GetParent(), &clip);
  seq->AddFrame(Picture(1, 8, 2));
  seq->AddFrame(Picture(2, 3, 9));
  EXPECT_EQ(clip.GetWidth(), 8);
  EXPECT_EQ(clip.GetHeight(), 9) << "a sequence grows its parent";
  EXPECT_EQ(ShownColor(clip), 1);
  clip.AddFrame(Picture(3));
  EXPECT_EQ(clip.GetSequenceCount(), 0);
  EXPECT_EQ(clip.GetOwnFrameCount(), 1);
  clip.AddFrame(nullptr);
  EXPECT_EQ(clip.GetFrameCount(), 1);
}

TEST(ClipPlay, SequenceSelectionAndSettings) {
  OClip clip;
  for (int s = 0; s < 2; ++s) {
    OClip* seq = clip.AddSequence();
    for (int f = 0; f <= s + 1; ++f)
      seq->AddFrame(Picture(uint32_t(10 * s + f)));
  }
  clip.SetFrame(1, 1);
  EXPECT_EQ(clip.GetFrameCount(), 3);
  clip.SetFrame(0, 5);
  EXPECT_EQ(clip.GetCurrentSequence(), 0) << "an out-of-range sequence is sequence 0";
  EXPECT_EQ(clip.GetFrameCount(), 2);

  clip.SetFrameTime(40, 1);
  EXPECT_EQ(clip.GetSequence(0)->frameTime, 100);
  EXPECT_EQ(clip.GetSequence(1)->frameTime, 40);
  clip.SetFrameTime(0, 9);
  EXPECT_EQ(clip.GetSequence(0)->frameTime, 0);
  EXPECT_EQ(clip.GetSequence(1)->frameTime, 0);

  clip.SetFrameAction(kFrameStop, 0, 0, 99, 7);  // sequence 0, its last frame
  EXPECT_EQ(clip.GetSequence(0)->GetFrame(1)->frameAction, kFrameStop);

  clip.SetColorKeyAll(0x123456);
  clip.SetTransparency(128);
  clip.drawRecord.visible = true;
  clip.SetTransparency(64);
  EXPECT_FALSE(clip.drawRecord.visible) << "the next dirty redraw repaints the clip";
  for (int s = 0; s < 2; ++s)
    for (int f = 0; f < clip.GetSequence(s)->GetOwnFrameCount(); ++f) {
      EXPECT_EQ(clip.GetSequence(s)->GetFrame(f)->colorKey, 0x123456);
      EXPECT_EQ(clip.GetSequence(s)->GetFrame(f)->transparency, 64);
    }
}

TEST(ClipPlay, CopySharesPixelsAndInstructions) {
  OClip source;
  source.commandCode = 12;
  for (int s = 0; s < 2; ++s) {
    OClip* seq = source.AddSequence();
    for (int f = 0; f < 3; ++f)
      seq->AddFrame(Picture(uint32_t(10 * s + f), 6, 5));
  }
  source.SetFrameAction(kFrameJump, 2, 1, 1, 0);
  source.GetSequence(1)->GetFrame(2)->offsetX = 7;

  OClip copy;
  copy.x = 40;
  copy.CopyFrom(source);
  EXPECT_EQ(copy.x, 0);
  EXPECT_EQ(copy.commandCode, 12);
  EXPECT_EQ(copy.GetWidth(), 6);
  EXPECT_EQ(copy.GetHeight(), 5);
  ASSERT_EQ(copy.GetSequenceCount(), 2);
  EXPECT_EQ(copy.GetFrameCount(), 3);
  EXPECT_EQ(ShownColor(copy), 0) << "shows the first sequence";
  for (int s = 0; s < 2; ++s) {
    EXPECT_EQ(copy.GetSequence(s)->GetParent(), &copy);
    for (int f = 0; f < 3; ++f)
      EXPECT_TRUE(copy.GetSequence(s)->GetFrame(f)->SharesStorageWith(*source.GetSequence(s)->GetFrame(f)));
  }
  EXPECT_EQ(copy.GetSequence(0)->GetFrame(1)->frameAction, kFrameJump);
  EXPECT_EQ(copy.GetSequence(0)->GetFrame(1)->actionArg2, 1);
  EXPECT_EQ(copy.GetSequence(1)->GetFrame(2)->offsetX, 7);
  EXPECT_EQ(source.GetSequence(0)->GetFrame(0)->GetOwnerCount(), 2);

  // The copy plays on its own and outlives nothing of the source's structure.
  copy.SetFrameTime(0);
  copy.SetFrame(1, 0);
  copy.Tick(0);
  EXPECT_EQ(copy.GetCurrentSequence(), 1);
  EXPECT_EQ(source.GetCurrentSequence(), 0);
  copy.CopyFrom(copy);  // copying itself changes nothing
  EXPECT_EQ(copy.GetSequenceCount(), 2);
  copy.CopyFrom(*copy.GetSequence(1));  // a source inside the clip survives the clearing
  EXPECT_EQ(copy.GetSequenceCount(), 0);
  ASSERT_EQ(copy.GetFrameCount(), 3);
  EXPECT_TRUE(copy.GetFrame(2)->SharesStorageWith(*source.GetSequence(1)->GetFrame(2)));
}

TEST(ClipPlay, ReplaceFrameAndClearKeepShownPicturesValid) {
  OClip clip;
  AddFrames(clip, 3);
  clip.SetFrame(2);
  EXPECT_FALSE(clip.ReplaceFrame(3, Picture(9)));
  ASSERT_TRUE(clip.ReplaceFrame(2, Picture(9)));
  EXPECT_EQ(ShownColor(clip), 9) << "a shown frame that is replaced shows its successor";

  OClip parent;
  OClip* seq = parent.AddSequence();
  AddFrames(*seq, 2);
  parent.SetFrame(0, 0);
  seq->Clear();
  EXPECT_EQ(parent.GetShownPicture(), nullptr) << "never a picture that is gone";
}

}  // namespace
