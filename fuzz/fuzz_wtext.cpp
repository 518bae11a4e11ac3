// Drives a text field with keys, pastes of arbitrary bytes, selections and
// limit changes, and checks after each step that the text stays valid UTF-8
// within its limit and that cursor and selection stay inside it.
#include <cstdlib>
#include <cstring>
#include <string>

#include "lib1/plat/Utf8.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WText.h"
#include "tests/support/WidgetHost.h"

namespace {

void check(const wvw::WText& t) {
  int len = (int)std::strlen(t.getText());
  int anchor = t.getCursor() + t.getSelLength();
  if (len > t.getMaxLen() || !plat::isValidUtf8(t.getText()) || t.getCursor() < 0 ||
      t.getCursor() > len || anchor < 0 || anchor > len)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  gwtest::WidgetHost host(plat::Point(120, 24));
  wvw::WText field(data[0], nullptr, false);
  host.host(&field);
  host.focusWindow(true);
  namespace ks = fb::keysym;
  static const unsigned keys[] = {ks::Left,      ks::Right,  ks::Home,       ks::End,
                                  ks::BackSpace, ks::Delete, ks::dead_acute, ks::Tab};
  static const unsigned mods[] = {0, ks::Shift_L, ks::Control_L, ks::Alt_L};
  size_t i = 1;
  while (i + 2 < size) {
    uint8_t op = data[i], a = data[i + 1], b = data[i + 2];
    i += 3;
    switch (op % 8) {
      case 0:  // a character keysym, Latin-1 or beyond
        host.press(a | (b & 1) << 8);
        break;
      case 1:
        if (mods[b % 4])
          host.press(keys[a % 8], {mods[b % 4]});
        else
          host.press(keys[a % 8]);
        break;
      case 2: {  // paste the next a bytes
        size_t n = std::min<size_t>(a, size - i);
        host.cutText.assign(reinterpret_cast<const char*>(data + i), n);
        i += n;
        field.editCommand(wvw::WText::Paste);
        break;
      }
      case 3:
        field.select(a - 8, b - 8);
        break;
      case 4:
        field.setMaxLen(a);
        break;
      case 5:
        field.masked = b & 1;
        field.editCommand(wvw::WText::Copy);
        break;
      case 6:
        host.pointer(plat::Point(a % 120, 12), b & 1);
        break;
      default:
        field.setCursorPos(a - 8, b & 1);
        break;
    }
    check(field);
  }
  host.render();
  host.unhost();
  return 0;
}
