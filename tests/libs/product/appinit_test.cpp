// Start-up changes process-wide state for good, so each case runs it in a
// child process. The fixture writes the fake account files that the NSS
// wrapper reads (see tests/CMakeLists.txt) and names them to it: root's home
// and that of an ordinary user are fresh directories, never the machine's.
#include "libs/product/AppInit.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <regex>

#include "lib1/loc/Localize.h"
#include "lib1/os/AppInfo.h"
#include "lib1/plat/LogParam.h"
#include "lib2/gfxutil/VersionInfo.h"
#include "lib2/plat/LoggerFile.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"

namespace {

PLAT_LOG_WRITER(vlog, "StartUpTest");
const uid_t kUser = 65534;

std::string startUp(const char* argv0 = "/proc/self/exe", const char* appName = "grantwell",
                    bool readConfig = true) {
  product::appInit(argv0, appName, loc::msgid_t(), nullptr, true, readConfig);
  std::string out = std::string("HOME=") + getenv("HOME") + " " + os::dotZemDir.get() + "|" +
                    os::configDir.get() + "|" + os::saveConfigFilename.get() + " " +
                    std::to_string(gwtest::modeOf(os::dotZemDir.get())) + "/" +
                    std::to_string(gwtest::modeOf(os::configDir.get()));
  for (plat::StringParameter* p : {&plat::logDirParam, &plat::logFileParam, &plat::logParam})
    out += std::string(" ") + p->getValue() + "@" + std::to_string(p->getPriority());
  return out;
}

class AppInit : public testing::Test {
 protected:
  // The wrapper takes the files' names once per process, at the first fork,
  // so they stay where they are for the whole suite, in a folder that the
  // unprivileged children can read whatever folder the build is in.
  static void SetUpTestSuite() {
    accounts = std::make_unique<gwtest::TempDir>();
    chmod(accounts->path().c_str(), 0755);
    setenv("NSS_WRAPPER_PASSWD", accounts->file("passwd").c_str(), 1);
    setenv("NSS_WRAPPER_GROUP", accounts->file("group").c_str(), 1);
  }
  static void TearDownTestSuite() { accounts.reset(); }

  void SetUp() override {
    const char* preload = getenv("LD_PRELOAD");
    if (!preload || !strstr(preload, "nss_wrapper")) GTEST_SKIP() << "needs the NSS wrapper";
    chmod(dir.path().c_str(), 0755);
    mkdir(root.c_str(), 0755);
    userDir(user, 0755);
    // This process never looks an account up, so each child reads these anew.
    std::ofstream(accounts->file("passwd"))
        << "root:x:0:0::" << root << ":/bin/sh\nnobody:x:" << kUser << ":" << kUser << "::" << user
        << ":/bin/sh\n";
    std::ofstream(accounts->file("group")) << "root:x:0:\n";
  }

  // Runs body in a child as uid with HOME as given (null: unset); returns
  // what body returned, "error: <message>" for a plat::Exception, or "(died)".
  static std::string inChild(uid_t uid, const char* home,
                             const std::function<std::string()>& body) {
    int fds[2];
    if (pipe(fds) != 0) return "(no pipe)";
    pid_t pid = gwtest::startChild([&] {
      home ? setenv("HOME", home, 1) : unsetenv("HOME");
      std::string out = "(cannot become the user)";
      if (uid == 0 || (setgroups(0, nullptr) == 0 && setresgid(uid, uid, uid) == 0 &&
                       setresuid(uid, uid, uid) == 0)) {
        try {
          out = body();
        } catch (plat::Exception& e) {
          out = std::string("error: ") + e.str();
        }
      }
      return write(fds[1], out.data(), out.size()) < 0 ? 2 : 0;
    });
    close(fds[1]);
    std::string out;
    char buf[4096];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, n);
    close(fds[0]);
    return gwtest::exitCodeOf(pid) == 0 ? out : "(died)";
  }

  static void userDir(const std::string& path, mode_t mode) {
    mkdir(path.c_str(), mode);
    chmod(path.c_str(), mode);
    chown(path.c_str(), kUser, kUser);
  }

