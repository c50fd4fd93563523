// The generator's data files, checked by what they are: the same bytes on every run; pictures, as the
// game's reader loads them, that show balls appearing, resting and bursting, fading particles, skins
// that keep the ball, buttons that hit in their middle only and change look; short clean sounds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/clip_file.h"
#include "engine/wave.h"
#include "tests/support/pictures.h"
#include "tests/support/test_folder.h"

namespace {

std::unique_ptr<Clip> Load(const std::string& name) {
  auto clip = std::make_unique<Clip>();
  std::string why;
  if (LoadClipFile(std::string(GLOBBET_DATA_DIR) + "/" + name, *clip, &why)) return clip;
  ADD_FAILURE() << name << " is missing or refused: " << why << " (build the globbet_data target)";
  return nullptr;
}

// True when the picture shows pixel (x, y): opaque in its mask, or not its colour key.
bool Shows(const Bitmap& p, int x, int y) {
  if (const uint8_t* m = p.GetMaskRow(y)) return m[x] < 128;
  return p.colorKey < 0 || p.GetPixel(x, y) != uint32_t(p.colorKey);
}

// The sum of the picture's opacity (255 a fully shown pixel).
long Opacity(const Bitmap& p) {
  long sum = 0;
  for (int y = 0; y < p.GetHeight(); ++y)
    for (int x = 0; x < p.GetWidth(); ++x)
      sum += p.GetMaskRow(y) ? 255 - p.GetMaskRow(y)[x] : Shows(p, x, y) * 255;
  return sum;
}

TEST(Catalogue, BallsAppearGrowingRestOnTheirLastFrameAndBurstIntoFadingParticles) {
  for (int colour = 0; colour <= 6; ++colour) {
    SCOPED_TRACE(colour);
    auto ball = Load("clp/ball/" + std::to_string(colour) + ".clp");
    auto particles = Load("clp/ball/" + std::to_string(colour) + "d.clp");
    if (!ball || !particles) continue;
    ASSERT_EQ(ball->GetFrameCount(), 10);
    for (int f = 0; f < 10; ++f)
      EXPECT_EQ(ball->GetFrame(f)->frameAction, f == 9 ? kFrameStop : kFrameNext) << f;
    // Frames 2..4 grow toward the ball at rest, 5..8 sparkle at full size, 0 and 1 are what a burst leaves.
    const Bitmap& rest = *ball->GetFrame(9);
    EXPECT_LT(Opacity(*ball->GetFrame(2)), Opacity(*ball->GetFrame(3)));
    EXPECT_LT(Opacity(*ball->GetFrame(3)), Opacity(*ball->GetFrame(4)));
    EXPECT_LT(Opacity(*ball->GetFrame(4)), Opacity(rest));
    for (int f = 5; f <= 8; ++f)
      EXPECT_GE(Opacity(*ball->GetFrame(f)), Opacity(rest)) << f;
    EXPECT_LT(Opacity(*ball->GetFrame(0)), Opacity(*ball->GetFrame(1)));
    EXPECT_LT(Opacity(*ball->GetFrame(1)), Opacity(rest) / 2);
    // Particles are played backwards: each frame is fainter than the next.
    for (int f = 1; f < particles->GetFrameCount(); ++f)
      EXPECT_LT(Opacity(*particles->GetFrame(f - 1)), Opacity(*particles->GetFrame(f))) << f;
    if (colour == 6) continue;  // the indicator's ball has no looks
    // Look 0 is the ball at rest.
    auto skins = Load("clp/skins/" + std::to_string(colour) + ".clp");
    if (!skins) continue;
    ASSERT_GE(skins->GetFrameCount(), 4);
    EXPECT_EQ(Pixels(*skins->GetFrame(0)), Pixels(rest));
  }
}

TEST(Catalogue, ButtonsHitInTheirMiddleOnlyAndChangeLookWhenPressedOrHovered) {
  for (int i = 0; i <= 26; ++i) {
    SCOPED_TRACE(i);
    auto button = Load("clp/buttons/" + std::to_string(i) + ".clp");
    if (!button) continue;
    ASSERT_GE(button->GetSequenceCount(), i == 20 ? 2 : 3);
    for (int s = 0; s < button->GetSequenceCount(); ++s) {
      const Bitmap* f = button->GetSequence(s)->GetFrame(0);
      ASSERT_NE(f, nullptr) << s;
      // Pixel-exact hit tests miss on the key.
      EXPECT_EQ(f->GetPixel(0, 0), uint32_t(f->colorKey));
      EXPECT_NE(f->GetPixel(f->GetWidth() / 2, f->GetHeight() / 2), uint32_t(f->colorKey));
      EXPECT_TRUE(s == 0 || s > 2 || Pixels(*f) != Pixels(*button->GetSequence(0)->GetFrame(0)))
          << "look " << s;
    }
  }
}

TEST(CatalogueGenerator, ASecondRunWritesTheSameBytes) {
  namespace fs = std::filesystem;
  const fs::path generator = fs::path(GLOBBET_BINARY_DIR) / "tools/assets/globbet-assets";
  TestFolder out;
  ASSERT_EQ(std::system(("'" + generator.string() + "' '" + out.path() + "' > /dev/null").c_str()), 0);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(out.path())) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), out.path());
    EXPECT_TRUE(ReadAll(entry.path()) == ReadAll(fs::path(GLOBBET_DATA_DIR) / relative)) << relative;
    ++files;
  }
  EXPECT_EQ(files, 97 + 5);
}

TEST(CatalogueSounds, EveryEffectIsAShortCleanWave) {
  for (int n = 0; n <= 9; ++n) {
    SCOPED_TRACE(n);
    const std::string file = ReadAll(std::string(GLOBBET_DATA_DIR) + "/wav/" + std::to_string(n) + ".wav");
    const std::vector<uint8_t> bytes(file.begin(), file.end());
    WaveFormat format;
    std::string why;
    ASSERT_TRUE(ReadWaveHeader(bytes.data(), bytes.size(), format, &why)) << why;
    ASSERT_EQ(format.bitsPerSample, 16) << "the samples are read as 16-bit below";
    ASSERT_EQ(bytes.size(), 44 + format.dataSize) << "nothing after the samples";
    const size_t samples = format.dataSize / 2;
    const auto sample = [&](size_t i) {
      return std::abs(int(int16_t(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8)));
    };
    EXPECT_GE(1000.0 * samples / format.sampleRate, 40);
    EXPECT_LE(1000.0 * samples / format.sampleRate, 400);
    int peak = 0;
    for (size_t i = 0; i < samples; ++i)
      peak = std::max(peak, sample(i));
    EXPECT_GT(peak, 32767 / 4) << "too quiet";
    EXPECT_LT(peak, 32767 * 3 / 4) << "no headroom";
    EXPECT_LT(sample(0), 600) << "starts on a step";
    EXPECT_LT(sample(samples - 1), 600) << "ends on a step";
  }
}

}  // namespace
