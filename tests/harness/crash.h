// globbet-harness crash: SIGKILLs at random moments of the game's saving and recording, and the checks of
// what each kill leaves behind. Three kinds of run share this: the exit save and the end-of-game copy
// back to back (tool_crash.cpp), recording games on the headless table (tool_crash_record.cpp) and the
// real game program (tool_crash_game.cpp).
// Sections: tallies · processes · files
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class OConfig;

namespace crash {

// ---- tallies -----------------------------------------------------------------------------------------
// What the kills of one kind of run found.
struct Tally {
  long kills = 0;            // SIGKILLs that found the process still at work
  long late = 0;             // runs that had ended before their kill came
  long midWork = 0;          // kills that landed inside the work under test (a write or a recording)
  long leftovers = 0;        // kills after which a temporary file of a cut-short write lay beside its target
  long mostTemporaries = 0;  // the most temporary files seen at once
  long nextStarts = 0;       // starts on what a kill left, checked
  long replaysVerified = 0;  // resumed games whose replay was played back and matched
};

// Prints one summary line: the label, then the tally.
void Print(const char* label, const Tally& tally, double seconds);

// A uniformly drawn whole number low..high for the kill times (not the game's generator).
long Uniform(long low, long high);
// Seeds the kill times.
void SeedDice(unsigned long seed);

// ---- processes ---------------------------------------------------------------------------------------
// A zeroed block of memory that child processes made after it share with this one; get() is null when
// none could be had.
class SharedMemory {
 public:
  explicit SharedMemory(size_t size);
  SharedMemory(const SharedMemory&) = delete;
  SharedMemory& operator=(const SharedMemory&) = delete;
  ~SharedMemory();
  void* get() const { return block_; }

 private:
  void* block_;
  size_t size_;
};

// Runs body in a child process (which starts from a copy of this one's state) and ends the child with
// body's result; -1 when no child could be made.
pid_t Spawn(const std::function<int()>& body);
// Sleeps micros, then SIGKILLs pid unless it has ended, and waits for it. True when the kill found it
// running; status receives its wait status.
bool KillAfter(pid_t pid, long micros, int& status);
// Waits for pid to end; its exit status, or 128 + the signal that ended it.
int WaitExit(pid_t pid);
// Describes a wait status ("exit 3", "signal 11").
std::string DescribeStatus(int status);

// ---- files -------------------------------------------------------------------------------------------
// The whole file at path; false when it is missing or unreadable.
bool ReadBytes(const std::string& path, std::string& bytes);
// Replaces the file at path with bytes (plainly: the tool's own set-up, not a write under test).
bool WriteBytes(const std::string& path, std::string_view bytes);
// Temporary files of writes of target (a file name) in folder.
int Temporaries(const std::string& folder, const char* target);
// Temporary files of writes of "sv.dat" and "replay.dat" in folder.
int Temporaries(const std::string& folder);
// Reads the settings file with the game's own reader: true when it deciphers, its checksum matches and
// its text reads to the end into store.
bool ReadSettingsFile(const std::string& path, OConfig& store);

// ---- the runs ----------------------------------------------------------------------------------------
struct Setup {
  std::string data;    // the game's data folder (clp/, wav/)
  std::string folder;  // the scratch folder of the runs
  std::string game;    // the game program, empty: no runs of it
};

// What the recording runs hand to the save loop: a settings text with a stored game, and two complete
// recordings of finished games.
struct SaveMaterial {
  std::string settingsText;
  std::string recordings[2];
};

// Each returns false, after printing why, at the first check that fails.
bool RunRecordKills(const Setup& setup, long kills, long verifyEvery, Tally& tally, SaveMaterial& material);
bool RunSaveKills(const Setup& setup, long kills, const SaveMaterial& material, Tally& tally);
bool RunGameKills(const Setup& setup, long kills, long longRuns, Tally& tally);

}  // namespace crash
