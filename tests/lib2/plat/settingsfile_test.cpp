#include "lib2/plat/SettingsFile.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/StringParameter.h"
#include "lib2/plat/EscapedValue.h"
#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace plat;
using namespace gwtest;

namespace {

struct Settings : testing::Test {
  TempDir dir;
  Configuration conf{"Test"};
  StringParameter log{"Log", "", "", false, &conf};
  StringParameter other{"Other", "", "", false, &conf};
  BoolParameter compact{"CompactLog", "", false, false, &conf};

  std::string read(const std::string& content) {
    return failureOf([&] { readFromFile(&conf, dir.write("f", content).c_str(), 50); });
  }
};

}  // namespace

// A name alone sets a boolean and leaves other kinds as they were.
TEST_F(Settings, LinesReadAsWritten) {
  // The file, then the value of Log and the failure it gives.
  const char* rows[][3] = {
      {"  Log=C:\\\\temp  \r\n", "C:\\temp", "(none)"},
      {"Log = x\n# Log=y\n", "before", "(none)"},  // names "Log " and "# Log"
      {"CompactLog\nLog\n", "before", "(none)"},
      {"Log=x\nLog=C:\\temp\n", "x", "bad escape code 0x74"},
      {"Log=x\\", "before", "bad escape code 0x00"},
      {"Log=\\\x80", "before", "bad escape code 0xffffff80"},
  };
  for (const auto& r : rows) {
    log.setParam("before", 50);
    EXPECT_EQ(read(r[0]), r[2]) << r[0];
    EXPECT_STREQ(log.getValue(), r[1]) << r[0];
  }
  EXPECT_TRUE(compact.getValue());
}

TEST_F(Settings, OverlongLineStopsAfterEarlierSettings) {
  EXPECT_EQ(read("Log=kept\nOther=" + std::string(262144, 'x') + "\n"),
            "String exceeds maximum length");
  EXPECT_STREQ(log.getValue(), "kept");
}

TEST_F(Settings, MergeSortsAndKeepsFirstSpelling) {
  std::string f = dir.write("m", "b=2\nA=1\nlog=x\n");
  mergeParamToFile(f.c_str(), "Log", EscapedValue("n\r"), false);
  EXPECT_EQ(readFile(f), "A=1\nb=2\nlog=n\\\\r\n");
}

TEST_F(Settings, DeleteFromAMissingFileCreatesNothing) {
  deleteParamFromFile(dir.file("none").c_str(), "A", false);
  EXPECT_EQ(readFile(dir.file("none")), "(missing)");
}

TEST_F(Settings, DiffsWithoutChangeLeaveFileUntouched) {
  Configuration reference(conf);
  std::string f = dir.write("w", "z=1\na=2\n");
  writeDiffsToFile(&conf, f.c_str(), &reference);
  EXPECT_EQ(readFile(f), "z=1\na=2\n");
  log.setParam("changed", 50);
  writeDiffsToFile(&conf, f.c_str(), &reference);
  EXPECT_EQ(readFile(f), "a=2\nLog=changed\nz=1\n");
}
