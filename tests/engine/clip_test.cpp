// Clips: files written and read back, the reader's refusal of damaged or hostile files, and playback of
// frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <tuple>

#include "engine/clip.h"
#include "engine/clip_file.h"
#include "engine/jpeg_codec.h"
#include "store/cipher_file.h"
#include "tests/support/pictures.h"

namespace {

// A smooth picture that JPEG keeps close to its colours.
Bitmap Gradient(int w, int h) {
  Bitmap b = Filled(w, h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, uint32_t((x * 255 / w) << 16 | (y * 255 / h) << 8 | 128));
  return b;
}

ClipFrameRecord Frame(int image, int action = 0, int arg1 = 0, int arg2 = 0) {
  return {.image = image, .action = action, .arg1 = arg1, .arg2 = arg2};
}

void PutInt(std::vector<uint8_t>& bytes, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i)
    bytes[at + size_t(i)] = uint8_t(uint32_t(v) >> (8 * i));
}

TEST(ClipFile, EveryImageKindRoundTrips) {
  Bitmap masked = Pattern(6, 4);
  uint8_t* mask = masked.CreateMask(0);
  for (int i = 0; i < 24; ++i)
    mask[i] = uint8_t(i * 11);
  const Bitmap raw = Pattern(2, 7, 9), picture = Gradient(40, 24);
  ClipFileWriter w;
  w.AddRawImage(raw, 7);  // any type but 4, 5, 6 and 10 is raw
  for (int type : {4, 5, 6})
    w.AddRawImage(masked, type);
  for (JpegScans scans : {JpegScans::kBaseline, JpegScans::kProgressive}) {
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(EncodeJpeg(picture, 95, jpeg, scans));
    w.AddJpegStream(10, 10, jpeg);  // the stream's own size wins over the record's
  }
  Clip clip;
  std::string why;
  ASSERT_TRUE(LoadClipBytes(w.Bytes(), clip, &why)) << why;
  ASSERT_EQ(clip.GetFrameCount(), 6);
  // No frame table: every image is a frame keyed by its top-left pixel.
  EXPECT_EQ(uint32_t(clip.GetFrame(0)->colorKey), raw.GetPixel(0, 0));
  const auto maskOf = [](const Bitmap& b) {
    return b.GetMask() ? std::vector<uint8_t>(b.GetMask(), b.GetMask() + b.GetWidth() * b.GetHeight())
                       : std::vector<uint8_t>{};
  };
  for (int i = 0; i <= 3; ++i) {
    const Bitmap &got = *clip.GetFrame(i), &want = i == 0 ? raw : masked;
    EXPECT_EQ(std::pair(Pixels(got), maskOf(got)), std::pair(Pixels(want), maskOf(want))) << i;
  }
  for (int i = 4; i <= 5; ++i) {
    const std::vector<uint32_t> got = Pixels(*clip.GetFrame(i)), want = Pixels(picture);
    ASSERT_EQ(got.size(), want.size());
    int worst = 0;
    for (size_t k = 0; k < got.size(); ++k)
      for (int shift : {0, 8, 16})
        worst = std::max(worst, std::abs(int(want[k] >> shift & 255) - int(got[k] >> shift & 255)));
    EXPECT_LE(worst, 12) << "colours arrive in the bitmap's own order";
  }
}

TEST(ClipFile, FrameTablesBuildSequencesAndEveryCutFails) {
  ClipFileWriter w;
  for (int i = 0; i < 3; ++i)
    w.AddRawImage(Pattern(4, 4, i));
  const ClipFrameRecord offset{.x = -3, .y = 5, .image = 2, .colorKey = 0x00FF00, .action = 1};
  w.AddSequence({Frame(0), Frame(1, 3, 2, -1), offset, Frame(0)});
  const auto oneSequence = w.Bytes();
  Bitmap masked = Pattern(3, 2);
  masked.CreateMask(0);
  w.AddRawImage(masked, 4);
  w.AddJpegImage(Gradient(8, 8));
  w.AddSequence({Frame(4), Frame(3)});

  Clip one;
  ASSERT_TRUE(LoadClipBytes(oneSequence, one));
  EXPECT_EQ(one.GetSequenceCount(), 0) << "a single sequence goes into the clip itself";
  ASSERT_EQ(one.GetFrameCount(), 4);
  const Bitmap &jump = *one.GetFrame(1), &moved = *one.GetFrame(2);
  EXPECT_EQ(std::vector<int>({jump.frameAction, jump.actionArg1, jump.actionArg2, moved.offsetX,
                              moved.offsetY, moved.colorKey}),
            std::vector<int>({3, 2, -1, -3, 5, 0x00FF00}));
  EXPECT_EQ(uint32_t(one.GetFrame(0)->colorKey), Pattern(4, 4, 0).GetPixel(0, 0)) << "-1: top-left pixel";
  EXPECT_TRUE(one.GetFrame(3)->SharesStorageWith(*one.GetFrame(0))) << "a reused image is shared";

  const auto bytes = w.Bytes();
  Clip two;
  ASSERT_TRUE(LoadClipBytes(bytes, two));
  ASSERT_EQ(two.GetSequenceCount(), 2);
  EXPECT_EQ(two.GetSequence(1)->GetFrameCount(), 2);
  // Every cut fails and leaves the clip empty.
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    ASSERT_TRUE(LoadClipBytes(bytes, two));
    EXPECT_FALSE(LoadClipBytes(std::span(bytes).first(cut), two)) << "cut at " << cut;
    EXPECT_EQ(two.GetFrameCount() + two.GetSequenceCount(), 0) << "cut at " << cut;
  }
}

