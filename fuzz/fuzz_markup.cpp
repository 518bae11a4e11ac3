// The caret mark-up parser, the stripper and the layout over arbitrary
// bytes. Bad mark-up may throw our exceptions; anything else (a crash, a
// hang, a read past the text, a layout that loses or repeats text) is a bug.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lib1/plat/Exception.h"
#include "lib1/plat/MarkUp.h"
#include "lib1/plat/MarkUpLayout.h"

namespace {

namespace mu = plat::MarkUp;

void check(bool ok) {
  if (!ok) abort();
}

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// A fixed-width font with a different width per font. It checks that the
// pieces of each item are consecutive ranges of it, in order, and that only
// blanks, tabs and newlines are left out.
struct Checker : mu::Layout::Callback, mu::Handler {
  explicit Checker(int width) : layout(this, width) {}

  void markUpItem(const char* text, mu::Font font, int link, bool halfLine) override {
    itemEnd = text + strlen(text);
    cursor = text;
    check(*text != 0);
    check(!halfLine || strcmp(text, "\n") == 0);
    all += text;
    layout.markUpItem(text, font, link, halfLine);
    for (; cursor < itemEnd; cursor++) check(isSeparator(*cursor));
  }
  void markUpMarginOp(char op) override {
    check(strchr("+-0@", op) != nullptr);
    layout.markUpMarginOp(op);
  }

  void setFontAndLinkId(mu::Font f, int link) override {
    check(f >= 0 && f <= 2);
    check(link == 0 || f == mu::FontUnderline);
    charWidth = 9 + f;
  }
  int getFontHeight() override { return 12; }
  int getTextWidth(const char* b, const char* e) override {
    check(b <= e && e <= itemEnd);
    return int(e - b) * charWidth;
  }
  void addItem(const char* b, const char* e, const plat::Rect& r) override {
    check(cursor <= b && b <= e && e <= itemEnd);
    for (; cursor < b; cursor++) check(isSeparator(*cursor));
    cursor = e;
    check(r.width() == int(e - b) * charWidth);
    check(r.height() == 12 || r.height() == 6);
  }

  mu::Layout layout;
  const char* itemEnd = nullptr;
  const char* cursor = nullptr;
  int charWidth = 0;
  std::string all;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  int width = data[0] * 4;  // 0: no limit
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  Checker checker(width);
  bool parsed = true;
  try {
    mu::parse(text.c_str(), &checker);
  } catch (const plat::Exception&) {
    parsed = false;
  }
  check(checker.layout.getExtent().x >= 0 && checker.layout.getExtent().y >= 0);

  try {
    mu::Stripper stripped(text.c_str());
    check(parsed);
    check(checker.all == stripped.get());
    check(strlen(stripped.get()) <= strlen(text.c_str()));
  } catch (const plat::Exception&) {
    check(!parsed);
  }
  return 0;
}
