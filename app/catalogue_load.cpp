#include "app/catalogue_load.h"

#include <cstdio>
#include <memory>
#include <string>

#include "engine/catalogue.h"
#include "engine/sound_player.h"
#include "game/ball.h"
#include "game/score_counter.h"
#include "screens/ball_text.h"

namespace {
std::string Numbered(const char* pattern, int i) {
  char name[64];
  std::snprintf(name, sizeof name, pattern, i);
  return name;
}

// Loads one set of plain clips (frame time 0 on all sequences when still).
template <class Clip, size_t N>
bool LoadSet(std::array<std::unique_ptr<Clip>, N>& set, const char* pattern, bool still,
             LoadResult& failure) {
  for (size_t i = 0; i < N; ++i) {
    set[i] = std::make_unique<Clip>();
    failure = set[i]->Load(Numbered(pattern, int(i)));
    if (!failure) return false;
    if (still) set[i]->SetFrameTime(0, -1);
  }
  return true;
}
}  // namespace

bool LoadCatalogueClips(LoadResult& failure) {
  using namespace catalogue;
  if (!LoadSet(ballPictures(), "clp/ball/%dd.clp", true, failure)) return false;
  for (int i = 0; i < kBallSpriteCount; ++i) {
    failure = LoadBallSprite(i, Numbered("clp/ball/%d.clp", i));
    if (!failure) return false;
  }
  if (!LoadSet(skins(), "clp/skins/%d.clp", true, failure)) return false;
  if (!LoadSet(mainScreenPieces(), "clp/mainwnd/%d.clp", true, failure)) return false;
  if (!LoadSet(framePieces(), "clp/allwnd/%d.clp", true, failure)) return false;
  if (!LoadSet(generalPictures(), "clp/%d.clp", true, failure)) return false;
  if (!LoadSet(buttonPictures(), "clp/buttons/%d.clp", false, failure)) return false;
  if (!LoadSet(alphabetStrips(), "clp/alphabet/%d.clp", false, failure)) return false;
  SetScoreDigitStrip(Get(AlphabetStrip::kDigits));
  return true;
}

void LoadCatalogueSounds() {
  for (int i = 0; i < kSoundCount; ++i)
    GetSound().Load(SoundId(i), Numbered("wav/%d.wav", i));
}

void FreeCatalogue() {
  using namespace catalogue;
  SetScoreDigitStrip(nullptr);
  auto free = [](auto& set) {
    for (auto& clip : set)
      clip.reset();
  };
  free(ballPictures());
  free(ballSprites());
  free(mainScreenPieces());
  free(framePieces());
  free(generalPictures());
  free(buttonPictures());
  free(alphabetStrips());
  free(skins());
}
