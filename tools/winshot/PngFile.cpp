#include "tools/winshot/PngFile.h"

#include <png.h>
#include <stdio.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace winshot {

void savePng(const Picture& picture, const std::string& path) {
  if (picture.empty()) throw std::runtime_error("no picture to save in " + path);
  std::vector<png_byte> rgb;
  rgb.reserve(picture.pixels.size() * 3);
  for (uint32_t p : picture.pixels) {
    rgb.push_back(png_byte(p >> 16));
    rgb.push_back(png_byte(p >> 8));
    rgb.push_back(png_byte(p));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(picture.width);
  image.height = png_uint_32(picture.height);
  image.format = PNG_FORMAT_RGB;
  std::string part = path + ".part";
  FILE* f = fopen(part.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path + ": " + part + ": " + strerror(errno));
  bool written = png_image_write_to_stdio(&image, f, 0, rgb.data(), 0, nullptr);
  std::string why = written ? "" : image.message;
  png_image_free(&image);
  if (fclose(f) != 0 && written) {
    written = false;
    why = strerror(errno);
  }
  if (!written) {
    remove(part.c_str());
    throw std::runtime_error("cannot write " + path + ": " + why);
  }
  if (rename(part.c_str(), path.c_str()) != 0) {
    why = strerror(errno);
    remove(part.c_str());
    throw std::runtime_error("cannot write " + path + ": " + why);
  }
}

}  // namespace winshot
