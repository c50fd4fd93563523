// globbet-tool replay and demo: the game's own replay player and demo, run headless as fast as they go.
// (The headless set-up they share with record: headless_game.h.)
// Sections: replay · demo
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "game/arcade_replay.h"
#include "game/arcade_session.h"
#include "game/demo_session.h"
#include "game/random.h"
#include "game/replay_recorder.h"
#include "game/strategy_replay.h"
#include "store/settings_store.h"
#include "tools/globbet-tool/command.h"
#include "tools/globbet-tool/headless_game.h"

namespace {
namespace fs = std::filesystem;
using namespace headless;

constexpr std::uintmax_t kMaxReplayBytes = 64u << 20;

// ---- replay ------------------------------------------------------------------------------------------
constexpr char kReplayUsage[] =
    "usage: globbet-tool replay info FILE\n"
    "       globbet-tool replay verify FILE [--data DIR]\n"
    "\n"
    "info    prints the header of a recording (\"replay.dat\" or \"currgame.dat\"): the level (0 Novice,\n"
    "        1 Expert, 2 Master), the game type (0 strategy, 1 arcade) and the file's size in bytes.\n"
    "verify  plays the recording with the game's own replay player, headless and as fast as it goes,\n"
    "        to the end of the game (or of the file) and prints 'score S', 'shots N' and 'board'\n"
    "        followed by the 272 final cells (-1 empty, else the colour code), cell 0 first, then\n"
    "        'hash H': FNV-1a 64 of those cells, one byte each (-1 as 0xff), 16 hexadecimal digits.\n"
    "        The score is the count at the end, before the end bonus. The balls come from\n"
    "        DIR/clp/ball (default: the installed game's data, else the build tree's, else '.').\n"
    "A file the replay player would refuse gets a one-line reason and exit status 1.\n";

// Checks the header; on failure says why.
bool CheckHeader(const std::string& path, int& level, int& type, int& status) {
  const ReplayHeaderCheck check = ReadReplayHeader(path, level, type);
  if (check == ReplayHeaderCheck::kOk) return true;
  std::string reason = "'" + path + "': " + DescribeReplayHeaderCheck(check);
  if (check == ReplayHeaderCheck::kBadLevel) reason += " (" + std::to_string(level) + ")";
  if (check == ReplayHeaderCheck::kBadType) reason += " (" + std::to_string(type) + ")";
  status = Fail(reason);
  return false;
}

int ReplayInfo(const std::string& path) {
  int level = 0, type = 0, status = 0;
  if (!CheckHeader(path, level, type, status)) return status;
  std::error_code error;
  const auto size = fs::file_size(path, error);
  static const char* const kLevels[] = {"Novice", "Expert", "Master"};
  static const char* const kTypes[] = {"strategy", "arcade"};
  std::printf("level %d (%s)\ntype %d (%s)\nsize %lld bytes\n", level, kLevels[level], type, kTypes[type],
              error ? -1LL : static_cast<long long>(size));
  return 0;
}

int ReplayVerify(const std::string& path, const std::string& data) {
  int level = 0, type = 0, status = 0;
  if (!CheckHeader(path, level, type, status)) return status;
  std::error_code error;
  const auto size = fs::file_size(path, error);
  if (error || size > kMaxReplayBytes)
    return Fail("'" + path + "' is too large for the recording of one game");
  if (!LoadBalls(data, status)) return status;
  // The player reads "replay.dat" from its folder: a copy in a folder of its own.
  TempFolder folder;
  if (folder.path().empty() || !fs::copy_file(path, folder.path() + "/" + kReplayFile, error))
    return Fail("cannot copy '" + path + "' to a temporary folder");

  const GameMode mode = GameMode(type);
  HeadlessRun run(level, mode, kSpeedCount - 1);
  Table table;
  SettingsStore store;
  std::unique_ptr<Session> game;
  ReplayPass* pass = nullptr;
  if (mode == GameMode::kStrategy) {
    auto saved = std::make_unique<StrategyReplay>(&table, folder.path());
    pass = &saved->Pass();
    game = std::move(saved);
  } else {
    auto saved = std::make_unique<ArcadeReplay>(&table, folder.path());
    pass = &saved->Pass();
    game = std::move(saved);
  }
  bool ended = false;
  GameEnd end;
  pass->SetObserver([&](bool) {
    if (ended) return;
    ended = true;
    end = EndOf(*game, pass->Shots());
  });
  table.game = game.get();
  game->SetSettings(&store);
  game->SetHost(&table);
  if (!game->Start(false)) return Fail("the replay player could not start");
  for (long long frame = 0; !ended && !game->PlayerStopped(); ++frame) {
    if (frame == kMaxFrames) return Fail("'" + path + "' did not end");
    run.Frame(table);
  }
  if (!ended) return Fail("'" + path + "' ends before its first board is filled");
  PrintEnd(end);
  return 0;
}

int RunReplay(const ToolArgs& given) {
  ToolArgs args = given;
  const std::string data = DataFolder(args);
  if (args.size() == 2 && args[0] == "info") return ReplayInfo(args[1]);
  if (args.size() == 2 && args[0] == "verify") return ReplayVerify(args[1], data);
  return Fail("usage: globbet-tool replay info|verify FILE (see 'globbet-tool replay --help')");
}

// ---- demo --------------------------------------------------------------------------------------------
constexpr char kDemoUsage[] =
    "usage: globbet-tool demo N SEED LEVEL MODE [--speed S] [--data DIR]\n"
    "\n"
    "Plays N games of the self-playing demo headless, one after the other, the game's generator\n"
    "starting from SEED (1 is the state of a fresh run), at LEVEL (0..2). MODE 0 is the demo as the\n"
    "game shows it (the strategy rules); MODE 1 lets the demo's choice of shot play the arcade rules,\n"
    "one shot every 2000 / (S + 1) ms (S: the game speed 0..4, default 2). Prints one line per game,\n"
    "'game I score S shots N cleared|bottom' (the score without the end bonus; cleared: the board was\n"
    "emptied, bottom: a ball reached the bottom row), then the share of boards cleared and the means.\n";

// The demo's choice of shot playing the arcade rules (a recording game: it records into its folder).
using ArcadeDemo = AimingPlayer<ArcadeSession>;

int RunDemo(const ToolArgs& given) {
  GameArgs args;
  int status = 0;
  if (!ParseGameArgs(given, "demo", "N", args, status)) return status;
  long long count = 0;
  if (!ParseInt(args.lead, 1, 1000000, count)) return Fail("N must be 1..1000000, not '" + args.lead + "'");
  const long long level = args.level;
  const GameMode mode = GameMode(args.mode);
  if (!LoadBalls(args.data, status)) return status;
  TempFolder folder;  // the arcade games' recordings
  if (mode == GameMode::kArcade && folder.path().empty()) return Fail("cannot make a temporary folder");

  // The demo paces its shots by the speed; the arcade rules run by the clock alone.
  HeadlessRun run(int(level), mode, mode == GameMode::kStrategy ? kSpeedCount - 1 : int(args.speed));
  SetLibRandomSeed(static_cast<uint32_t>(args.seed));
  long long cleared = 0, totalScore = 0, totalShots = 0;
  for (long long g = 1; g <= count; ++g) {
    Table table;
    SettingsStore store;
    std::unique_ptr<Session> game;
    if (mode == GameMode::kStrategy)
      game = std::make_unique<DemoSession>(&table, folder.path());
    else
      game = std::make_unique<ArcadeDemo>(&table, folder.path());
    table.game = game.get();
    game->SetSettings(&store);
    game->SetHost(&table);
    if (!game->Start(false)) return Fail("the demo could not start");
    long long frame = 0;
    for (; frame < kMaxFrames && game->State() != SessionState::kGameOverWait; ++frame)
      run.Frame(table);
    if (frame == kMaxFrames) return Fail("game " + std::to_string(g) + " did not end");
    const bool won = game->PaletteLength() == 0;  // the end test empties the palette of a cleared board
    const int shots = mode == GameMode::kStrategy ? static_cast<DemoSession&>(*game).Shots()
                                                  : static_cast<ArcadeDemo&>(*game).shots;
    cleared += won;
    totalScore += game->Score();
    totalShots += shots;
    std::printf("game %lld score %d shots %d %s\n", g, game->Score(), shots, won ? "cleared" : "bottom");
    table.game = nullptr;
    game.reset();
  }
  std::printf("games %lld cleared %lld (%.1f%%) mean score %.1f mean shots %.1f\n", count, cleared,
              100.0 * double(cleared) / double(count), double(totalScore) / double(count),
              double(totalShots) / double(count));
  return 0;
}

const GlobbetToolCommand kReplayCommand("replay", "a recording's header, or its replay played headless",
                                        kReplayUsage, RunReplay);
const GlobbetToolCommand kDemoCommand("demo", "games of the self-playing demo, headless", kDemoUsage,
                                      RunDemo);
}  // namespace
