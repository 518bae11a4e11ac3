#include "lib2/plat/SettingsFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/FileLock.h"
#include "lib1/plat/LogParam.h"
#include "lib1/plat/StringParameter.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/FileInStream.h"
#include "lib1/rdr/MemOutStream.h"
#include "lib2/plat/EscapedValue.h"
#include "tests/support/Deadline.h"
#include "tests/support/Failure.h"
#include "tests/support/FileChecks.h"
#include "tests/support/LockHolder.h"
#include "tests/support/TempDir.h"
#include "tests/support/Text.h"

using namespace plat;
using namespace gwtest;
using namespace std::string_literals;

namespace {

struct Settings : testing::Test {
  TempDir dir;
  Configuration conf{"Test"};
  StringParameter log{"Log", "", "", false, &conf};
  StringParameter other{"Other", "", "", false, &conf};
  BoolParameter compact{"CompactLog", "", false, false, &conf};

  // The failure reading the file f with content gives, the folder left out.
  std::string read(const std::string& content) {
    std::string f = dir.write("f", content);
    std::string fault = failureOf([&] { readFromFile(&conf, f.c_str(), 50); });
    return fault.rfind(f, 0) == 0 ? fault.substr(f.size() - 1) : fault;
  }
};

}  // namespace

// A name alone sets a boolean and leaves other kinds as they were. A fault
// names the file and the line, and keeps what came before it.
TEST_F(Settings, LinesReadAsWritten) {
  const struct {
    std::string file;
    const char* log;
    const char* fault;
  } rows[] = {
      {"  Log=C:\\\\temp  \r\n", "C:\\temp", "(none)"},
      {"Log = x\n# Log=y\n", "before", "(none)"},  // names "Log " and "# Log"
      {"CompactLog\nLog\n", "before", "(none)"},
      {"Log=x\nLog=C:\\temp\n", "x", "f:2: bad escape code 0x74"},
      {"Log=x\\", "before", "f:1: bad escape code 0x00"},
      {"Log=\\\x80", "before", "f:1: bad escape code 0xffffff80"},
      {"Log=x\nLog=ab\0cd\n"s, "x", "f:2: NUL byte in setting"},  // never "ab"
  };
  for (const auto& r : rows) {
    log.setParam("before", 50);
    EXPECT_EQ(read(r.file), r.fault) << r.file;
    EXPECT_STREQ(log.getValue(), r.log) << r.file;
  }
  EXPECT_TRUE(compact.getValue());
}

TEST_F(Settings, OverlongLineStopsAfterEarlierSettings) {
  EXPECT_EQ(read("Log=kept\nOther=" + std::string(262144, 'x') + "\n"),
            "f:2: String exceeds maximum length: the line of Other is longer than the 262144 "
            "bytes a settings file can hold");
  EXPECT_STREQ(log.getValue(), "kept");
}

// All of such a line is the name, too long to show whole.
TEST_F(Settings, AnOverlongLineWithoutAValueShowsTheStartOfItsName) {
  EXPECT_EQ(read("  " + std::string(300000, 'n') + "\n"),
            "f:1: String exceeds maximum length: the line of " + std::string(64, 'n') +
                "... is longer than the 262144 bytes a settings file can hold");
}

// The complaint is made as the value takes effect, not thrown: the read
// goes on.
TEST_F(Settings, ABadLogValueInAFileIsReportedWithTheFileAndLine) {
  std::string f = dir.write("bad", "Other=x\nLog=*:stderr\nLog=*:nowhere:3\n");
  std::string said = stderrOf([&] { readFromFile(Configuration::global(), f.c_str(), 50); });
  logParam.unsetParam(50, true);
  EXPECT_EQ(said, f + ":2: Failed to parse log param element: '*:stderr'\n" + f +
                      ":3: No logger found: 'nowhere'\n");
}

