// The self-playing demo on a headless screen: it shoots at its own pace where its choice says, keeps
// nothing, ignores the player's clicks and starts a new game when one ends.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/demo_decision.h"
#include "game/game_demo.h"
#include "game/player_sessions.h"
#include "game/trace.h"
#include "tests/game/session_support.h"

using namespace session_testing;

namespace {

class DemoSession : public SessionFixture {
 protected:
  // The landing cell of a shot at aim on the board as it stands.
  int LandingOf(AimPoint aim) const {
    FieldRash copy;
    copy.CopyFrom(*game->GetField());
    PointPath path;
    copy.Trace(aim.x, aim.y, trace::kStartX, trace::kStartY, 0.0, path);
    return copy.LandingIndex();
  }
};

TEST_F(DemoSession, ShootsWhereItsChoiceSaysWithTheProcessGenerator) {
  GetOptions().Animate = false;  // nothing else draws from the generator between the shots
  GameDemo& demo = Make<GameDemo>();
  int checked = 0;
  for (int frame = 0; frame < 20000 && checked < 5; ++frame) {
    const bool ready = demo.State() == GameState::kReady && demo.GetField()->View().IsIdle();
    AimPoint expected{};
    const uint32_t seed = LibRandomSeed();
    if (ready) expected = ChooseDemoAim(*demo.GetField(), demo.GameBall()->colour);
    SetLibRandomSeed(seed);
    const int landing = ready ? LandingOf(expected) : -1;
    Frame();
    if (ready && demo.State() == GameState::kFlying) {
      EXPECT_EQ(demo.GetField()->LandingIndex(), landing) << "shot " << checked;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 5);
  EXPECT_EQ(demo.Shots(), 5);
}

TEST_F(DemoSession, WaitsTwoSecondsOverTheSpeedBeforeEachShot) {
  GetOptions().FastSpeed = 1;  // 2000 / 2 = 1000 ms
  GameDemo& demo = Make<GameDemo>();
  int waited = 0;
  for (int shots = 0; shots < 3;) {
    ASSERT_TRUE(
        RunUntil([&] { return demo.State() == GameState::kReady && demo.GetField()->View().IsIdle(); }));
    for (waited = 0; demo.State() == GameState::kReady && waited < 2000; waited += kTickMs)
      Frame();
    ASSERT_EQ(demo.State(), GameState::kFlying);
    if (shots++ > 0) {
      EXPECT_EQ(waited, 1000) << "the clock runs only while the demo could shoot";
    }
  }
}

TEST_F(DemoSession, IgnoresThePlayerKeepsNothingAndPlaysOnAfterAGame) {
  GetOptions().FastSpeed = 4;
  GameDemo& demo = Make<GameDemo>();
  ASSERT_TRUE(RunUntilReady());
  demo.Fire(282, 200);
  EXPECT_EQ(demo.State(), GameState::kReady) << "the player's click fires nothing";
  // Play to the end of a game: a new one starts at once, without a result dialog.
  bool ended = false;
  for (int frame = 0; frame < 400000 && !ended; ++frame) {
    Frame();
    ended = demo.State() == GameState::kGameOverWait;
  }
  ASSERT_TRUE(ended);
  const int shots = demo.Shots();
  EXPECT_GT(shots, 10);
  ASSERT_TRUE(RunUntil([&] { return demo.State() != GameState::kGameOverWait; }));
  EXPECT_EQ(screen->resultDialogs, 0);
  EXPECT_EQ(demo.Score(), 0);
  EXPECT_EQ(demo.Shots(), 0);
  EXPECT_TRUE(RunUntilReady());
  for (const auto& [key, text] : store.GetEntries())
    EXPECT_NE(key.rfind("GameDemo", 0), 0u) << key << " stored: the demo keeps nothing";
  EXPECT_FALSE(std::filesystem::exists(folder.path() + "/currgame.dat")) << "the demo records nothing";
  EXPECT_TRUE(demo.Load()) << "a restore is a new demo game";
}

TEST_F(DemoSession, TheFactoryMakesEachPlayer) {
  EXPECT_EQ(MakePlayerSession(*screen, false, 0)->Name(), "GameDemo");
  EXPECT_EQ(MakePlayerSession(*screen, false, 1)->Name(), "GameDemo");
  EXPECT_EQ(MakePlayerSession(*screen, true, 0)->Name(), "GameSaved");
  EXPECT_EQ(MakePlayerSession(*screen, true, 1)->Name(), "GameSavedTime");
}

}  // namespace
