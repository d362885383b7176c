#include "launcher/JpegImage.h"

#include <vector>

#include <gtest/gtest.h>

#include "zelmar_launcher_picture.h"

namespace zelmar {
namespace {

TEST(JpegImage, CarriedPictureDecodesAtLauncherSize) {
  RgbImage image;
  ASSERT_TRUE(DecodeJpeg(LauncherPicture("launcher.jpg"), image));
  EXPECT_EQ(image.Width, 630);
  EXPECT_EQ(image.Height, 360);
  EXPECT_EQ(image.Pixels.size(), 630u * 360u * 3u);
}

TEST(JpegImage, DamagedDataIsRefused) {
  const auto picture = LauncherPicture("launcher.jpg");
  ASSERT_FALSE(picture.empty());
  std::vector<unsigned char> bytes(picture.begin(), picture.end());
  RgbImage image;
  // Cut short, header only, not a JPEG at all, nothing.
  EXPECT_FALSE(DecodeJpeg(std::span(bytes).first(bytes.size() / 2), image));
  EXPECT_FALSE(DecodeJpeg(std::span(bytes).first(200), image));
  const unsigned char text[] = "[Options]\nLang=2\n";
  EXPECT_FALSE(DecodeJpeg(text, image));
  EXPECT_FALSE(DecodeJpeg({}, image));
  EXPECT_TRUE(image.Pixels.empty());
  // Scrambled entropy data after an intact header.
  for (std::size_t i = 600; i < bytes.size() - 2; i += 7) bytes[i] ^= 0x5A;
  RgbImage scrambled;
  (void)DecodeJpeg(bytes, scrambled);  // any outcome but a crash is fine; a refusal leaves it empty
  if (scrambled.Width == 0) {
    EXPECT_TRUE(scrambled.Pixels.empty());
  }
}

}  // namespace
}  // namespace zelmar
