// Sections: byte reading · parsing · loading into a clip · writer
#include "engine/clip_file.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/bitmap.h"
#include "engine/clip.h"
#include "engine/file_bytes.h"
#include "engine/jpeg_codec.h"
#include "store/cipher_file.h"

namespace {

// ---- byte reading ----------------------------------------------------------------------------------

// Reads little-endian int32 values from a span, never past its end.
class Cursor {
 public:
  explicit Cursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t Remaining() const { return bytes_.size() - pos_; }
  bool ReadInt(int32_t& value) {
    if (Remaining() < 4) return false;
    const uint8_t* p = bytes_.data() + pos_;
    value = int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
    pos_ += 4;
    return true;
  }
  // Takes count bytes; false (nothing taken) when fewer remain.
  bool Take(size_t count, std::span<const uint8_t>& out) {
    if (Remaining() < count) return false;
    out = bytes_.subspan(pos_, count);
    pos_ += count;
    return true;
  }
  bool Skip(size_t count) {
    std::span<const uint8_t> ignored;
    return Take(count, ignored);
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
};

bool Fail(std::string* why, const std::string& reason) {
  if (why) *why = reason;
  return false;
}

void PutInt(std::vector<uint8_t>& out, int32_t value) {
  const uint32_t v = uint32_t(value);
  for (int i = 0; i < 4; ++i)
    out.push_back(uint8_t(v >> (8 * i)));
}

// ---- parsing ---------------------------------------------------------------------------------------

bool ParseImage(Cursor& in, int index, ClipImageView& image, std::string* why) {
  const std::string at = "image " + std::to_string(index) + ": ";
  if (!in.ReadInt(image.width) || !in.ReadInt(image.height) || !in.ReadInt(image.type))
    return Fail(why, at + "file ends in the record header");
  if (image.width < 1 || image.width > kClipMaxSide || image.height < 1 || image.height > kClipMaxSide)
    return Fail(why, at + "width or height outside 1.." + std::to_string(kClipMaxSide));
  if (image.type == kClipImageJpeg) {
    int32_t encipheredLength = 0;
    if (!in.ReadInt(image.plainLength) || !in.ReadInt(encipheredLength))
      return Fail(why, at + "file ends in the JPEG lengths");
    if (encipheredLength < 0 || !in.Take(size_t(encipheredLength), image.enciphered))
      return Fail(why, at + "enciphered length beyond the end of the file");
    if (image.plainLength < 0 || image.plainLength > encipheredLength)
      return Fail(why, at + "plain length does not fit the enciphered bytes");
    return true;
  }
  const size_t area = size_t(image.width) * size_t(image.height);
  const size_t needed = area * (ClipImageHasMask(image.type) ? 4 : 3);
  if (needed > in.Remaining()) return Fail(why, at + "pixels beyond the end of the file");
  in.Take(area * 3, image.pixels);
  if (ClipImageHasMask(image.type)) in.Take(area, image.mask);
  return true;
}

}  // namespace

bool ParseClipFile(std::span<const uint8_t> bytes, ClipFileView& view, std::string* why) {
  view = ClipFileView{};
  Cursor in(bytes);
  std::span<const uint8_t> magic;
  if (!in.Take(sizeof kClipMagic, magic) || std::memcmp(magic.data(), kClipMagic, sizeof kClipMagic) != 0)
    return Fail(why, "not a clip file (magic)");
  int32_t imageCount = 0, sequenceCount = 0;
  if (!in.ReadInt(imageCount) || !in.ReadInt(sequenceCount) || !in.Skip(8))
    return Fail(why, "file ends in the header");
  if (imageCount < 0 || imageCount > kClipMaxImages)
    return Fail(
        why, "image count " + std::to_string(imageCount) + " outside 0.." + std::to_string(kClipMaxImages));
  // Every sequence needs at least its frame count: a bound before anything is reserved.
  if (sequenceCount < 0 || size_t(sequenceCount) > in.Remaining() / 4)
    return Fail(why, "sequence count " + std::to_string(sequenceCount) + " impossible for the file");

  view.images.resize(size_t(imageCount));
  for (int i = 0; i < imageCount; ++i)
    if (!ParseImage(in, i, view.images[size_t(i)], why)) return false;

  view.sequences.resize(size_t(sequenceCount));
  for (int s = 0; s < sequenceCount; ++s) {
    int32_t frameCount = 0;
    if (!in.ReadInt(frameCount)) return Fail(why, "file ends before sequence " + std::to_string(s));
    if (frameCount < 0 || size_t(frameCount) > in.Remaining() / kClipFrameRecordSize)
      return Fail(why, "sequence " + std::to_string(s) + ": frame records beyond the end of the file");
    std::vector<ClipFrameRecord>& frames = view.sequences[size_t(s)];
    frames.resize(size_t(frameCount));
    for (ClipFrameRecord& f : frames) {
      // Seven ints; the count check above guarantees they are there.
      for (int32_t* field : {&f.x, &f.y, &f.image, &f.colorKey, &f.action, &f.arg1, &f.arg2})
        in.ReadInt(*field);
      if (f.image < 0 || f.image >= imageCount)
        return Fail(why, "sequence " + std::to_string(s) + ": image index " + std::to_string(f.image) +
                             " outside 0.." + std::to_string(imageCount - 1));
      if (f.x < -kClipMaxOffset || f.x > kClipMaxOffset || f.y < -kClipMaxOffset || f.y > kClipMaxOffset)
        return Fail(why, "sequence " + std::to_string(s) + ": offset (" + std::to_string(f.x) + ", " +
                             std::to_string(f.y) + ") outside +-" + std::to_string(kClipMaxOffset));
    }
  }
  return true;
}

// ---- loading into a clip -------------------------------------------------------------------------------

namespace {

// Makes the picture of one image record, counting its pixels against the file's budget.
bool BuildImage(const ClipImageView& image, int index, std::vector<uint8_t>& plain, int64_t& budget,
                std::unique_ptr<Bitmap>& out, std::string* why) {
  const std::string at = "image " + std::to_string(index) + ": ";
  const int64_t area = int64_t{image.width} * image.height;
  if (area > budget) return Fail(why, at + "the file's pictures are too large altogether");
  budget -= area;
  out = std::make_unique<Bitmap>();
  if (image.type != kClipImageJpeg) {
    if (!out->Create(image.width, image.height)) return Fail(why, at + "no memory for the picture");
    const size_t rowBytes = size_t(image.width) * 3;
    for (int y = 0; y < image.height; ++y)
      std::memcpy(out->GetRow(y), image.pixels.data() + size_t(y) * rowBytes, rowBytes);
    if (!image.mask.empty()) {
      // The slack past the last row is transparent, so smooth drawing fades out at the edge.
      if (!out->CreateMask(255)) return Fail(why, at + "no memory for the mask");
      for (int y = 0; y < image.height; ++y)
        std::memcpy(out->GetMaskRow(y), image.mask.data() + size_t(y) * size_t(image.width),
                    size_t(image.width));
    }
    return true;
  }

  // JPEG: decipher into a buffer of the enciphered length + 10; decode only when the stated length came
  // back exactly. The count byte must be 0..7, or the result would point past the buffer.
  const size_t length = image.enciphered.size();
  plain.assign(length + 10, 0);
  const ptrdiff_t got =
      DecryptBlocks(kCipherModeDes, image.enciphered.data(), length, plain.data(), plain.size(),
                    reinterpret_cast<const uint8_t*>(kClipKey), kCipherKeyLength);
  const size_t whole = length - length % 8;
  if (whole >= 8) {
    const int8_t count = int8_t(plain[whole - 1]);
    if (count < 0 || count > 7) return Fail(why, at + "deciphered count byte out of range");
  }
  if (got <= 0 || got != image.plainLength) {
    // Not the stated stream: the picture stays blank, as the record's size.
    if (!out->Create(image.width, image.height)) return Fail(why, at + "no memory for the picture");
    return true;
  }
  JpegLimits limits;
  limits.maxSide = kClipMaxSide;
  limits.maxPixels = budget + area;  // the blank record's share goes to the decoded picture instead
  std::string jpegWhy;
  if (!DecodeJpeg(plain.data(), size_t(got), limits, *out, &jpegWhy)) return Fail(why, at + jpegWhy);
  budget = budget + area - int64_t{out->GetWidth()} * out->GetHeight();
  return true;
}

bool BuildClip(const ClipFileView& view, Clip& clip, std::string* why) {
  std::vector<std::unique_ptr<Bitmap>> pictures(view.images.size());
  std::vector<uint8_t> plain;
  int64_t budget = kClipMaxTotalPixels;
  for (size_t i = 0; i < view.images.size(); ++i)
    if (!BuildImage(view.images[i], int(i), plain, budget, pictures[i], why)) return false;

  if (view.sequences.empty()) {
    for (auto& picture : pictures) {
      picture->SetColorKey(-1);
      clip.AddFrame(std::move(picture));
    }
    return true;
  }
  // The first use of an image takes the picture itself; later uses share its pixels.
  std::vector<const Bitmap*> firstUse(pictures.size(), nullptr);
  for (const auto& frames : view.sequences) {
    Clip* target = view.sequences.size() == 1 ? &clip : clip.AddSequence();
    for (size_t j = 0; j < frames.size(); ++j) {
      const ClipFrameRecord& f = frames[j];
      const size_t index = size_t(f.image);
      std::unique_ptr<Bitmap> picture;
      if (firstUse[index]) {
        picture = std::make_unique<Bitmap>(*firstUse[index]);
      } else {
        picture = std::move(pictures[index]);
        firstUse[index] = picture.get();
      }
      picture->offsetX = f.x;
      picture->offsetY = f.y;
      picture->SetColorKey(uint32_t(f.colorKey) > 0xFFFFFF ? -1 : f.colorKey);
      target->AddFrame(std::move(picture));
      target->SetFrameAction(f.action, f.arg1, f.arg2, int(j));
    }
  }
  // Show the first sequence from the start, so the clip's frame count is its current sequence's.
  if (clip.GetSequenceCount() > 0) clip.SetFrame(0, 0);
  return true;
}

}  // namespace

bool LoadClipBytes(std::span<const uint8_t> bytes, Clip& clip, std::string* why) {
  clip.Clear();
  clip.Reset();
  ClipFileView view;
  if (ParseClipFile(bytes, view, why) && BuildClip(view, clip, why)) return true;
  clip.Clear();
  clip.Reset();
  return false;
}

LoadResult LoadClipFile(const std::string& path, Clip& clip, std::string* why) {
  clip.Clear();
  clip.Reset();
  std::vector<uint8_t> bytes;
  LoadResult result;
  if (!ReadFileBytes(path, kClipMaxFileSize, bytes, &result)) {
    Fail(why, "cannot read " + path + ": " + result.reason);
    return result;
  }
  std::string damage;
  if (LoadClipBytes(bytes, clip, &damage)) return result;
  Fail(why, damage);
  return {LoadResult::Fault::kDamaged, path, damage};
}

// ---- writer --------------------------------------------------------------------------------------------

int ClipFileWriter::AddRawImage(const Bitmap& picture, int type) {
  Image image;
  image.width = picture.GetWidth();
  image.height = picture.GetHeight();
  image.type = type == kClipImageJpeg ? kClipImageRaw : type;
  const size_t rowBytes = size_t(image.width) * 3;
  for (int y = 0; y < image.height; ++y)
    image.pixels.insert(image.pixels.end(), picture.GetRow(y), picture.GetRow(y) + rowBytes);
  if (ClipImageHasMask(image.type)) {
    for (int y = 0; y < image.height; ++y) {
      const uint8_t* row = picture.GetMaskRow(y);
      if (row)
        image.mask.insert(image.mask.end(), row, row + image.width);
      else
        image.mask.insert(image.mask.end(), size_t(image.width), uint8_t{0});
    }
  }
  images_.push_back(std::move(image));
  return int(images_.size()) - 1;
}

int ClipFileWriter::AddJpegImage(const Bitmap& picture, int quality) {
  std::vector<uint8_t> jpeg;
  if (!EncodeJpeg(picture, quality, jpeg)) return -1;
  return AddJpegStream(picture.GetWidth(), picture.GetHeight(), jpeg);
}

int ClipFileWriter::AddJpegStream(int width, int height, std::span<const uint8_t> jpeg) {
  Image image;
  image.width = width;
  image.height = height;
  image.type = kClipImageJpeg;
  image.plainLength = int32_t(jpeg.size());
  image.enciphered.resize(EncipheredLength(jpeg.size()));
  EncryptBlocks(kCipherModeDes, jpeg.data(), jpeg.size(), image.enciphered.data(), image.enciphered.size(),
                reinterpret_cast<const uint8_t*>(kClipKey), kCipherKeyLength);
  images_.push_back(std::move(image));
  return int(images_.size()) - 1;
}

int ClipFileWriter::AddImageRecord(const ClipImageView& view) {
  Image image;
  image.width = view.width;
  image.height = view.height;
  image.type = view.type;
  image.pixels.assign(view.pixels.begin(), view.pixels.end());
  image.mask.assign(view.mask.begin(), view.mask.end());
  image.plainLength = view.plainLength;
  image.enciphered.assign(view.enciphered.begin(), view.enciphered.end());
  images_.push_back(std::move(image));
  return int(images_.size()) - 1;
}

void ClipFileWriter::AddSequence(std::vector<ClipFrameRecord> frames) {
  sequences_.push_back(std::move(frames));
}

void ClipFileWriter::AddAll(const ClipFileView& view) {
  for (const ClipImageView& image : view.images)
    AddImageRecord(image);
  for (const auto& frames : view.sequences)
    AddSequence(frames);
}

std::vector<uint8_t> ClipFileWriter::Bytes() const {
  std::vector<uint8_t> out(kClipMagic, kClipMagic + sizeof kClipMagic);
  PutInt(out, int32_t(images_.size()));
  PutInt(out, int32_t(sequences_.size()));
  PutInt(out, 0);
  PutInt(out, 0);
  for (const Image& image : images_) {
    PutInt(out, image.width);
    PutInt(out, image.height);
    PutInt(out, image.type);
    if (image.type == kClipImageJpeg) {
      PutInt(out, image.plainLength);
      PutInt(out, int32_t(image.enciphered.size()));
      out.insert(out.end(), image.enciphered.begin(), image.enciphered.end());
    } else {
      out.insert(out.end(), image.pixels.begin(), image.pixels.end());
      out.insert(out.end(), image.mask.begin(), image.mask.end());
    }
  }
  for (const auto& frames : sequences_) {
    PutInt(out, int32_t(frames.size()));
    for (const ClipFrameRecord& f : frames)
      for (int32_t v : {f.x, f.y, f.image, f.colorKey, f.action, f.arg1, f.arg2})
        PutInt(out, v);
  }
  return out;
}

bool ClipFileWriter::Save(const std::string& path) const {
  const std::vector<uint8_t> bytes = Bytes();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
