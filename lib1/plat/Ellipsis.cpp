#include "lib1/plat/Ellipsis.h"

#include <cstring>
#include <memory>

#include "lib1/plat/Utf8.h"

namespace plat {

namespace {

const char kEllipsis[] = "\xE2\x80\xA6";  // U+2026

// The byte length of the text's first character.
int charLength(const char* p, const char* end) {
  unsigned char lead = static_cast<unsigned char>(*p);
  if (lead < 0x80) return 1;
  const char* q = p + 1;
  if (readUtf8NonAscii(lead, &q, int(end - p)) < 0) return 1;
  return int(q - p);
}

}  // namespace

String EllipsiseStr::get(int n) const {
  if (n <= 0) return text_;
  const char* s = text_.get() ? text_.get() : "";
  const char* end = s + strlen(s);
  int count = 0;
  for (const char* p = s; p < end; p += charLength(p, end)) count++;
  const char* cut = s;
  for (int keep = count - n; keep > 0; keep--) cut += charLength(cut, end);
  int bytes = int(cut - s);
  std::unique_ptr<char[]> buf(new char[bytes + sizeof kEllipsis]);
  memcpy(buf.get(), s, bytes);
  memcpy(buf.get() + bytes, kEllipsis, sizeof kEllipsis);
  return String::adopt(buf.release());
}

}  // namespace plat
