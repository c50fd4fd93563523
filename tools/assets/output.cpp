// Writing the data set; see output.h.
#include "tools/assets/output.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "engine/clip.h"
#include "tools/assets/palette.h"

namespace art {

int AddMasked(ClipFileWriter& writer, const Canvas& canvas, int type, bool keyFill) {
  return writer.AddRawImage(ToMasked(canvas, keyFill, kKeyMagenta), type);
}

int AddKeyed(ClipFileWriter& writer, const Canvas& canvas, uint32_t over, uint32_t key) {
  return writer.AddRawImage(ToKeyed(canvas, Hex(over), key), kClipImageRaw);
}

int AddOpaque(ClipFileWriter& writer, const Canvas& canvas, uint32_t background) {
  return writer.AddRawImage(ToOpaque(canvas, Hex(background)), kClipImageRaw);
}

namespace {

// The clip writer fills the closing cipher block with clock-seeded filler bytes unless the stream's
// length leaves exactly 7 bytes for it. A comment segment after the start marker sizes the stream so,
// which keeps the enciphered bytes the same on every run.
void SizeForCipher(std::vector<uint8_t>& jpeg) {
  size_t extra = (7 + 8 - jpeg.size() % 8) % 8;
  if (extra < 4) extra += 8;  // a comment segment takes at least its marker and length
  std::vector<uint8_t> comment = {0xFF, 0xFE, 0, uint8_t(extra - 2)};
  static const char kText[] = "Globbet";
  for (size_t i = 4; i < extra; ++i)
    comment.push_back(uint8_t(kText[(i - 4) % 7]));
  jpeg.insert(jpeg.begin() + 2, comment.begin(), comment.end());
}

}  // namespace

int AddJpeg(ClipFileWriter& writer, const Canvas& canvas, uint32_t background, int quality) {
  const Bitmap picture = ToOpaque(canvas, Hex(background));
  std::vector<uint8_t> jpeg = EncodeJpeg444(picture, quality);
  SizeForCipher(jpeg);
  return writer.AddJpegStream(picture.GetWidth(), picture.GetHeight(), jpeg);
}

ClipFrameRecord Frame(int image, int action, int32_t key, int x, int y) {
  ClipFrameRecord r;
  r.x = x, r.y = y, r.image = image, r.colorKey = key, r.action = action;
  return r;
}

std::vector<ClipFrameRecord> Frames(const std::vector<int>& images, int action, int32_t key) {
  std::vector<ClipFrameRecord> out;
  for (int image : images)
    out.push_back(Frame(image, action, key));
  return out;
}

void SingleFrame(ClipFileWriter& writer, int image, int32_t key) {
  writer.AddSequence({Frame(image, 0, key)});
}

DataSet::DataSet(std::string root) : root_(std::move(root)) {}

bool DataSet::SaveClip(const std::string& path, const ClipFileWriter& writer) {
  return SaveFile(path, writer.Bytes());
}

bool DataSet::SaveFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path full = std::filesystem::path(root_) / path;
  std::error_code error;
  std::filesystem::create_directories(full.parent_path(), error);
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "globbet-assets: cannot write %s\n", full.c_str());
    failed_ = true;
    return false;
  }
  ++files_;
  bytes_ += bytes.size();
  return true;
}

}  // namespace art
