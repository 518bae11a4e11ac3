// Renders outline fonts with FreeType into the packed 1-bit bitmap font
// format that the program embeds, gzip-compressed.
//
//   fontconv [--quotes-from-comma] OUT.gz LINE_HEIGHT PIXEL_SIZE ASCENT PAGES PRIMARY.ttf
//            [FALLBACK.ttf ...]
//
// PAGES is a comma-separated list of page bases in hex (page 0 is always
// there). A character comes from the first face that has it; one that no
// face has, and every control character, repeats code point 0's glyph, a
// hollow box. Identical bitmaps are stored once. The output depends only on
// the inputs, so regenerating gives the same bytes.
//
// Every glyph is kept inside the line, because widgets draw text without
// padding and cut whatever stands outside it. A 13-pixel em leaves two rows
// above the capitals, so an accent over a capital comes out of the hinter one
// row or two above the top. Such a glyph loses rows until it fits: first a
// second blank row between accent and letter, then two rows of the letter
// joined into one (those most alike, usually a repeated row), so the letter
// grows a row shorter while the accent keeps its shape and its gap and stays
// as distinct as it was; only a glyph with neither is cut at the top. A glyph
// reaching below the line moves up if there is room, else is cut.
//
// Every glyph with an advance also keeps clear of its neighbours: its ink
// starts at its origin or right of it and leaves the last column of its
// advance blank, so that two glyphs side by side always have a blank column
// between them. At 13 pixels the hinter gives many glyphs no side bearing at
// all ("0", "A", "w", "f"), and "1000" would run into a grid. The ink moves
// sideways as little as it can within the advance; only ink too wide for it
// widens the advance, leaving the blank column on the right. The ten figures
// share one advance, as in the outline font, so that numbers in columns line
// up. The low line and its kin are left as they are, to run on unbroken, and
// so are the marks without an advance, which fall on the letter before them.
//
// --quotes-from-comma builds the six typographic quotes from the comma (‚ as
// it is, ’ raised to the capitals' top, ‘ turned about, the double ones
// paired), for a face whose hinted quotes come out as bars or blots.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// A 1-bit picture, one byte string per row, 8 pixels a byte, leftmost in
// the high bit.
struct Picture {
  int width = 0;
  std::vector<std::vector<uint8_t>> rows;

  bool at(int x, int y) const { return rows[size_t(y)][size_t(x / 8)] & (0x80 >> (x % 8)); }
  void set(int x, int y) { rows[size_t(y)][size_t(x / 8)] |= uint8_t(0x80 >> (x % 8)); }
  bool blank(int y) const {
    for (uint8_t b : rows[size_t(y)])
      if (b) return false;
    return true;
  }
  int height() const { return int(rows.size()); }
};

Picture blankPicture(int width, int height) {
  Picture p;
  p.width = width;
  p.rows.assign(size_t(height), std::vector<uint8_t>(size_t((width + 7) / 8)));
  return p;
}

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

// The first and last columns that pic inks; false when it has no ink.
bool inkedColumns(const Picture& pic, int* first, int* last) {
  *first = pic.width;
  *last = -1;
  for (int y = 0; y < pic.height(); y++)
    for (int x = 0; x < pic.width; x++)
      if (pic.at(x, y)) *first = std::min(*first, x), *last = std::max(*last, x);
  return *last >= 0;
}

// The advance pic needs to keep clear of its neighbours: advance, or one
// column more than its ink is wide.
int clearAdvance(const Picture& pic, int advance) {
  int first, last;
  if (advance <= 0 || !inkedColumns(pic, &first, &last)) return advance;
  return std::max(advance, last - first + 2);
}

// Moves the ink of pic, drawn xOffset right of the origin, so that it lies in
// the advance less its last column, and widens the advance to at least
// minAdvance and as far as the ink needs. A glyph without an advance (a
// combining mark) stays as it is: it is meant to fall on its neighbour.
void keepClear(const Picture& pic, int minAdvance, int* advance, int* xOffset) {
  int first, last;
  if (*advance <= 0 || !inkedColumns(pic, &first, &last)) return;
  *advance = std::max(clearAdvance(pic, *advance), minAdvance);
  int width = last - first + 1;
  *xOffset = std::clamp(*xOffset + first, 0, *advance - 1 - width) - first;
}

bool isFigure(uint32_t cp) { return cp >= '0' && cp <= '9'; }

// Marks drawn to join their neighbours: the low line and the ties (‿ ⁀ ⁔),
// and the double low line and the overline, which run on as lines.
bool joinsNeighbours(uint32_t cp) {
  return cp == '_' || cp == 0x203F || cp == 0x2040 || cp == 0x2054 || cp == 0x2017 || cp == 0x203E;
}

