#include "lib1/os/OpenUrl.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "lib1/plat/Time.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"

namespace {

const char* const kUrl = "http://host/a b?q=\"x\"&y='z';$(id)";

// A PATH directory of fake openers that record their arguments ("name|arg|...")
// into a file; a broken one cannot be executed.
struct Openers {
  Openers(const std::vector<std::string>& names, const std::string& broken = "") {
    chmod(dir.path().c_str(), 0777);  // the unprivileged child writes here
    mkdir(dir.file("bin").c_str(), 0755);
    std::string record = dir.file("record");
    for (const std::string& n : names) {
      dir.write("bin/" + n, n == broken
                                ? "#!/no/such/interpreter\n"
                                : "#!/bin/sh\nprintf '%s|' \"${0##*/}\" \"$@\" > " + record +
                                      ".t && /bin/mv " + record + ".t " + record + "\n");
      chmod(dir.file("bin/" + n).c_str(), 0755);
    }
  }
  // Runs both functions in a child, as an ordinary user when we are root;
  // bit 0 is isOpenUrlSupported, bit 1 openUrl.
  int run(bool dropRoot = true) {
    return gwtest::exitCodeOf(gwtest::startChild([&] {
      if (dropRoot && getuid() == 0 &&
          (setgroups(0, nullptr) || setresgid(65534, 65534, 65534) ||
           setresuid(65534, 65534, 65534)))
        return 99;
      setenv("PATH", dir.file("bin").c_str(), 1);
      return int(os::isOpenUrlSupported()) | int(os::openUrl(kUrl)) << 1;
    }));
  }
  // What the started opener recorded, waiting for it up to ten seconds.
  std::string recorded() {
    long long until = plat::getMonotonicTime(-1, nullptr) + 10000 * plat::kUnitsPerMs;
    while (access(dir.file("record").c_str(), F_OK) != 0)
      if (plat::getMonotonicTime(-1, nullptr) > until) return "(nothing)";
    return gwtest::readFile(dir.file("record"));
  }
  gwtest::TempDir dir;
};

}  // namespace

TEST(OpenUrl, FirstStartableOpenerGetsTheUrlAsOneArgument) {
  const struct {
    std::vector<std::string> present;
    const char* broken;
    const char* started;  // null: none, and not supported
  } rows[] = {
      {{"kfmclient"}, "", "kfmclient|exec|"},
      {{"firefox", "xdg-open"}, "", "xdg-open|"},
      {{"xdg-open", "firefox"}, "xdg-open", "firefox|"},
      {{"not-an-opener"}, "", nullptr},
  };
  for (const auto& r : rows) {
    Openers o(r.present, r.broken);
    EXPECT_EQ(o.run(), r.started ? 3 : 0) << r.present[0];
    if (!r.started) continue;  // and nothing to wait for
    EXPECT_EQ(o.recorded(), r.started + std::string(kUrl) + "|");
  }
}

TEST(OpenUrl, SuperuserNeverStartsAnything) {
  if (getuid() != 0) GTEST_SKIP() << "needs root";
  Openers o({"xdg-open"});
  EXPECT_EQ(o.run(false), 0);
  EXPECT_NE(access(o.dir.file("record").c_str(), F_OK), 0);
}
