// The options against the settings store: load defaults for missing keys, stored numbers that would
// index past a table, the skins array, and what is written back.
#include <gtest/gtest.h>

#include <string>

#include "store/config.h"
#include "store/options.h"

namespace {
// The options read from a store holding the given text values.
Options LoadFrom(std::initializer_list<std::pair<const char*, const char*>> values) {
  OConfig store;
  for (const auto& [key, text] : values)
    store.SetText(key, text);
  Options options;
  options.FastSpeed = -7;  // neither initial nor default: every member must be set by Load
  options.Skins.fill(9);
  options.Load(store);
  return options;
}

TEST(Options, MissingKeysGiveTheLoadDefaultsNotTheInitialValues) {
  const Options loaded = LoadFrom({});
  EXPECT_EQ(loaded.Level, 0);
  EXPECT_EQ(loaded.FastSpeed, 3);
  EXPECT_EQ(loaded.FrameInterval(), 5);
  EXPECT_TRUE(loaded.NewGameNeeded);
  EXPECT_TRUE(loaded.SoundOn && loaded.DirectSound && loaded.Animate && loaded.AutoSave);
  EXPECT_EQ(loaded.GameType, 0);
  EXPECT_EQ(loaded.FullScreen, 0);
  EXPECT_EQ(loaded.Skins, (std::array<int, 6>{}));

  const Options initial;
  EXPECT_EQ(initial.FastSpeed, 2);
  EXPECT_EQ(initial.FrameInterval(), 10);
  EXPECT_FALSE(initial.NewGameNeeded);
  EXPECT_FALSE(initial.settingsLoaded);
}

TEST(Options, StoredTableIndexesOutOfRangeFallBack) {
  struct Case {
    const char* key;
    const char* text;
    int Options::*field;
    int expected;
  };
  const Case cases[] = {
      {kKeyGameType, "5", &Options::GameType, 0},
      {kKeyGameType, "-1", &Options::GameType, 0},
      {kKeyGameType, "1", &Options::GameType, 1},
      {kKeyLevel, "3", &Options::Level, 0},
      {kKeyLevel, "-1", &Options::Level, 0},
      {kKeyLevel, "2", &Options::Level, 2},
      {kKeyLevel, "\"Master\"", &Options::Level, 0},
      {kKeyFastSpeed, "5", &Options::FastSpeed, 3},
      {kKeyFastSpeed, "-1", &Options::FastSpeed, 3},
      {kKeyFastSpeed, "0x7fffffff", &Options::FastSpeed, 3},
      {kKeyFastSpeed, "0xffffffff", &Options::FastSpeed, 3},
      {kKeyFastSpeed, "0", &Options::FastSpeed, 0},
      {kKeyFastSpeed, "4", &Options::FastSpeed, 4},
      // Full screen is a switch kept as the integer read, not an index.
      {kKeyFullScreen, "7", &Options::FullScreen, 7},
  };
  for (const Case& c : cases) {
    const Options o = LoadFrom({{c.key, c.text}});
    EXPECT_EQ(o.*c.field, c.expected) << c.key << " = " << c.text;
    EXPECT_EQ(o.FrameInterval(), frameIntervals[o.FastSpeed]);
  }
}

TEST(Options, SwitchesReadAnyNonzeroIntegerAsOn) {
  const Options o = LoadFrom({{kKeySoundOn, "2"},
                              {kKeyDirectSound, "0"},
                              {kKeyAnimate, "-1"},
                              {kKeyAutoSave, "0"},
                              {kKeyNewGameNeeded, "0"}});
  EXPECT_TRUE(o.SoundOn);
  EXPECT_FALSE(o.DirectSound);
  EXPECT_TRUE(o.Animate);
  EXPECT_FALSE(o.AutoSave);
  EXPECT_FALSE(o.NewGameNeeded);
  // A string under a switch's key reads as 0.
  EXPECT_FALSE(LoadFrom({{kKeySoundOn, "\"on\""}}).SoundOn);
}

TEST(Options, SkinsTakeTheFirstSixStoredValuesAndZeroTheRest) {
  EXPECT_EQ(LoadFrom({{kKeySkins, "[3 1 4 1]"}}).Skins, (std::array<int, 6>{3, 1, 4, 1, 0, 0}));
  EXPECT_EQ(LoadFrom({{kKeySkins, "[1 2 3 4 5 6 7 8 9]"}}).Skins, (std::array<int, 6>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(LoadFrom({{kKeySkins, "[]"}}).Skins, (std::array<int, 6>{}));
  // Looks are frame numbers checked by their users against the skin clip, so any number is kept.
  EXPECT_EQ(LoadFrom({{kKeySkins, "[-1 99]"}}).Skins, (std::array<int, 6>{-1, 99, 0, 0, 0, 0}));
}

TEST(Options, SaveWritesTheTenKeysAndReadsBackAlike) {
  Options o;
  o.Level = 2;
  o.SoundOn = false;
  o.Animate = false;
  o.FastSpeed = 4;
  o.NewGameNeeded = true;
  o.GameType = 1;
  o.FullScreen = 0;
  o.Skins = {5, 4, 3, 2, 1, 0};
  OConfig store;
  o.Save(store, /*fullScreenNow=*/true, /*directSoundNow=*/false);
  EXPECT_EQ(store.Size(), 10u);
  const std::pair<const char*, const char*> expected[] = {
      {kKeyLevel, "2"},      {kKeySoundOn, "0"},           {kKeyDirectSound, "0"},   {kKeyAnimate, "0"},
      {kKeyAutoSave, "1"},   {kKeyFastSpeed, "4"},         {kKeyNewGameNeeded, "1"}, {kKeyGameType, "1"},
      {kKeyFullScreen, "1"}, {kKeySkins, "[5 4 3 2 1 0]"},
  };
  for (const auto& [key, text] : expected) {
    ASSERT_NE(store.FindText(key), nullptr) << key;
    EXPECT_EQ(*store.FindText(key), text) << key;
  }
  Options back;
  back.Load(store);
  o.FullScreen = 1;
  o.DirectSound = false;
  EXPECT_EQ(back, o);
}

TEST(Options, FrameIntervalStaysInTheTableForASpeedSetOutOfRange) {
  Options o;
  for (int speed = 0; speed < kSpeedCount; ++speed) {
    o.FastSpeed = speed;
    EXPECT_EQ(o.FrameInterval(), frameIntervals[speed]);
  }
  o.FastSpeed = 5;
  EXPECT_EQ(o.FrameInterval(), 5);
  o.FastSpeed = -100000;
  EXPECT_EQ(o.FrameInterval(), 5);
}
}  // namespace
