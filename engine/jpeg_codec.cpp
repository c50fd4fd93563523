// libjpeg reports fatal errors through error_exit, which by default ends the process. Here it jumps
// back to the setjmp of the decoding or encoding call. Between setjmp and any longjmp only plain C
// data lives in those frames (no C++ object with a destructor), so the jump skips nothing.
#include "engine/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "engine/bitmap.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

struct ProgressManager {
  jpeg_progress_mgr pub;
  int maxScans;
  bool tooManyScans;
};

extern "C" void JumpOnError(j_common_ptr cinfo) {
  ErrorManager* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

// Warnings (corrupt but decodable data) are not worth a word: the picture is decoded as far as it goes.
extern "C" void IgnoreMessage(j_common_ptr, int) {}

extern "C" void CheckScans(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  ProgressManager* progress = reinterpret_cast<ProgressManager*>(cinfo->progress);
  const j_decompress_ptr d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > progress->maxScans) {
    progress->tooManyScans = true;
    (*cinfo->err->error_exit)(cinfo);
  }
}

void InitErrors(ErrorManager& errors) {
  std::memset(&errors, 0, sizeof errors);
  jpeg_std_error(&errors.pub);
  errors.pub.error_exit = JumpOnError;
  errors.pub.emit_message = IgnoreMessage;
}

// The decoding job: plain data only, so that a longjmp out of libjpeg skips no destructor.
struct DecodeJob {
  const uint8_t* data;
  size_t size;
  JpegLimits limits;
  Bitmap* decoded;  // the new picture while decoding; copied into picture on success
  const char* failure;
};

// Returns true on success; on failure job.failure or errors.message says why.
bool RunDecode(DecodeJob* job, ErrorManager* errors, ProgressManager* progress) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = &errors->pub;
  if (setjmp(errors->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  progress->pub.progress_monitor = CheckScans;
  cinfo.progress = &progress->pub;
  jpeg_mem_src(&cinfo, job->data, static_cast<unsigned long>(job->size));
  jpeg_read_header(&cinfo, TRUE);
  const int64_t width = cinfo.image_width, height = cinfo.image_height;
  if (width < 1 || height < 1 || width > job->limits.maxSide || height > job->limits.maxSide) {
    job->failure = "JPEG size out of range";
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  if (width * height > job->limits.maxPixels) {
    job->failure = "JPEG too large for what the file may allocate";
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.out_color_space = JCS_EXT_BGR;  // the bitmap's own byte order
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_width != width || cinfo.output_height != height || cinfo.output_components != 3 ||
      !job->decoded->Create(int(width), int(height))) {
    job->failure = "JPEG output not usable";
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = job->decoded->GetRow(int(cinfo.output_scanline));
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
      job->failure = "JPEG stream ended early";
      jpeg_destroy_decompress(&cinfo);
      return false;
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

struct EncodeJob {
  const Bitmap* picture;
  int quality;
  JpegScans scans;
  unsigned char* buffer;  // allocated by libjpeg's memory destination; freed by the caller
  unsigned long size;
};

bool RunEncode(EncodeJob* job, ErrorManager* errors) {
  jpeg_compress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = &errors->pub;
  if (setjmp(errors->jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &job->buffer, &job->size);
  cinfo.image_width = JDIMENSION(job->picture->GetWidth());
  cinfo.image_height = JDIMENSION(job->picture->GetHeight());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, job->quality, TRUE);
  if (job->scans == JpegScans::kProgressive) jpeg_simple_progression(&cinfo);
  if (job->scans == JpegScans::kPerCoefficient) {
    // All DC coefficients first, then every AC coefficient of every component in a scan of its own.
    const int count = 1 + 3 * (DCTSIZE2 - 1);
    jpeg_scan_info* script = static_cast<jpeg_scan_info*>((*cinfo.mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, sizeof(jpeg_scan_info) * count));
    std::memset(script, 0, sizeof(jpeg_scan_info) * count);
    script[0].comps_in_scan = 3;
    for (int c = 0; c < 3; ++c)
      script[0].component_index[c] = c;
    for (int c = 0, i = 1; c < 3; ++c)
      for (int k = 1; k < DCTSIZE2; ++k, ++i) {
        script[i].comps_in_scan = 1;
        script[i].component_index[0] = c;
        script[i].Ss = k;
        script[i].Se = k;
      }
    cinfo.scan_info = script;
    cinfo.num_scans = count;
  }
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(job->picture->GetRow(int(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, const JpegLimits& limits, Bitmap& picture,
                std::string* why) {
  if (!data || size == 0) {
    if (why) *why = "empty JPEG stream";
    return false;
  }
  Bitmap decoded;
  ErrorManager errors;
  InitErrors(errors);
  ProgressManager progress;
  std::memset(&progress, 0, sizeof progress);
  progress.maxScans = limits.maxScans;
  DecodeJob job{data, size, limits, &decoded, nullptr};
  if (!RunDecode(&job, &errors, &progress)) {
    if (why) {
      if (progress.tooManyScans)
        *why = "JPEG has too many scans";
      else
        *why = job.failure ? job.failure : errors.message;
    }
    return false;
  }
  // Offsets, key and instruction stay with the picture; only the pixels are new.
  const int32_t ox = picture.offsetX, oy = picture.offsetY, key = picture.colorKey;
  const int32_t transparency = picture.transparency;
  picture.ShareFrom(&decoded);
  picture.offsetX = ox;
  picture.offsetY = oy;
  picture.colorKey = key;
  picture.transparency = transparency;
  return true;
}

bool EncodeJpeg(const Bitmap& picture, int quality, std::vector<uint8_t>& out, JpegScans scans) {
  out.clear();
  if (!picture.HasPixels() || picture.GetWidth() < 1 || picture.GetHeight() < 1) return false;
  ErrorManager errors;
  InitErrors(errors);
  EncodeJob job{&picture, quality < 1 ? 1 : quality > 100 ? 100 : quality, scans, nullptr, 0};
  const bool ok = RunEncode(&job, &errors);
  if (ok && job.buffer) out.assign(job.buffer, job.buffer + job.size);
  std::free(job.buffer);
  return ok && !out.empty();
}
