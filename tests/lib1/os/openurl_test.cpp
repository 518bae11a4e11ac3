#include "lib1/os/OpenUrl.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lib1/plat/Time.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"

namespace {

const char* const kUrl = "http://host/a b?q=\"x\"&y='z';$(id)";

// Fake openers in a PATH of their own, recording "name|arg|..."; a broken one cannot run.
struct Openers {
  Openers(const std::vector<std::string>& names, const std::string& broken) {
    chmod(dir.path().c_str(), 0777);  // the unprivileged child writes here
    mkdir(dir.file("bin").c_str(), 0755);
    std::string record = dir.file("record");
    for (const std::string& n : names)
      chmod(dir.write("bin/" + n, n == broken
                                      ? "#!/no/such/interpreter\n"
                                      : "#!/bin/sh\nprintf '%s|' \"${0##*/}\" \"$@\" > " + record +
                                            ".t && /bin/mv " + record + ".t " + record + "\n")
                .c_str(),
            0755);
  }
  // Bit 0 is isOpenUrlSupported, bit 1 openUrl, in a child that drops root unless told.
  int run(bool stayRoot) {
    return gwtest::exitCodeOf(gwtest::startChild([&] {
      if (!stayRoot && getuid() == 0 &&
          (setgroups(0, nullptr) || setresgid(65534, 65534, 65534) ||
           setresuid(65534, 65534, 65534)))
        return 99;
      setenv("PATH", dir.file("bin").c_str(), 1);
      return int(os::isOpenUrlSupported()) | int(os::openUrl(kUrl)) << 1;
    }));
  }
  // What the started opener recorded, waiting for it up to waitMs.
  std::string recorded(int waitMs) {
    long long until = plat::getMonotonicTime(-1, nullptr) + waitMs * plat::kUnitsPerMs;
    while (access(dir.file("record").c_str(), F_OK) != 0)
      if (plat::getMonotonicTime(-1, nullptr) > until) return "(nothing)";
    return gwtest::readFile(dir.file("record"));
  }
  gwtest::TempDir dir;
};

}  // namespace

// The superuser never starts anything, whatever is there.
TEST(OpenUrl, FirstStartableOpenerGetsTheUrlAsOneArgument) {
  const struct {
    std::vector<std::string> present;
    const char* broken;
    const char* started;  // null: none, and not supported
    bool stayRoot = false;
  } rows[] = {
      {{"kfmclient"}, "", "kfmclient|exec|"},
      {{"firefox", "xdg-open"}, "", "xdg-open|"},
      {{"xdg-open", "firefox"}, "xdg-open", "firefox|"},
      {{"not-an-opener"}, "", nullptr},
      {{"xdg-open"}, "", getuid() == 0 ? nullptr : "xdg-open|", true},
  };
  for (const auto& r : rows) {
    Openers o(r.present, r.broken);
    EXPECT_EQ(o.run(r.stayRoot), r.started ? 3 : 0) << r.present[0];
    EXPECT_EQ(o.recorded(r.started ? 10000 : 0),
              r.started ? r.started + std::string(kUrl) + "|" : "(nothing)");
  }
}