struct Converter {
  std::vector<FT_Face> faces;
  int ascent = 0, lineHeight = 0;
  int capTop = 0;         // the row where capitals start
  int figureAdvance = 0;  // the advance every figure gets
  int lowered = 0, raised = 0, cut = 0;
  std::vector<uint8_t> bitmaps;
  std::map<std::vector<uint8_t>, uint32_t> shared;

  uint32_t store(const Picture& pic) {
    std::vector<uint8_t> bits;
    for (const auto& row : pic.rows) bits.insert(bits.end(), row.begin(), row.end());
    if (bits.empty()) return 0;
    auto it = shared.find(bits);
    if (it != shared.end()) return it->second;
    uint32_t offset = uint32_t(bitmaps.size());
    bitmaps.insert(bitmaps.end(), bits.begin(), bits.end());
    shared.emplace(bits, offset);
    return offset;
  }

  Glyph place(Picture pic, int advance, int xOffset, int top) {
    fit(&pic, &top);
    if (pic.width > 255 || pic.height() > 255) die("glyph too large");
    Glyph g;
    g.advance = uint16_t(advance);
    g.xOffset = int8_t(xOffset);
    g.yOffset = int8_t(top);
    g.width = uint8_t(pic.width);
    g.rows = uint8_t(pic.height());
    g.offset = store(pic);
    return g;
  }

  // Takes rows out of pic, whose first row stands at line row *top, until it
  // lies within the line; the bottom row stays where it was.
  void fit(Picture* pic, int* top) {
    while (pic->height() && pic->blank(0)) pic->rows.erase(pic->rows.begin()), ++*top;
    while (pic->height() && pic->blank(pic->height() - 1)) pic->rows.pop_back();
    int below = *top + pic->height() - lineHeight;
    if (below > 0) {
      int up = std::min(below, *top);
      *top -= up;
      below -= up;
      if (below > 0) cut++;
      while (below-- > 0) pic->rows.pop_back();
      if (up) raised++;
    }
    if (*top < 0) lowered++;
    while (*top < 0) {
      int y = rowsToJoin(*pic, *top);
      if (y < 0) {
        cut++;
        pic->rows.erase(pic->rows.begin());
      } else {
        for (size_t i = 0; i < pic->rows[size_t(y)].size(); i++)
          pic->rows[size_t(y)][i] |= pic->rows[size_t(y + 1)][i];
        pic->rows.erase(pic->rows.begin() + y + 1);
      }
      ++*top;
    }
  }

  // The first of two rows of pic to join into one, or -1 when no two may be
  // joined: the first two blank rows in a row, else the two rows of the
  // letter (below its gap to the accent) that differ in the fewest pixels,
  // nearest the letter's middle. Joining by or-ing keeps strokes connected.
  int rowsToJoin(const Picture& pic, int top) const {
    for (int y = 1; y + 1 < pic.height(); y++)
      if (pic.blank(y) && pic.blank(y + 1)) return y;
    int letter = std::max(0, capTop - top);  // first row at or below the capitals' top
    int middle = (letter + pic.height() - 1) / 2, best = -1, bestCost = 0;
    for (int y = letter; y + 1 < pic.height(); y++) {
      if (pic.blank(y) || pic.blank(y + 1)) continue;
      int cost = 0;
      for (int x = 0; x < pic.width; x++) cost += pic.at(x, y) != pic.at(x, y + 1);
      if (best < 0 || cost < bestCost ||
          (cost == bestCost && std::abs(y - middle) < std::abs(best - middle))) {
        best = y;
        bestCost = cost;
      }
    }
    return best;
  }

  // A hollow box as wide as "n", standing on the baseline, as tall as the
  // capitals.
  Glyph box(int advance) {
    int w = advance - 2, h = ascent - capTop;
    Picture pic = blankPicture(w, h);
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++)
        if (y == 0 || y == h - 1 || x == 0 || x == w - 1) pic.set(x, y);
    return place(pic, advance, 1, capTop);
  }

  // The glyph as the hinter draws it, before fitting: its picture, advance,
  // left offset and top row.
  bool render(uint32_t cp, Picture* pic, int* advance, int* xOffset, int* top) {
    for (FT_Face face : faces) {
      FT_UInt index = FT_Get_Char_Index(face, cp);
      if (!index) continue;
      if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME))
        die("cannot render a glyph");
      FT_GlyphSlot slot = face->glyph;
      const FT_Bitmap& bm = slot->bitmap;
      *pic = blankPicture(int(bm.width), int(bm.rows));
      for (unsigned y = 0; y < bm.rows; y++)
        memcpy(pic->rows[y].data(), bm.buffer + long(y) * bm.pitch, pic->rows[y].size());
      *advance = int((slot->advance.x + 32) >> 6);
      *xOffset = slot->bitmap_left;
      *top = ascent - slot->bitmap_top;
      return true;
    }
    return false;
  }

  bool glyph(uint32_t cp, Glyph* g) {
    Picture pic;
    int advance, xOffset, top;
    if (!render(cp, &pic, &advance, &xOffset, &top)) return false;
    if (!joinsNeighbours(cp)) keepClear(pic, isFigure(cp) ? figureAdvance : 0, &advance, &xOffset);
    *g = place(pic, advance, xOffset, top);
    return true;
  }
};

