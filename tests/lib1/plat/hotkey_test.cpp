#include "lib1/plat/Hotkey.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The compacted text, then "=" with the hotkey and "@" its index (-1: none).
std::string hotkey(const char* in) {
  std::string buf(in);
  char* at = buf.data();
  int code = plat::processHotkeyText(buf.data(), &at);
  return std::string(buf.c_str()) + "=" + std::to_string(code) + "@" +
         std::to_string(at ? at - buf.data() : -1);
}

TEST(Hotkey, Markers) {
  EXPECT_EQ(hotkey("&File"), "File=70@0");
  EXPECT_EQ(hotkey("Save && E&xit"), "Save & Exit=120@8");
  EXPECT_EQ(hotkey("&a&b"), "ab=97@0");
  EXPECT_EQ(hotkey("end&"), "end=0@-1");
  EXPECT_EQ(hotkey("&&&&"), "&&=0@-1");
  EXPECT_EQ(hotkey("Gr&\xC3\xBC\xC3\x9F"), "Gr\xC3\xBC\xC3\x9F=252@2");
  EXPECT_EQ(hotkey("&\xE2\x82"), "\xE2\x82=0@-1");  // a cut-off character is no hotkey
  EXPECT_EQ(plat::processHotkeyText(nullptr, nullptr), 0);
}

}  // namespace
