// Clip files: writer and reader round trips of every record type, the frame tables, and the reader's
// refusal of damaged or hostile files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "clip_testing.h"
#include "engine/bitmap.h"
#include "engine/clip.h"
#include "engine/clip_file.h"
#include "engine/jpeg_codec.h"
#include "store/cipher_file.h"

namespace {

using testing_files::TempFolder;

// A w x h picture with a different colour in every pixel; seed varies it.
OBitmap Pattern(int w, int h, int seed = 0) {
  OBitmap b;
  EXPECT_TRUE(b.Create(w, h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, uint32_t((x * 40 + seed) << 16 | (y * 30) << 8 | (x + y + seed)));
  return b;
}

// A smooth picture that JPEG keeps close to its colours.
OBitmap Gradient(int w, int h) {
  OBitmap b;
  EXPECT_TRUE(b.Create(w, h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, uint32_t((x * 255 / w) << 16 | (y * 255 / h) << 8 | 128));
  return b;
}

bool SamePixels(const OBitmap& a, const OBitmap& b) {
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return false;
  for (int y = 0; y < a.GetHeight(); ++y)
    if (std::memcmp(a.GetRow(y), b.GetRow(y), size_t(a.GetWidth()) * 3) != 0) return false;
  return true;
}

ClipFrameRecord Frame(int image, int action = 0, int arg1 = 0, int arg2 = 0) {
  ClipFrameRecord f;
  f.image = image;
  f.action = action;
  f.arg1 = arg1;
  f.arg2 = arg2;
  return f;
}

bool Load(const std::vector<uint8_t>& bytes, OClip& clip, std::string* why = nullptr) {
  return LoadClipBytes(bytes, clip, why);
}

void PutInt(std::vector<uint8_t>& bytes, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i)
    bytes[at + size_t(i)] = uint8_t(uint32_t(v) >> (8 * i));
}

TEST(ClipFile, RawImagesRoundTrip) {
  const OBitmap a = Pattern(5, 3), b = Pattern(2, 7, 9);
  ClipFileWriter w;
  w.AddRawImage(a);
  w.AddRawImage(b, 7);  // any type but 4, 5, 6 and 10 is raw
  OClip clip;
  std::string why;
  ASSERT_TRUE(Load(w.Bytes(), clip, &why)) << why;
  ASSERT_EQ(clip.GetFrameCount(), 2);
  EXPECT_TRUE(SamePixels(*clip.GetFrame(0), a));
  EXPECT_TRUE(SamePixels(*clip.GetFrame(1), b));
  EXPECT_EQ(clip.GetFrame(0)->GetMask(), nullptr);
  EXPECT_EQ(clip.GetWidth(), 5);
  EXPECT_EQ(clip.GetHeight(), 7);
  // No frame table: every image is a frame keyed by its top-left pixel, and they play in a loop.
  EXPECT_EQ(uint32_t(clip.GetFrame(1)->colorKey), b.GetPixel(0, 0));
  clip.SetFrameTime(0);
  clip.Tick(0);
  clip.Tick(0);
  EXPECT_EQ(clip.GetCurrentFrame(), 0);
}

TEST(ClipFile, MaskedImagesRoundTrip) {
  OBitmap sprite = Pattern(6, 4);
  uint8_t* mask = sprite.CreateMask(0);
  ASSERT_NE(mask, nullptr);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      sprite.GetMaskRow(y)[x] = uint8_t(x * 50 + y);
  for (int type : {4, 5, 6}) {
    ClipFileWriter w;
    w.AddRawImage(sprite, type);
    OClip clip;
    ASSERT_TRUE(Load(w.Bytes(), clip)) << type;
    const OBitmap& got = *clip.GetFrame(0);
    EXPECT_TRUE(SamePixels(got, sprite));
    ASSERT_NE(got.GetMask(), nullptr);
    for (int y = 0; y < 4; ++y)
      EXPECT_EQ(std::memcmp(got.GetMaskRow(y), sprite.GetMaskRow(y), 6), 0) << y;
  }
}

TEST(ClipFile, JpegImagesRoundTrip) {
  const OBitmap picture = Gradient(40, 24);
  for (JpegScans scans : {JpegScans::kBaseline, JpegScans::kProgressive}) {
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(EncodeJpeg(picture, 95, jpeg, scans));
    ClipFileWriter w;
    w.AddJpegStream(10, 10, jpeg);  // the stream's own size wins over the record's
    OClip clip;
    std::string why;
    ASSERT_TRUE(Load(w.Bytes(), clip, &why)) << why;
    const OBitmap& got = *clip.GetFrame(0);
    ASSERT_EQ(got.GetWidth(), 40);
    ASSERT_EQ(got.GetHeight(), 24);
    EXPECT_EQ(clip.GetWidth(), 40);
    int worst = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 40; ++x) {
        const uint32_t p = picture.GetPixel(x, y), q = got.GetPixel(x, y);
        for (int shift : {0, 8, 16})
          worst = std::max(worst, std::abs(int(p >> shift & 255) - int(q >> shift & 255)));
      }
    EXPECT_LE(worst, 12) << "colours arrive in the bitmap's own order";
  }
}

TEST(ClipFile, ParsedFilesWriteBackToTheSameBytes) {
  OBitmap masked = Pattern(3, 3);
  masked.CreateMask(9);
  ClipFileWriter w;
  w.AddRawImage(Pattern(4, 2));
  w.AddRawImage(masked, 5);
  ASSERT_EQ(w.AddJpegImage(Gradient(16, 16)), 2);
  w.AddSequence({Frame(0, 3, 1, -1), Frame(2)});
  w.AddSequence({Frame(1, 2)});
  w.AddSequence({});
  const std::vector<uint8_t> bytes = w.Bytes();
  ClipFileView view;
  std::string why;
  ASSERT_TRUE(ParseClipFile(bytes, view, &why)) << why;
  ASSERT_EQ(view.images.size(), 3u);
  EXPECT_EQ(view.images[1].type, 5);
  EXPECT_EQ(view.images[1].mask.size(), 9u);
  EXPECT_EQ(view.images[2].type, kClipImageJpeg);
  ASSERT_EQ(view.sequences.size(), 3u);
  EXPECT_EQ(view.sequences[0][0], Frame(0, 3, 1, -1));
  ClipFileWriter again;
  again.AddAll(view);
  EXPECT_EQ(again.Bytes(), bytes);
}

TEST(ClipFile, FrameTablesBuildSequences) {
  ClipFileWriter w;
  for (int i = 0; i < 3; ++i)
    w.AddRawImage(Pattern(4, 4, i));
  ClipFrameRecord offset = Frame(2, 1);
  offset.x = -3;
  offset.y = 5;
  offset.colorKey = 0x00FF00;
  w.AddSequence({Frame(0), Frame(1, 3, 0, -1), offset, Frame(0)});
  const auto oneSequence = w.Bytes();
  w.AddSequence({Frame(2), Frame(1)});

  OClip one;
  ASSERT_TRUE(Load(oneSequence, one));
  EXPECT_EQ(one.GetSequenceCount(), 0) << "a single sequence goes into the clip itself";
  ASSERT_EQ(one.GetFrameCount(), 4);
  EXPECT_EQ(one.GetFrame(1)->frameAction, 3);
  EXPECT_EQ(one.GetFrame(2)->offsetX, -3);
  EXPECT_EQ(one.GetFrame(2)->offsetY, 5);
  EXPECT_EQ(one.GetFrame(2)->colorKey, 0x00FF00);
  EXPECT_EQ(uint32_t(one.GetFrame(0)->colorKey), Pattern(4, 4, 0).GetPixel(0, 0)) << "-1: top-left pixel";
  EXPECT_TRUE(one.GetFrame(3)->SharesStorageWith(*one.GetFrame(0))) << "a reused image is shared";

  OClip two;
  ASSERT_TRUE(Load(w.Bytes(), two));
  ASSERT_EQ(two.GetSequenceCount(), 2);
  EXPECT_EQ(two.GetFrameCount(), 4) << "the current sequence's frames";
  EXPECT_EQ(two.GetSequence(1)->GetFrameCount(), 2);
  EXPECT_EQ(two.GetShownPicture(), two.GetSequence(0)->GetFrame(0));
  EXPECT_TRUE(two.GetSequence(1)->GetFrame(0)->SharesStorageWith(*two.GetSequence(0)->GetFrame(2)));
}

TEST(ClipFile, ImageCountLimit) {
  OBitmap dot;
  ASSERT_TRUE(dot.Create(1, 1));
  ClipFileWriter w;
  for (int i = 0; i < 1000; ++i)
    w.AddRawImage(dot);
  auto bytes = w.Bytes();
  OClip clip;
  ASSERT_TRUE(Load(bytes, clip));
  EXPECT_EQ(clip.GetFrameCount(), 1000);
  w.AddRawImage(dot);
  std::string why;
  EXPECT_FALSE(Load(w.Bytes(), clip, &why));
  EXPECT_NE(why.find("image count"), std::string::npos) << why;
  EXPECT_EQ(clip.GetFrameCount(), 0) << "a failed load leaves an empty clip";
  PutInt(bytes, 12, -1);
  EXPECT_FALSE(Load(bytes, clip));
}

TEST(ClipFile, ImageIndexMustNameAnImage) {
  for (int index : {2, -1, 1000}) {
    ClipFileWriter w;
    w.AddRawImage(Pattern(2, 2));
    w.AddRawImage(Pattern(2, 2));
    w.AddSequence({Frame(0), Frame(index)});
    OClip clip;
    std::string why;
    EXPECT_FALSE(Load(w.Bytes(), clip, &why)) << index;
    EXPECT_NE(why.find("image index"), std::string::npos) << why;
  }
}

TEST(ClipFile, EveryCutFails) {
  OBitmap masked = Pattern(3, 2);
  masked.CreateMask(0);
  ClipFileWriter w;
  w.AddRawImage(Pattern(2, 2));
  w.AddRawImage(masked, 4);
  w.AddJpegImage(Gradient(8, 8));
  w.AddSequence({Frame(0), Frame(2)});
  w.AddSequence({Frame(1)});
  const auto bytes = w.Bytes();
  OClip clip;
  ASSERT_TRUE(Load(bytes, clip));
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    const std::vector<uint8_t> part(bytes.begin(), bytes.begin() + long(cut));
    EXPECT_FALSE(Load(part, clip)) << "cut at " << cut;
  }
}

