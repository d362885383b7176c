#include "launcher/JpegImage.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace zelmar {
namespace {

// libjpeg reports fatal errors through this handler; it jumps back to the decoder's recovery point.
struct ErrorTrap {
  jpeg_error_mgr Manager;
  std::jmp_buf Recovery;
};

void OnFatalError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->Recovery, 1);
}

// Warnings (a truncated file, bad data) count as failures too: a half picture is not shown.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0) std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->Recovery, 1);
}

// Runs the decompressor on `info`, whose source is already set; no C++ objects with destructors
// live in this frame, so the error jump is safe.
bool Decompress(jpeg_decompress_struct& info, RgbImage& image) {
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  info.out_color_space = JCS_RGB;
  if (!jpeg_start_decompress(&info)) return false;
  if (info.output_components != 3 || info.output_width == 0 || info.output_height == 0) return false;
  image.Width = static_cast<int>(info.output_width);
  image.Height = static_cast<int>(info.output_height);
  image.Pixels.resize(static_cast<std::size_t>(image.Width) * image.Height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.Pixels.data() + static_cast<std::size_t>(info.output_scanline) * image.Width * 3;
    if (jpeg_read_scanlines(&info, &row, 1) != 1) return false;
  }
  return jpeg_finish_decompress(&info) != 0;
}

}  // namespace

bool DecodeJpeg(std::span<const unsigned char> data, RgbImage& image) {
  image = RgbImage{};
  if (data.empty()) return false;
  jpeg_decompress_struct info{};
  ErrorTrap trap{};
  info.err = jpeg_std_error(&trap.Manager);
  trap.Manager.error_exit = OnFatalError;
  trap.Manager.emit_message = OnMessage;
  volatile bool ok = false;
  if (setjmp(trap.Recovery) == 0) {
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    ok = Decompress(info, image);
  }
  jpeg_destroy_decompress(&info);
  if (!ok) image = RgbImage{};
  return ok;
}

}  // namespace zelmar
