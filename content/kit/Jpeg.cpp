#include "content/kit/Jpeg.h"

#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace zelmar::content {

bool WriteJpeg(const std::string& path, const Image& img, int quality) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = static_cast<JDIMENSION>(img.Width());
  cinfo.image_height = static_cast<JDIMENSION>(img.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = TRUE;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(img.Width()) * 3);
  for (int y = 0; y < img.Height(); ++y) {
    for (int x = 0; x < img.Width(); ++x) {
      const uint32_t argb = ToArgb(img.At(x, y));
      row[x * 3] = static_cast<JSAMPLE>(argb >> 16);
      row[x * 3 + 1] = static_cast<JSAMPLE>(argb >> 8);
      row[x * 3 + 2] = static_cast<JSAMPLE>(argb);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  const bool ok = std::fflush(file) == 0 && !std::ferror(file);
  return std::fclose(file) == 0 && ok;
}

}  // namespace zelmar::content