  // Removes home's per-user directories, then makes them anew in mode
  // unless it is 0.
  static void resetZem(const std::string& home, mode_t mode) {
    std::filesystem::remove_all(home + "/.zem");
    if (!mode) return;
    userDir(home + "/.zem", mode);
    userDir(home + "/.zem/config.d", mode);
  }

  static std::unique_ptr<gwtest::TempDir> accounts;
  gwtest::TempDir dir;
  std::string root = dir.file("root"), user = dir.file("user");
};

std::unique_ptr<gwtest::TempDir> AppInit::accounts;

TEST_F(AppInit, HomeIsRepairedAndThePerUserDirectoriesMadeOwnerOnly) {
  struct Row {
    const char* name;
    uid_t uid;
    const char* home;  // null: unset; "~": the account's own
    mode_t existing;   // of the per-user directories before start-up, 0: none
  } rows[] = {
      {"root with another user's HOME", 0, "/home/someone", 0},
      {"root without HOME", 0, nullptr, 0},
      {"user without HOME", kUser, nullptr, 0},
      {"user with an empty HOME", kUser, "", 0},
      {"user keeping HOME, loose directories", kUser, "~", 0755},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::string home = r.uid == 0 ? root : user;
    resetZem(home, r.existing);
    std::string z = home + "/.zem";
    EXPECT_EQ(
        inChild(r.uid, r.home && *r.home == '~' ? home.c_str() : r.home, [] { return startUp(); }),
        "HOME=" + home + " " + z + "|" + z + "/config.d|" + z + "/config.d/grantwell 448/448 " +
            (r.uid == 0 ? "/var/log" : "$HOME/.zem") +
            "@100 grantwell.log@100 *:stderr:10@100");  // 448: 0700
  }
}

TEST_F(AppInit, StopsOnADirectoryItCannotMakeOrAFileItCannotRead) {
  struct Row {
    const char* name;
    const char* file;  // made in the home, with a bad escape
    bool readConfig;
    std::string expected;  // the start of it
  } rows[] = {
      {"a file in the place of .zem", "/.zem", true, "error: mkDir(" + user + "/.zem): "},
      {"a bad preference file", "/.zem/config.d/grantwell", true,
       "error: Error reading " + user + "/.zem/config.d/grantwell:1: bad escape code 0x71"},
      {"the same, configuration not read", "/.zem/config.d/grantwell", false, "HOME="},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    resetZem(user, std::string(r.file) == "/.zem" ? 0 : 0700);
    std::ofstream(user + r.file) << "Log=\\q\n";
    bool readConfig = r.readConfig;
    std::string got =
        inChild(kUser, user.c_str(), [=] { return startUp(nullptr, "grantwell", readConfig); });
    EXPECT_EQ(got.substr(0, r.expected.size()), r.expected) << got;
  }
}

// What main does with a failure of start-up: it logs it. One that comes
// before the destinations are made reaches standard error all the same.
TEST_F(AppInit, AFailureBeforeTheLogIsMadeIsToldOnStandardError) {
  struct Row {
    const char* name;
    uid_t uid;
    bool zemAFile;
    std::string message;
  } rows[] = {
      {"a file in the place of .zem", kUser, true, "mkDir(" + user + "/.zem): "},
      {"an account the database does not know", 4242, false, "getpwuid(4242): "},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    resetZem(user, 0);
    if (r.zemAFile) std::ofstream(user + "/.zem");
    gwtest::TempDir errDir;
    chmod(errDir.path().c_str(), 0777);
    std::string errFile = errDir.file("stderr");
    std::string got = inChild(r.uid, r.zemAFile ? user.c_str() : nullptr, [&errFile] {
      int fd = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (fd < 0 || dup2(fd, 2) < 0) return std::string("(no standard error)");
      try {
        startUp();
        return std::string("(started)");
      } catch (const plat::Exception& e) {
        vlog().error("%s", e.str());
      }
      return gwtest::readFile(errFile);
    });
    EXPECT_NE(got.find(": StartUpTest: " + r.message), std::string::npos) << got;
    EXPECT_EQ(got.rfind("<11> "), got.find("<11> ")) << "one error line: " << got;
  }
}

