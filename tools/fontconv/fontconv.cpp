// Renders outline fonts with FreeType into the packed 1-bit bitmap font
// format that the program embeds, gzip-compressed.
//
//   fontconv OUT.gz LINE_HEIGHT PIXEL_SIZE ASCENT PAGES PRIMARY.ttf [FALLBACK.ttf ...]
//
// PAGES is a comma-separated list of page bases in hex (page 0 is always
// there). A character comes from the first face that has it; one that no
// face has, and every control character, repeats code point 0's glyph, a
// hollow box. Identical bitmaps are stored once. The output depends only on
// the inputs, so regenerating gives the same bytes.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Glyph {
  uint32_t offset = 0;
  uint16_t advance = 0;
  int8_t xOffset = 0;
  int8_t yOffset = 0;
  uint8_t width = 0;
  uint8_t rows = 0;
};

[[noreturn]] void die(const char* what, const char* detail = "") {
  fprintf(stderr, "fontconv: %s%s\n", what, detail);
  exit(1);
}

class Writer {
 public:
  void u8(unsigned v) { out.push_back(uint8_t(v)); }
  void u16(unsigned v) {
    u8(v >> 8);
    u8(v);
  }
  void u32(uint32_t v) {
    u16(v >> 16);
    u16(v & 0xffff);
  }
  std::vector<uint8_t> out;
};

struct Converter {
  std::vector<FT_Face> faces;
  int ascent = 0;
  std::vector<uint8_t> bitmaps;
  std::map<std::vector<uint8_t>, uint32_t> shared;

  uint32_t store(const std::vector<uint8_t>& bits) {
    auto it = shared.find(bits);
    if (it != shared.end()) return it->second;
    uint32_t offset = uint32_t(bitmaps.size());
    bitmaps.insert(bitmaps.end(), bits.begin(), bits.end());
    shared.emplace(bits, offset);
    return offset;
  }

  // A hollow box as wide as "n", standing on the baseline at x-height
  // rounded up to the cap height.
  Glyph box(int advance, int capHeight) {
    Glyph g;
    int w = advance - 2, h = capHeight;
    g.advance = uint16_t(advance);
    g.xOffset = 1;
    g.yOffset = int8_t(ascent - h);
    g.width = uint8_t(w);
    g.rows = uint8_t(h);
    int stride = (w + 7) / 8;
    std::vector<uint8_t> bits(size_t(stride) * h);
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++)
        if (y == 0 || y == h - 1 || x == 0 || x == w - 1)
          bits[size_t(y) * stride + x / 8] |= uint8_t(0x80 >> (x % 8));
    g.offset = store(bits);
    return g;
  }

  bool render(uint32_t cp, Glyph* g) {
    for (FT_Face face : faces) {
      FT_UInt index = FT_Get_Char_Index(face, cp);
      if (!index) continue;
      if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME))
        die("cannot render a glyph");
      FT_GlyphSlot slot = face->glyph;
      const FT_Bitmap& bm = slot->bitmap;
      if (bm.width > 255 || bm.rows > 255) die("glyph too large");
      g->advance = uint16_t((slot->advance.x + 32) >> 6);
      g->xOffset = int8_t(slot->bitmap_left);
      g->yOffset = int8_t(ascent - slot->bitmap_top);
      g->width = uint8_t(bm.width);
      g->rows = uint8_t(bm.rows);
      int stride = (int(bm.width) + 7) / 8;
      std::vector<uint8_t> bits(size_t(stride) * bm.rows);
      for (unsigned y = 0; y < bm.rows; y++)
        memcpy(&bits[size_t(y) * stride], bm.buffer + long(y) * bm.pitch, stride);
      g->offset = bits.empty() ? 0 : store(bits);
      return true;
    }
    return false;
  }
};

bool isControl(uint32_t cp) { return cp < 0x20 || (cp >= 0x7f && cp < 0xa0); }

void writeGzip(const char* path, const std::vector<uint8_t>& data) {
  z_stream zs{};
  if (deflateInit2(&zs, 9, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK) die("deflateInit2");
  std::vector<uint8_t> out(deflateBound(&zs, data.size()) + 64);
  zs.next_in = const_cast<uint8_t*>(data.data());
  zs.avail_in = uInt(data.size());
  zs.next_out = out.data();
  zs.avail_out = uInt(out.size());
  if (deflate(&zs, Z_FINISH) != Z_STREAM_END) die("deflate");
  out.resize(zs.total_out);
  deflateEnd(&zs);
  FILE* f = fopen(path, "wb");
  if (!f || fwrite(out.data(), 1, out.size(), f) != out.size() || fclose(f) != 0)
    die("cannot write ", path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 7)
    die("usage: fontconv OUT.gz LINE_HEIGHT PIXEL_SIZE ASCENT PAGES PRIMARY.ttf [FALLBACK.ttf "
        "...]");
  int lineHeight = atoi(argv[2]), pixelSize = atoi(argv[3]);
  Converter conv;
  conv.ascent = atoi(argv[4]);
  std::vector<uint32_t> pages;
  for (char* s = argv[5]; *s;) {
    char* next;
    pages.push_back(uint32_t(strtoul(s, &next, 16)));
    if (pages.back() % 128 || next == s) die("bad page list ", argv[5]);
    s = *next == ',' ? next + 1 : next;
  }
  FT_Library lib;
  if (FT_Init_FreeType(&lib)) die("FreeType does not start");
  for (int i = 6; i < argc; i++) {
    FT_Face face;
    if (FT_New_Face(lib, argv[i], 0, &face)) die("cannot open ", argv[i]);
    if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize))) die("cannot size ", argv[i]);
    conv.faces.push_back(face);
  }

  Glyph n, cap;
  if (!conv.render('n', &n) || !conv.render('H', &cap)) die("the first face lacks n or H");
  Glyph missing = conv.box(n.advance, cap.rows);

  std::vector<uint32_t> all{0};
  all.insert(all.end(), pages.begin(), pages.end());
  Writer w;
  w.u16(unsigned(lineHeight));
  w.u16(unsigned(pages.size()));
  for (uint32_t base : pages) w.u32(base);
  for (uint32_t base : all) {
    for (uint32_t cp = base; cp < base + 128; cp++) {
      Glyph g;
      if (cp == 0 || isControl(cp) || !conv.render(cp, &g)) g = missing;
      w.u32(g.offset);
      w.u16(g.advance);
      w.u8(uint8_t(g.xOffset));
      w.u8(uint8_t(g.yOffset));
      w.u8(g.width);
      w.u8(g.rows);
    }
  }
  w.out.insert(w.out.end(), conv.bitmaps.begin(), conv.bitmaps.end());
  writeGzip(argv[1], w.out);
  for (FT_Face face : conv.faces) FT_Done_Face(face);
  FT_Done_FreeType(lib);
  return 0;
}