TEST(ClipFile, SizesAreCheckedBeforeAllocating) {
  ClipFileWriter w;
  w.AddRawImage(Pattern(4, 4));
  const auto good = w.Bytes();
  struct Case {
    const char* what;
    size_t at;
    int32_t value;
  };
  const Case cases[] = {
      {"width 0", 28, 0},
      {"height -1", 32, -1},
      {"width 4097", 28, 4097},
      {"height far too big", 32, 0x7FFFFFFF},
      {"pixels beyond the file", 28, 4096},
      {"sequence count impossible", 16, 0x7FFFFFFF},
      {"negative sequence count", 16, -2},
      {"magic", 0, 0x12345678},
  };
  for (const Case& c : cases) {
    auto bytes = good;
    PutInt(bytes, c.at, c.value);
    OClip clip;
    EXPECT_FALSE(Load(bytes, clip)) << c.what;
  }
  auto masked = good;
  PutInt(masked, 36, 4);  // masked now: the mask bytes are missing
  OClip clip;
  EXPECT_FALSE(Load(masked, clip));
}

// A JPEG record whose enciphered bytes are built by hand.
std::vector<uint8_t> JpegRecordFile(int32_t plainLength, const std::vector<uint8_t>& enciphered,
                                    int32_t statedLength) {
  ClipImageView image;
  image.width = 6;
  image.height = 5;
  image.type = kClipImageJpeg;
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

TEST(ClipFile, JpegLengthsAndCountByte) {
  std::vector<uint8_t> jpeg;
  ASSERT_TRUE(EncodeJpeg(Gradient(8, 8), 80, jpeg));
  const auto enciphered = Encipher(jpeg);
  const int32_t n = int32_t(jpeg.size()), e = int32_t(enciphered.size());
  OClip clip;
  std::string why;
  ASSERT_TRUE(Load(JpegRecordFile(n, enciphered, e), clip, &why)) << why;
  EXPECT_EQ(clip.GetFrame(0)->GetWidth(), 8);

  // A plain length other than the deciphered one: the picture stays blank, in the record's size.
  ASSERT_TRUE(Load(JpegRecordFile(n - 1, enciphered, e), clip, &why)) << why;
  EXPECT_EQ(clip.GetFrame(0)->GetWidth(), 6);
  EXPECT_EQ(clip.GetFrame(0)->GetPixel(3, 3), 0xFFFFFFu);
  ASSERT_TRUE(Load(JpegRecordFile(0, {1, 2, 3}, 3), clip)) << "nothing to decipher: blank";

  EXPECT_FALSE(Load(JpegRecordFile(n, enciphered, e + 1), clip)) << "enciphered length beyond the file";
  EXPECT_FALSE(Load(JpegRecordFile(n, enciphered, -8), clip));
  EXPECT_FALSE(Load(JpegRecordFile(e + 1, enciphered, e), clip)) << "plain length beyond the buffer";
  EXPECT_FALSE(Load(JpegRecordFile(-1, enciphered, e), clip));

  // 16 plain bytes ending in 0x7F, cut to their two blocks: the count byte claims 127 bytes.
  std::vector<uint8_t> plain(16, 0x11);
  plain[15] = 0x7F;
  auto cut = Encipher(plain);
  cut.resize(16);
  EXPECT_FALSE(Load(JpegRecordFile(8 + 127, cut, 16), clip, &why)) << "count byte out of range";
  plain[15] = 0x80;  // -128
  cut = Encipher(plain);
  cut.resize(16);
  EXPECT_FALSE(Load(JpegRecordFile(0, cut, 16), clip));
}

TEST(ClipFile, BrokenJpegFailsTheLoadInsteadOfEndingTheProgram) {
  std::vector<uint8_t> jpeg;
  ASSERT_TRUE(EncodeJpeg(Gradient(32, 32), 80, jpeg));
  std::vector<uint8_t> garbage(300, 0x5A);
  std::vector<uint8_t> noHeader(jpeg.begin() + 2, jpeg.end());
  std::vector<uint8_t> cutShort(jpeg.begin(), jpeg.begin() + long(jpeg.size() / 3));
  std::vector<uint8_t> flipped = jpeg;
  for (size_t i = 20; i < 200 && i < flipped.size(); i += 3)
    flipped[i] ^= 0xFF;
  for (const auto* stream : {&garbage, &noHeader}) {
    ClipFileWriter w;
    w.AddJpegStream(32, 32, *stream);
    OClip clip;
    std::string why;
    EXPECT_FALSE(Load(w.Bytes(), clip, &why));
    EXPECT_FALSE(why.empty());
  }
  // Damage libjpeg can decode around must not hurt either; success or failure are both fine here.
  for (const auto* stream : {&cutShort, &flipped}) {
    ClipFileWriter w;
    w.AddJpegStream(32, 32, *stream);
    OClip clip;
    Load(w.Bytes(), clip);
  }
}

TEST(ClipFile, JpegSizeAndScanLimits) {
  OClip clip;
  std::string why;
  std::vector<uint8_t> wide;
  ASSERT_TRUE(EncodeJpeg(Gradient(4097, 2), 50, wide));
  ClipFileWriter w1;
  w1.AddJpegStream(16, 2, wide);
  EXPECT_FALSE(Load(w1.Bytes(), clip, &why));
  EXPECT_NE(why.find("size"), std::string::npos) << why;

  std::vector<uint8_t> manyScans;
  ASSERT_TRUE(EncodeJpeg(Gradient(16, 16), 50, manyScans, JpegScans::kPerCoefficient));
  ClipFileWriter w2;
  w2.AddJpegStream(16, 16, manyScans);
  EXPECT_FALSE(Load(w2.Bytes(), clip, &why));
  EXPECT_NE(why.find("scans"), std::string::npos) << why;
}

TEST(ClipFile, TotalPixelBudget) {
  // Blank JPEG records cost no file bytes, so their number times their size is what is bounded.
  ClipImageView blank;
  blank.width = 4096;
  blank.height = 4096;
  blank.type = kClipImageJpeg;
  ClipFileWriter w;
  w.AddImageRecord(blank);
  OClip clip;
  std::string why;
  ASSERT_TRUE(Load(w.Bytes(), clip, &why)) << why;
  w.AddImageRecord(blank);
  EXPECT_FALSE(Load(w.Bytes(), clip, &why));
  EXPECT_NE(why.find("too large"), std::string::npos) << why;
}

TEST(ClipFile, FilesOnDisk) {
  TempFolder temp;
  ClipFileWriter w;
  w.AddRawImage(Pattern(3, 3));
  ASSERT_TRUE(w.Save(temp.File("a.clp")));
  OClip clip;
  EXPECT_TRUE(clip.Load(temp.File("a.clp")));
  EXPECT_EQ(clip.GetFrameCount(), 1);
  EXPECT_FALSE(clip.Load(temp.File("missing.clp")));
  EXPECT_EQ(clip.GetFrameCount(), 0);
}

}  // namespace
