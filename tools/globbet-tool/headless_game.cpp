// Sections: arguments and data · the headless table · the end of a game
#include "tools/globbet-tool/headless_game.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "game/ball.h"
#include "tools/globbet-tool/board_hash.h"

namespace headless {
namespace fs = std::filesystem;

// ---- arguments and data ------------------------------------------------------------------------------
bool ParseInt(const std::string& text, long long low, long long high, long long& value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < low || v > high) return false;
  value = v;
  return true;
}

namespace {
// Takes "--speed S" (0..4) out of args into speed (left as it is when absent); false with a message
// in status when S is not a speed.
bool TakeSpeed(ToolArgs& args, long long& speed, int& status) {
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == "--speed") {
      if (!ParseInt(args[i + 1], 0, kSpeedCount - 1, speed)) {
        status = Fail("--speed takes 0..4");
        return false;
      }
      args.erase(args.begin() + long(i), args.begin() + long(i) + 2);
      break;
    }
  return true;
}
}  // namespace

std::string DataFolder(ToolArgs& args) {
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == "--data") {
      std::string folder = args[i + 1];
      args.erase(args.begin() + long(i), args.begin() + long(i) + 2);
      return folder;
    }
  // The build says where its installations and its build tree keep the data, relative to the tool's
  // folder (or absolute), ':' between places.
  std::error_code error;
  const fs::path here = fs::read_symlink("/proc/self/exe", error).parent_path();
  const std::string places = GLOBBET_DATA_SEARCH;
  for (size_t start = 0, end = 0; !error && start < places.size(); start = end + 1) {
    end = std::min(places.find(':', start), places.size());
    const fs::path place = here / places.substr(start, end - start);  // an absolute place replaces here
    if (end > start && fs::exists(place / "clp/ball/0.clp", error)) return place.lexically_normal().string();
  }
  return ".";
}

bool ParseGameArgs(const ToolArgs& given, const char* command, const char* lead, GameArgs& parsed,
                   int& status) {
  ToolArgs args = given;
  parsed.data = DataFolder(args);
  if (!TakeSpeed(args, parsed.speed, status)) return false;
  const std::string name = command;
  if (args.size() != 4) {
    status = Fail(name + " needs " + lead + " SEED LEVEL MODE (see 'globbet-tool " + name + " --help')");
    return false;
  }
  parsed.lead = args[0];
  std::string problem;
  if (!ParseInt(args[1], 0, UINT32_MAX, parsed.seed))
    problem = "SEED must be 0..4294967295, not '" + args[1] + "'";
  else if (!ParseInt(args[2], 0, 2, parsed.level))
    problem = "LEVEL must be 0..2, not '" + args[2] + "'";
  else if (!ParseInt(args[3], 0, 1, parsed.mode))
    problem = "MODE must be 0 or 1, not '" + args[3] + "'";
  if (problem.empty()) return true;
  status = Fail(problem);
  return false;
}

bool LoadBalls(const std::string& folder, int& status) {
  for (int i = 0; i < catalogue::kBallSpriteCount; ++i) {
    const std::string path = folder + "/clp/ball/" + std::to_string(i) + ".clp";
    if (!catalogue::LoadBallSprite(i, path)) {
      status = Fail("cannot read '" + path + "' (give the game's data folder with --data DIR)");
      return false;
    }
  }
  return true;
}

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "globbet-tool-XXXXXX").string();
  if (::mkdtemp(pattern.data())) path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty()) fs::remove_all(path_, ignored);
}

// ---- the headless table ------------------------------------------------------------------------------
void Table::OnFrame(int elapsed) {
  skipRedraw = true;
  Screen::OnFrame(elapsed);
  if (game) game->Tick(elapsed);
}

void Table::OnClipPathEnd(Clip* clip, const PointSpeed&) {
  if (game) game->BallArrived(clip);
}

HeadlessRun::HeadlessRun(int level, GameMode mode, int speed) : options_(GetOptions()) {
  SetPlatform(&platform_);
  Options& o = GetOptions();
  o = Options{};
  o.level = level, o.mode = mode, o.speed = speed;
  o.animate = false;  // no decoration: nothing but the game draws from the generator
  o.soundOn = false;
}

HeadlessRun::~HeadlessRun() {
  GetOptions() = options_;
  SetPlatform(nullptr);
}

void HeadlessRun::Frame(Table& table) {
  platform_.AdvanceClock(kTickMs);
  table.OnFrame(kTickMs);
}

// ---- the end of a game -------------------------------------------------------------------------------
GameEnd EndOf(const Session& game, int shots) {
  GameEnd end;
  end.score = game.Score();
  end.shots = shots;
  end.board = game.GetBoard() ? game.GetBoard()->Cells() : std::array<int, kCellCount>{};
  return end;
}

void PrintEnd(const GameEnd& end) {
  std::printf("score %d\nshots %d\nboard", end.score, end.shots);
  for (int cell : end.board)
    std::printf(" %d", cell);
  std::printf("\nhash %s\n", BoardHashText(end.board).c_str());
}

}  // namespace headless