// A file's value beneath one in force from elsewhere applies that one again.
TEST_F(Settings, ABadLogValueInForceFromElsewhereIsNotPutOnTheFile) {
  std::string f = dir.write("good", "Log=*::10\n");
  stderrOf([] { logParam.setParam("*:nowhere:3", 0); });
  std::string said = stderrOf([&] { readFromFile(Configuration::global(), f.c_str(), 50); });
  logParam.unsetParam(50, true);
  stderrOf([] { logParam.unsetParam(0, true); });
  EXPECT_EQ(said, "No logger found: 'nowhere'\n");
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

// What the C-stream writers leave in the file, each call flushed into it,
// reads back as written, up to the end of the input, which passes through.
TEST_F(Settings, SettingsRoundTripThroughACStream) {
  const char* rows[][2] = {
      {"Plain", "x y"}, {"None", nullptr}, {"", nullptr}, {"a", "b=\\\n\r"}, {"\\\n\r", nullptr}};
  FILE* f = tmpfile();
  for (int i = 0; i < 4; i++) writeSetting(rows[i][0], rows[i][1], f);
  writeEscapedValue(rows[4][0], f);  // read back as a name without a value
  char bytes[64] = {};
  ASSERT_GT(pread(fileno(f), bytes, sizeof bytes - 1, 0), 0);
  EXPECT_STREQ(bytes, "Plain=x y\nNone\n\na=b=\\\\\\n\\r\n\\\\\\n\\r");
  rewind(f);
  rdr::FileInStream is(f, true);
  DString line;
  for (const auto& [name, value] : rows) {
    const char* got = readSetting(&is, &line);
    EXPECT_STREQ(line.get(), name);
    EXPECT_STREQ(got ? got : "(null)", value ? value : "(null)") << name;
  }
  EXPECT_THROW(readSetting(&is, &line), rdr::EndOfStream);
}

TEST_F(Settings, SavingThroughALinkKeepsTheLink) {
  std::string real = dir.write("real", "A=1\n"), link = dir.file("link");
  ASSERT_EQ(symlink("real", link.c_str()), 0);
  mergeParamToFile(link.c_str(), "B", "2", false);
  EXPECT_EQ(readFile(real), "A=1\nB=2\n");
  struct stat st;
  EXPECT_TRUE(lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode));
}

// Each edit reads the file, changes it and puts a new one in its place:
// unguarded, the rename of one program drops what the other wrote between
// its read and its rename.
TEST_F(Settings, TwoProgramsMergingIntoOneFileKeepEachOthersSettings) {
  std::string f = dir.file("shared");
  std::vector<pid_t> programs;
  for (char who : {'a', 'b'}) {
    programs.push_back(startChild([&] {
      try {
        for (int i = 0; i < 200; i++)
          mergeParamToFile(f.c_str(), (who + std::to_string(i)).c_str(), "1", false);
        return 0;
      } catch (Exception&) {
        return 1;
      }
    }));
  }
  for (pid_t p : programs) EXPECT_EQ(exitCodeOf(p), 0);
  SettingsMap settings;
  readParamsFromFile(f.c_str(), &settings, nullptr);
  EXPECT_EQ(settings.size(), 400u);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"shared"}) << "the lock went with its holder";
}

// While another program holds the file, each kind of save waits, gives up
// with an error and leaves the file as it was.
TEST_F(Settings, ASaveThatWaitsTooLongForAnotherProgramFailsAndChangesNothing) {
  std::string f = dir.write("held", "A=1\n");
  Configuration reference(conf);
  log.setParam("changed", 50);
  LockHolder holder(f);
  int timeout = FileLock::defaultTimeoutMs;
  FileLock::defaultTimeoutMs = 20;
  const struct {
    const char* name;
    std::function<void()> save;
  } rows[] = {
      {"merge", [&] { mergeParamToFile(f.c_str(), "B", "2", false); }},
      {"delete", [&] { deleteParamFromFile(f.c_str(), "A", false); }},
      {"differences", [&] { writeDiffsToFile(&conf, f.c_str(), &reference); }},
      {"a whole map", [&] { writeParamsToFile(f.c_str(), SettingsMap(), false); }},
      {"a whole configuration", [&] { writeToFile(&conf, f.c_str()); }},
  };
  for (const auto& r : rows)
    EXPECT_EQ(failureOf(r.save), "Cannot lock " + f + ": another program held it for 20 ms")
        << r.name;
  FileLock::defaultTimeoutMs = timeout;
  EXPECT_TRUE(holder.release());
  EXPECT_EQ(readFile(f), "A=1\n");
}