// Counts and sizes are checked before anything is allocated for them (the bad-input catalogue holds
// the damaged clips the real game meets; these are the limits around them).
TEST(ClipFile, CountsSizesAndIndicesAreChecked) {
  ClipFileWriter w;
  w.AddRawImage(Pattern(4, 4));
  const auto good = w.Bytes();
  const std::tuple<const char*, size_t, int32_t> cases[] = {
      {"width 0", 28, 0},
      {"height far too big", 32, 0x7FFFFFFF},
      {"pixels beyond the file", 28, 4096},
      {"negative sequence count", 16, -2},
      {"masked but no mask bytes", 36, 4},
  };
  Clip clip;
  for (const auto& [what, at, value] : cases) {
    auto bytes = good;
    PutInt(bytes, at, value);
    EXPECT_FALSE(LoadClipBytes(bytes, clip)) << what;
  }

  ClipFileWriter wide;
  wide.AddRawImage(Filled(4097, 1, 0));
  EXPECT_FALSE(LoadClipBytes(wide.Bytes(), clip)) << "a side longer than 4096, every byte present";
  Bitmap dot = Filled(1, 1, 0);
  ClipFileWriter many;
  for (int i = 0; i < 1000; ++i)
    many.AddRawImage(dot);
  ASSERT_TRUE(LoadClipBytes(many.Bytes(), clip));
  many.AddRawImage(dot);
  std::string why;
  EXPECT_FALSE(LoadClipBytes(many.Bytes(), clip, &why));
  EXPECT_NE(why.find("image count"), std::string::npos) << why;

  // Blank JPEG records cost no file bytes, so their number times their size is what is bounded.
  ClipImageView blank;
  blank.width = blank.height = 4096;
  blank.type = kClipImageJpeg;
  ClipFileWriter blanks;
  blanks.AddImageRecord(blank);
  ASSERT_TRUE(LoadClipBytes(blanks.Bytes(), clip, &why)) << why;
  blanks.AddImageRecord(blank);
  EXPECT_FALSE(LoadClipBytes(blanks.Bytes(), clip, &why));
  EXPECT_NE(why.find("too large"), std::string::npos) << why;
}

// A JPEG record whose enciphered bytes are built by hand.
std::vector<uint8_t> JpegRecordFile(int32_t plainLength, const std::vector<uint8_t>& enciphered,
                                    int32_t statedLength) {
  ClipImageView image;
  image.width = 6, image.height = 5, image.type = kClipImageJpeg;
  image.plainLength = plainLength;
  image.enciphered = enciphered;
  ClipFileWriter w;
  w.AddImageRecord(image);
  auto bytes = w.Bytes();
  PutInt(bytes, 44, statedLength);
  return bytes;
}

std::vector<uint8_t> Encipher(const std::vector<uint8_t>& plain) {
  std::vector<uint8_t> out(EncipheredLength(plain.size()));
  EncryptBlocks(kCipherModeDes, plain.data(), plain.size(), out.data(), out.size(),
                reinterpret_cast<const uint8_t*>(kClipKey), kCipherKeyLength);
  return out;
}

