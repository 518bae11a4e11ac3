#include "lib1/plat/Exception.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

namespace {

std::string errText(int e) { return strerror(e) + (" (" + std::to_string(e) + ")"); }

}  // namespace

TEST(SystemException, MessageNamesTheCallAndTheErrorWithItsNumber) {
  EXPECT_STREQ(plat::SystemException("x", 0).str(), "x: Success (0)");
  EXPECT_EQ(plat::SystemException(nullptr, ENOENT).str(), errText(ENOENT));  // no leading ": "
  EXPECT_EQ(plat::SystemExceptionFmt("fileOpen(%s)", ENOENT, "/tmp/x").str(),
            "fileOpen(/tmp/x): " + errText(ENOENT));
  errno = EACCES;  // read after the formatting
  plat::StdlibException std("open(%d)", 7);
  EXPECT_EQ(std.str(), "open(7): " + errText(EACCES));
}

TEST(Exception, LongTextIsCutOnACharacterBoundary) {
  // A character of 2, 3 and 4 bytes starting at byte 254 cannot fit.
  for (const char* ch : {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"}) {
    std::string text = std::string(254, 'a') + ch + std::string(44, 'b');
    EXPECT_EQ(plat::ExceptionFmt("%s", text.c_str()).msg.length(), 254) << ch;
    EXPECT_EQ(plat::Exception(text.c_str()).msg.length(), 254);
  }
  EXPECT_EQ(plat::Exception("m", std::string(40, 't').c_str()).type.length(), 31);
  // The error number suffix is lost on a long message, nothing else.
  EXPECT_EQ(plat::SystemException(std::string(253, 'x').c_str(), ENOENT).msg.length(), 255);
  EXPECT_EQ(plat::AssertionFail("e", "f", 1).fmt("%s", std::string(400, 'd').c_str()).msg.length(),
            255);
}

TEST(BadUtf8DeathTest, HookTurnsConstructionIntoAnAbort) {
  // `_BadUtf8Assert` installs a hook of its own: put it back.
  auto* installed = plat::BadUtf8::assertHook;
  plat::BadUtf8::assertHook = nullptr;
  EXPECT_STREQ(plat::BadUtf8(1, "Bad UTF-8 string for %s", "P").str(), "Bad UTF-8 string for P");
  plat::BadUtf8::assertHook = [] { return true; };
  EXPECT_EXIT(plat::BadUtf8(1, "Bad UTF-8 string for %s", "P"), testing::KilledBySignal(SIGABRT),
              "^Assertion '0' failed at lib1/plat/Exception.cpp:[0-9]+: Bad UTF-8 string for P\n$");
  EXPECT_EXIT(plat::BadUtf8("text"), testing::KilledBySignal(SIGABRT), ": text\n$");
  plat::BadUtf8::assertHook = installed;
}
