#include <gtest/gtest.h>

#include <string>

#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/MemOutStream.h"
#include "libs/fb/AuthMethods.h"
#include "tests/support/Failure.h"

TEST(AuthMethods, EmptyListIsTwoZeroBytes) {
  const std::string bytes(2, '\0');
  rdr::MemInStream in(bytes.data(), 2);
  rdr::MemOutStream out;
  fb::AuthMethods(&in).serializeOut(&out);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data()), out.length()), bytes);
}

TEST(AuthMethods, RecordCutShortAnywhereThrowsEndOfStream) {
  const std::string record("\0\2\0\1\0\0\0\4\0\3abc", 13);
  for (size_t n = 0; n < record.size(); n++) {
    rdr::MemInStream in(record.data(), int(n));
    EXPECT_THROW(fb::AuthMethods methods(&in), rdr::EndOfStream) << n;
  }
}

TEST(AuthMethods, ListTooLargeForTheRecordThrowsBeforeWritingAnything) {
  fb::AuthMethods longData, tooMany, bigNumber;
  longData.resize(2);  // the first fits: nothing of it may be written either
  longData.back().data.replace(new unsigned char[70000](), 70000);
  tooMany.resize(65536);
  bigNumber.emplace_back().num = 65536;
  for (const fb::AuthMethods* m : {&longData, &tooMany, &bigNumber}) {
    rdr::MemOutStream out;
    EXPECT_NE(gwtest::failureOf([&] { m->serializeOut(&out); }), "(none)");
    EXPECT_EQ(out.length(), 0);
  }
}