TEST(ClipFile, JpegRecordsAreCheckedBeforeDecoding) {
  std::vector<uint8_t> jpeg;
  ASSERT_TRUE(EncodeJpeg(Gradient(8, 8), 80, jpeg));
  const auto enciphered = Encipher(jpeg);
  const int32_t n = int32_t(jpeg.size()), e = int32_t(enciphered.size());
  Clip clip;
  std::string why;
  ASSERT_TRUE(LoadClipBytes(JpegRecordFile(n, enciphered, e), clip, &why)) << why;
  EXPECT_EQ(clip.GetFrame(0)->GetWidth(), 8);
  // A plain length other than the deciphered one: the picture stays blank, in the record's size.
  ASSERT_TRUE(LoadClipBytes(JpegRecordFile(n - 1, enciphered, e), clip, &why)) << why;
  EXPECT_EQ(clip.GetFrame(0)->GetWidth(), 6);
  EXPECT_EQ(clip.GetFrame(0)->GetPixel(3, 3), 0xFFFFFFu);
  EXPECT_FALSE(LoadClipBytes(JpegRecordFile(n, enciphered, e + 1), clip))
      << "enciphered length beyond the file";
  EXPECT_FALSE(LoadClipBytes(JpegRecordFile(e + 1, enciphered, e), clip)) << "plain length beyond the buffer";
  // 16 plain bytes ending in a count byte of 127 or -128, cut to their two blocks.
  for (const auto& [count, plainLength] : {std::pair{0x7F, 8 + 127}, {0x80, 0}}) {
    std::vector<uint8_t> plain(16, 0x11);
    plain[15] = uint8_t(count);
    auto cut = Encipher(plain);
    cut.resize(16);
    EXPECT_FALSE(LoadClipBytes(JpegRecordFile(plainLength, cut, 16), clip)) << "count byte " << count;
  }

  std::vector<uint8_t> wide, manyScans;
  ASSERT_TRUE(EncodeJpeg(Gradient(4097, 2), 50, wide));
  ASSERT_TRUE(EncodeJpeg(Gradient(16, 16), 50, manyScans, JpegScans::kPerCoefficient));
  const std::vector<uint8_t> garbage(300, 0x5A), noHeader(jpeg.begin() + 2, jpeg.end());
  const std::pair<const std::vector<uint8_t>*, const char*> streams[] = {
      {&wide, "size"}, {&manyScans, "scans"}, {&garbage, ""}, {&noHeader, ""}};
  for (const auto& [stream, reason] : streams) {
    ClipFileWriter w;
    w.AddJpegStream(16, 16, *stream);
    EXPECT_FALSE(LoadClipBytes(w.Bytes(), clip, &why)) << reason;
    EXPECT_NE(why.find(reason), std::string::npos) << why;
  }
}

// ---- playback ----------------------------------------------------------------------------------------

// A clip with count frames coloured 0, 1, 2 ... and frame time 0.
void AddFrames(Clip& clip, int count, uint32_t base = 0) {
  for (int i = 0; i < count; ++i)
    clip.AddFrame(Picture(4, 4, base + uint32_t(i)));
  clip.SetFrameTime(0);
}

int Shown(const Clip& clip) {
  const Bitmap* p = clip.GetShownPicture();
  return p ? int(p->GetPixel(0, 0)) : -1;
}

class Recorder : public Clip {
 public:
  void OnFrameChanged() override { shownAtChange.push_back(Shown(*this)); }
  std::vector<int> shownAtChange;
};

TEST(ClipPlay, FramesAdvanceWhenTheirTimeIsUpAndWrap) {
  Recorder clip;
  AddFrames(clip, 3);
  clip.SetFrameTime(100);
  clip.Tick(60);
  EXPECT_EQ(clip.GetCurrentFrame(), 0);
  clip.Tick(40);
  EXPECT_EQ(clip.GetCurrentFrame(), 1);
  clip.SetFrameTime(0);
  clip.Tick(0);
  clip.Tick(0);
  EXPECT_EQ(Shown(clip), 0) << "past the last frame playback wraps";
  clip.SetFrame(7, -1);
  EXPECT_EQ(Shown(clip), 0) << "out of range: frame 0";
  EXPECT_EQ(clip.shownAtChange, (std::vector<int>{1, 2, 0, 0}))
      << "told once a change, the new picture shown";
}

TEST(ClipPlay, StructureCopiesAndReplacementsKeepShownPicturesValid) {
  Clip clip;
  AddFrames(clip, 2);
  Clip* seq = clip.AddSequence();  // frames and sequences never mix
  AddFrames(*seq, 2);
  AddFrames(*clip.AddSequence(), 3, 10);
  clip.SetTransparency(64);
  clip.SetColorKeyAll(0x123456);
  EXPECT_EQ(clip.GetSequence(1)->GetFrame(2)->transparency, 64) << "every frame of every sequence";
  EXPECT_EQ(clip.GetSequence(1)->GetFrame(2)->colorKey, 0x123456);

  Clip copy;
  copy.CopyFrom(clip);
  ASSERT_EQ(copy.GetSequenceCount(), 2);
  EXPECT_EQ(copy.GetSequence(1)->GetParent(), &copy);
  EXPECT_TRUE(copy.GetSequence(1)->GetFrame(2)->SharesStorageWith(*clip.GetSequence(1)->GetFrame(2)));
  copy.CopyFrom(*copy.GetSequence(1));  // a source inside the clip survives the clearing
  EXPECT_EQ(copy.GetFrameCount(), 3);

  copy.SetFrame(2);
  EXPECT_FALSE(copy.ReplaceFrame(3, Picture(4, 4, 9)));
  ASSERT_TRUE(copy.ReplaceFrame(2, Picture(4, 4, 9)));
  EXPECT_EQ(Shown(copy), 9) << "a shown frame that is replaced shows its successor";
  clip.SetFrame(0, 0);
  seq->Clear();
  EXPECT_EQ(clip.GetShownPicture(), nullptr) << "never a picture that is gone";
}

}  // namespace