// The reader takes lines of up to 262,144 bytes, escapes counted whole: a
// longer setting would leave a file that no later read or edit gets past.
TEST_F(Settings, ASettingLongerThanALineCanHoldIsRefusedAndTheFileKept) {
  const struct {
    const char* name;
    std::string value;  // of "Permissions"
    long long line;     // its length; 0: fits
  } rows[] = {
      {"exactly a line", std::string(262144 - 12, 'x'), 0},
      {"a byte over", std::string(262144 - 11, 'x'), 262145},
      {"escapes counted whole", std::string(131067, '\n'), 262146},
      {"300,000 bytes", std::string(300000, 'x'), 300012},
  };
  for (const auto& r : rows) {
    std::string f = dir.write("p", "A=1\n");
    std::string fault = failureOf([&] {
      mergeParamToFile(f.c_str(), "Permissions", r.value.c_str(), false);
      SettingsMap settings;
      readParamsFromFile(f.c_str(), &settings, nullptr);
      if (settings["Permissions"].get() != r.value) ADD_FAILURE() << r.name << ": read back";
    });
    if (!r.line) {
      EXPECT_EQ(fault, "(none)") << r.name;
      continue;
    }
    EXPECT_EQ(fault, "Cannot save Permissions: its line would be " + std::to_string(r.line) +
                         " bytes long, more than the 262144 a settings file can hold")
        << r.name;
    EXPECT_EQ(readFile(f), "A=1\n") << r.name;
  }
}

// Nothing writes into the pipe and nothing reads it: a read or edit that
// opened it as a file would wait for ever. Each fails at once, naming it,
// and the pipe stays as it was.
TEST_F(Settings, ANamedPipeInThePlaceOfTheFileFailsEveryReadAndSaveAtOnce) {
  std::string p = dir.file("pipe");
  ASSERT_EQ(mkfifo(p.c_str(), 0600), 0);
  Configuration reference(conf);
  log.setParam("changed", 50);
  std::string refused = "fileOpen(" + p + "): a named pipe, not a regular file";
  std::string unread = "fileOpen(" + p + "): No such device or address (6)";
  SettingsMap settings;
  const struct {
    const char* name;
    std::function<void()> call;
    const std::string& fault;
  } rows[] = {
      {"a read", [&] { readFromFile(&conf, p.c_str(), 50); }, refused},
      {"a read into a map", [&] { readParamsFromFile(p.c_str(), &settings, nullptr); }, refused},
      {"merge", [&] { mergeParamToFile(p.c_str(), "B", "2", false); }, refused},
      {"delete", [&] { deleteParamFromFile(p.c_str(), "A", false); }, refused},
      {"differences", [&] { writeDiffsToFile(&conf, p.c_str(), &reference); }, refused},
      {"a whole map", [&] { writeParamsToFile(p.c_str(), settings, false); }, unread},
      {"a whole configuration", [&] { writeToFile(&conf, p.c_str()); }, unread},
  };
  for (const auto& r : rows)
    EXPECT_EQ(textWithin([&] { return failureOf(r.call); }), r.fault) << r.name;
  struct stat st;
  EXPECT_TRUE(lstat(p.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
  EXPECT_EQ(dir.names(), std::vector<std::string>{"pipe"});
}

// As on a full disk; the save is larger than the buffers on the way, so that
// the write fails before the commit.
TEST_F(Settings, AFailedSaveNamesTheFileAndKeepsIt) {
  std::string f = dir.write("s", "A=1\n");
  std::string prefix = "Error writing to " + f + ": File too large (27)";
  EXPECT_EQ(inChildWithFileLimit(4096,
                                 [&] {
                                   std::string fault = failureOf([&] {
                                     mergeParamToFile(f.c_str(), "B",
                                                      std::string(1 << 16, 'x').c_str(), false);
                                   });
                                   return fault == prefix ? 0 : 1;
                                 }),
            0);
  EXPECT_EQ(readFile(f), "A=1\n");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"s"});
}

// Every writer looks at all its lines before it writes the first.
TEST_F(Settings, EveryWriterRefusesATooLongSettingBeforeWritingALine) {
  Configuration reference(conf);
  other.setParam(std::string(300000, 'x').c_str(), 50);
  SettingsMap settings;
  settings.emplace("A", "1");
  settings.emplace("Other", other.getValue());
  std::string f = dir.write("w", "A=1\n");
  rdr::MemOutStream os;
  const struct {
    const char* name;
    std::function<void()> write;
  } rows[] = {
      {"a configuration to a stream", [&] { writeToStream(&os, &conf); }},
      {"a map to a stream", [&] { writeParams(&os, settings); }},
      {"a configuration to a file", [&] { writeToFile(&conf, f.c_str()); }},
      {"a map to a file", [&] { writeParamsToFile(f.c_str(), settings, false); }},
      {"differences", [&] { writeDiffsToFile(&conf, f.c_str(), &reference); }},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(failureOf(r.write).rfind("Cannot save Other: ", 0), 0u) << r.name;
    EXPECT_EQ(os.length(), 0) << r.name;
    EXPECT_EQ(readFile(f), "A=1\n") << r.name;
  }
}