// The preferences route the logs to the file and name it before it opens.
TEST_F(AppInit, LogFileFollowsThePreferencesAndCarriesTheApplicationName) {
  struct Row {
    const char* name;
    const char *argv0, *appName, *file, *app;
  } rows[] = {
      {"named by the caller", "/proc/self/exe", "grantwell", "mine.log", "grantwell"},
      {"named after the executable", "/proc/self/exe", nullptr, "libs_product_tests.log",
       "libs_product_tests"},
      {"no program path either", nullptr, nullptr, "libs_product_tests.log", "libs_product_tests"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    resetZem(user, 0700);
    std::ofstream(user + "/.zem/config.d/grantwell") << "Log=*:file:30\nLogFile=mine.log\n";
    std::ofstream(user + "/.zem/config.d/libs_product_tests") << "Log=*:file:30\n";
    EXPECT_EQ(inChild(kUser, user.c_str(),
                      [&r] {
                        startUp(r.argv0, r.appName);
                        vlog().info("started");
                        return std::string(os::getAppName());
                      }),
              r.app);
    std::string log = gwtest::readFile(user + "/.zem/" + r.file);
    EXPECT_NE(log.find(std::string(" ") + r.app + "["), std::string::npos) << log;
    EXPECT_NE(log.find("StartUpTest: started"), std::string::npos) << log;
  }
}

// A build in a folder only root may enter (root's home), started by another
// user: the program is reached through a descriptor root opened, as a
// program reached through a link in an open folder would be.
TEST_F(AppInit, FindsItsOwnExecutableInAFolderItsUserCannotEnter) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to make a folder another user cannot enter";
  gwtest::TempDir hidden;
  chmod(hidden.path().c_str(), 0700);
  std::string exe = hidden.file("grantwell");
  std::filesystem::copy_file(GW_STARTUP_PROBE, exe);
  chmod(exe.c_str(), 0755);
  int fd = open(exe.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  std::string command = "HOME=" + user + " setpriv --reuid=" + std::to_string(kUser) +
                        " --regid=" + std::to_string(kUser) + " --clear-groups /proc/self/fd/" +
                        std::to_string(fd) + " 2>&1";
  FILE* out = popen(command.c_str(), "r");
  std::string got;
  char buf[4096];
  for (size_t n; out && (n = fread(buf, 1, sizeof buf, out)) > 0;) got.append(buf, n);
  int status = out ? pclose(out) : -1;
  close(fd);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(got, exe);
  EXPECT_EQ(gwtest::modeOf(user + "/.zem/config.d"), 0700) << "start-up went on to the end";
}

int rebuilds = 0;

TEST_F(AppInit, VersionTextsFollowTheLocaleOnceEach) {
  std::string got = inChild(0, nullptr, [] {
    startUp();
    product::versionInfoSetter = [] { rebuilds++; };
    startUp();  // a second start registers nothing twice
    int afterStart = rebuilds;
    loc::localeParam.setParam("fr_FR", 50);
    const gfxutil::VersionInfo& v = gfxutil::versionInfo;
    return std::to_string(afterStart) + "," + std::to_string(rebuilds) + "\n" +
           v.buildString.get() + "\n" + v.aboutText.get() + "\n--\n" + v.termVersionText.get();
  });
  EXPECT_EQ(got.substr(0, 4), "1,2\n") << "one rebuild per start and per change";
  EXPECT_TRUE(
      std::regex_search(got, std::regex("\ngrantwell 0\\.1\\.0\\.0 \\((?:[0-9a-f]+|unknown)\\)"
                                        " x64 \\([A-Z][a-z]{2} \\d{1,2} \\d{4} [\\d:]{8}\\)\n")))
      << got;
  EXPECT_NE(got.find("tierces.\n--\n"), std::string::npos) << "the About text is French";
  EXPECT_NE(got.find("Copyright (C) "), std::string::npos) << got;
  EXPECT_NE(got.find("voir :\nhttps://www.korvath.example/products/zem/documentation/0.1/"
                     "acknowledgements.txt"),
            std::string::npos)
      << "so is the terminal text, with the address for this version";
}

}  // namespace
