// globbet-tool record: one real strategy or arcade game played headless by the demo's choice of shot,
// recorded by the game's own recorder, so a maintainer gets a known "replay.dat" without playing.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "game/arcade_session.h"
#include "game/random.h"
#include "game/replay_recorder.h"
#include "game/strategy_session.h"
#include "store/settings_store.h"
#include "tools/globbet-tool/command.h"
#include "tools/globbet-tool/headless_game.h"

namespace {
namespace fs = std::filesystem;
using namespace headless;

constexpr char kRecordUsage[] =
    "usage: globbet-tool record OUT SEED LEVEL MODE [--speed S] [--data DIR]\n"
    "\n"
    "Plays one game headless on a simulated clock, as fast as it goes, at LEVEL (0 Novice, 1 Expert,\n"
    "2 Master) in MODE (0 strategy, 1 arcade), every shot chosen as the self-playing demo chooses it,\n"
    "the game's generator starting from SEED (1 is the state of a fresh run). One shot every\n"
    "2000 / (S + 1) ms of game time (S: the game speed 0..4, default 2; it matters to the arcade clock\n"
    "only). The game records itself as it does on screen, and its recording is written to OUT (a\n"
    "\"replay.dat\" the game can play back). Prints 'score S', 'shots N' and 'board' followed by the\n"
    "272 final cells, as 'globbet-tool replay verify OUT' does. The balls come from DIR/clp/ball\n"
    "(default: the installed game's data, else the build tree's, else '.').\n";

// Plays the game of Rules in folder until it ends; false with a message in status when it cannot.
template <class Rules>
bool PlayOneGame(const std::string& folder, HeadlessRun& run, GameEnd& end, int& status) {
  Table table;
  table.playerTable = true;  // the end stands still where the result dialog would open
  SettingsStore store;
  AimingPlayer<Rules> game(&table, folder);
  bool ended = false;
  game.onEnd = [&] {
    if (ended) return;
    ended = true;
    end = EndOf(game, game.shots);
  };
  table.game = &game;
  game.SetSettings(&store);
  game.SetHost(&table);
  if (!game.Start(false)) {
    status = Fail("the game could not start");
    return false;
  }
  for (long long frame = 0; !ended; ++frame) {
    if (frame == kMaxFrames) {
      status = Fail("the game did not end");
      return false;
    }
    run.Frame(table);
  }
  table.game = nullptr;
  return true;
}

int RunRecord(const ToolArgs& given) {
  GameArgs args;
  int status = 0;
  if (!ParseGameArgs(given, "record", "OUT", args, status)) return status;
  if (!LoadBalls(args.data, status)) return status;
  // The game records into a folder of its own: "currgame.dat", then "replay.dat" at its end.
  TempFolder folder;
  if (folder.path().empty()) return Fail("cannot make a temporary folder");

  GameEnd end;
  {
    const GameMode mode = GameMode(args.mode);
    HeadlessRun run{int(args.level), mode, int(args.speed)};
    SetLibRandomSeed(static_cast<uint32_t>(args.seed));
    const bool played = mode == GameMode::kStrategy
                            ? PlayOneGame<StrategySession>(folder.path(), run, end, status)
                            : PlayOneGame<ArcadeSession>(folder.path(), run, end, status);
    if (!played) return status;
  }
  const std::string replay = folder.path() + "/" + kReplayFile;
  std::error_code error;
  if (!fs::exists(replay, error)) return Fail("the game ended without making its replay");
  if (!fs::copy_file(replay, args.lead, fs::copy_options::overwrite_existing, error))
    return Fail("cannot write '" + args.lead + "': " + error.message());
  PrintEnd(end);
  return 0;
}

const GlobbetToolCommand kRecordCommand("record",
                                        "one game played by the demo's choice, recorded as a replay",
                                        kRecordUsage, RunRecord);
}  // namespace
