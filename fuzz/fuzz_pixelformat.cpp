// Pixel-format texts against a plain reference reading of the names, with the
// description of every accepted text parsed back; then the same bytes as a
// 16-byte wire record, which must read back unchanged once written, and whose
// conversions and description must run whatever its fields hold.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/MemOutStream.h"
#include "lib2/fb/ColourCube.h"
#include "lib2/fb/PixelFormat.h"

namespace {

// The depth a name stands for, or 0 when it is no name.
int referenceDepth(std::string t) {
  for (char& c : t) c = char(tolower(static_cast<unsigned char>(c)));
  if (t.rfind("pal", 0) == 0) {
    std::string n = t.substr(3);
    if (n.empty() || n.find_first_not_of("0123456789") != std::string::npos) return 0;
    n.erase(0, n.find_first_not_of('0'));
    return n.size() == 1 && n[0] <= '8' ? n[0] - '0' : 0;
  }
  if (t.size() != 6 || (t.rfind("rgb", 0) != 0 && t.rfind("bgr", 0) != 0)) return 0;
  int depth = 0;
  for (int i = 3; i < 6; i++) {
    if (t[i] < '1' || t[i] > '9') return 0;
    depth += t[i] - '0';
  }
  return depth;
}

void fail(const char* what, const std::string& text) {
  fprintf(stderr, "%s: '%s'\n", what, text.c_str());
  abort();
}

std::string wire(const fb::PixelFormat& pf) {
  rdr::MemOutStream out;
  pf.write(&out);
  return std::string(reinterpret_cast<const char*>(out.data()), size_t(out.length()));
}

void checkText(const std::string& text) {
  fb::PixelFormat pf = fb::PixelFormat::argb8();
  fb::PixelFormat before = pf;
  bool ok = pf.parse(text.c_str());
  int depth = referenceDepth(text);
  if (ok != (depth != 0)) fail("acceptance differs", text);
  if (!ok) {
    if (wire(pf) != wire(before)) fail("rejected text changed the format", text);
    return;
  }
  if (pf.depth != depth) fail("depth differs", text);
  plat::SString<128> s;
  pf.toString(&s);
  std::string d = s.get();
  // The last word of the description (before the alpha part) names it again.
  std::string marker = pf.bpp == 8 ? "bpp) " : "endian ";
  std::string name = d.find("colour-map") != std::string::npos
                         ? "pal" + std::to_string(pf.depth)
                         : d.substr(d.find(marker) + marker.size(), 6);
  fb::PixelFormat again = fb::PixelFormat::argb8();
  if (!again.parse(name.c_str()) || wire(again) != wire(pf))
    fail("description does not parse back", text);
}

void checkRecord(const uint8_t* data) {
  rdr::MemInStream in(data, 16);
  fb::PixelFormat pf;
  pf.read(&in);
  std::string once = wire(pf);
  rdr::MemInStream again(once.data(), 16);
  fb::PixelFormat reread;
  reread.read(&again);
  if (wire(reread) != once) fail("record does not read back", once);
  plat::SString<128> s;
  pf.toString(&s);
  fb::ColourCube cube(2, 3, 4);
  fb::ColourWithAlpha c;
  unsigned pixel =
      unsigned(data[0]) << 24 | unsigned(data[5]) << 16 | unsigned(data[9]) << 8 | data[13];
  pf.pixelToRgba8(pixel, &c, &cube);
  if (c.r < 0 || c.r > 255 || c.g < 0 || c.g > 255 || c.b < 0 || c.b > 255 || c.a < 0 || c.a > 255)
    fail("colour out of range", s.get());
  pf.rgba8ToPixel(c, &cube);
  fb::PixelFormat native = pf;
  native.makeNativeEndian();
  native.align();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 64) return 0;
  std::string text(reinterpret_cast<const char*>(data), size);
  checkText(text.c_str());  // parse reads a C string
  if (size >= 16) checkRecord(data);
  return 0;
}