Picture turned(const Picture& p) {
  Picture t = blankPicture(p.width, p.height());
  for (int y = 0; y < p.height(); y++)
    for (int x = 0; x < p.width; x++)
      if (p.at(x, y)) t.set(p.width - 1 - x, p.height() - 1 - y);
  return t;
}

Picture doubled(const Picture& p) {
  Picture d = blankPicture(2 * p.width + 1, p.height());
  for (int y = 0; y < p.height(); y++)
    for (int x = 0; x < p.width; x++)
      if (p.at(x, y)) d.set(x, y), d.set(x + p.width + 1, y);
  return d;
}

// ‘ ’ ‚ “ ” „ from the comma, each one column clear of its neighbours.
std::map<uint32_t, Glyph> quotesFromComma(Converter* conv) {
  Picture comma;
  int advance, xOffset, top;
  if (!conv->render(',', &comma, &advance, &xOffset, &top)) die("the first face lacks a comma");
  conv->fit(&comma, &top);
  Picture pair = doubled(comma);
  auto make = [&](const Picture& pic, int row) {
    return conv->place(pic, xOffset + pic.width + 1, xOffset, row);
  };
  return {{0x2018, make(turned(comma), conv->capTop)},
          {0x2019, make(comma, conv->capTop)},
          {0x201A, make(comma, top)},
          {0x201C, make(turned(pair), conv->capTop)},
          {0x201D, make(pair, conv->capTop)},
          {0x201E, make(pair, top)}};
}

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
  bool quotes = argc > 1 && strcmp(argv[1], "--quotes-from-comma") == 0;
  if (quotes) argc--, argv++;
  if (argc < 7)
    die("usage: fontconv [--quotes-from-comma] OUT.gz LINE_HEIGHT PIXEL_SIZE ASCENT PAGES "
        "PRIMARY.ttf [FALLBACK.ttf ...]");
  int pixelSize = atoi(argv[3]);
  Converter conv;
  conv.lineHeight = atoi(argv[2]);
  conv.ascent = atoi(argv[4]);
  if (conv.ascent <= 0 || conv.ascent >= conv.lineHeight) die("the ascent lies outside the line");
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

  Picture scratch;
  int nAdvance, unused, capTop;
  if (!conv.render('H', &scratch, &unused, &unused, &capTop) ||
      !conv.render('n', &scratch, &nAdvance, &unused, &unused))
    die("the first face lacks n or H");
  conv.capTop = std::max(capTop, 0);
  for (uint32_t cp = '0'; cp <= '9'; cp++) {
    int advance;
    if (!conv.render(cp, &scratch, &advance, &unused, &unused))
      die("no face has the figure ", std::string(1, char(cp)).c_str());
    conv.figureAdvance = std::max(conv.figureAdvance, clearAdvance(scratch, advance));
  }
  Glyph missing = conv.box(nAdvance);
  std::map<uint32_t, Glyph> made;
  if (quotes) made = quotesFromComma(&conv);

  std::vector<uint32_t> all{0};
  all.insert(all.end(), pages.begin(), pages.end());
  Writer w;
  w.u16(unsigned(conv.lineHeight));
  w.u16(unsigned(pages.size()));
  for (uint32_t base : pages) w.u32(base);
  for (uint32_t base : all) {
    for (uint32_t cp = base; cp < base + 128; cp++) {
      Glyph g;
      if (made.count(cp))
        g = made[cp];
      else if (cp == 0 || isControl(cp) || !conv.glyph(cp, &g))
        g = missing;
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
  fprintf(stderr, "fontconv: %s: %d glyphs lowered, %d raised, %d cut to fit the line\n", argv[1],
          conv.lowered, conv.raised, conv.cut);
  for (FT_Face face : conv.faces) FT_Done_Face(face);
  FT_Done_FreeType(lib);
  return 0;
}
