// Writing the data set: images of canvases into clip records of the right kind, frame records, and the
// files of the tree clp/... and wav/... under the data folder, with a tally for the closing summary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/clip_file.h"
#include "tools/assets/canvas.h"

namespace art {

// Raw-with-mask record types, all read alike; the generator uses each for one family of pictures.
constexpr int kTypeSprite = 4;   // balls, particles, letters
constexpr int kTypeControl = 5;  // buttons, boxes, edit box
constexpr int kTypePicture = 6;  // labels, badges, rings, logo

// A soft-edged picture with its mask. keyFill: transparent pixels take the magenta key, for controls
// whose pixel-exact hit test compares against the key.
int AddMasked(ClipFileWriter& writer, const Canvas& canvas, int type, bool keyFill = false);
// A raw picture whose transparent pixels are the key colour, its soft edges blended over `over`.
int AddKeyed(ClipFileWriter& writer, const Canvas& canvas, uint32_t over, uint32_t key);
// An opaque raw picture (the canvas over the background colour).
int AddOpaque(ClipFileWriter& writer, const Canvas& canvas, uint32_t background);
// An opaque picture as an enciphered JPEG.
int AddJpeg(ClipFileWriter& writer, const Canvas& canvas, uint32_t background, int quality = 93);

// One frame record showing image with an instruction. The key is magenta unless given: no drawn pixel
// ever has that colour, so opaque pictures stay whole, keyed ones lose their background and controls
// miss on it (the record's -1 would key on whatever the top-left pixel holds).
ClipFrameRecord Frame(int image, int action = 0, int32_t key = 0xFF00FF, int x = 0, int y = 0);
// One sequence of one frame per image, each with the given instruction.
std::vector<ClipFrameRecord> Frames(const std::vector<int>& images, int action, int32_t key = 0xFF00FF);
// A clip of one picture in one sequence.
void SingleFrame(ClipFileWriter& writer, int image, int32_t key = 0xFF00FF);

// The output tree.
class DataSet {
 public:
  explicit DataSet(std::string root);
  // Writes the clip file at root/path (folders made as needed); false, with a message, on failure.
  bool SaveClip(const std::string& path, const ClipFileWriter& writer);
  bool SaveFile(const std::string& path, const std::vector<uint8_t>& bytes);
  int Files() const { return files_; }
  uint64_t Bytes() const { return bytes_; }
  bool Failed() const { return failed_; }

 private:
  std::string root_;
  int files_ = 0;
  uint64_t bytes_ = 0;
  bool failed_ = false;
};

}  // namespace art
