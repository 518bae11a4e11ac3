#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "lib1/loc/Localize.h"
#include "lib1/os/AppInfo.h"
#include "lib1/plat/String.h"
#include "lib1/plat/Time.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/gfxutil/VersionInfo.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/ui/AboutDialog.h"
#include "tests/support/TempDir.h"
#include "tests/support/XServer.h"

namespace {

plat::Point size(const plat::Rect& r) { return plat::Point(r.width(), r.height()); }

class AboutDialogTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), "Grantwell®");
    loc::Localize::inst()->init({});
    loc::localeParam.setParam("en", 50);
    gfxutil::VersionInfo& info = gfxutil::versionInfo;
    info.productUrl.reset(plat::strDup("https://example.com/"));
    info.ackUrl.reset(plat::strDup("https://example.com/thanks"));
    info.buildString.prf("Grantwell 1.0 ^b");
    info.aboutText.prf("^1{Web site^} and ^2{acknowledgements^}");
    info.versionText.prf("Grantwell 1.0 ^b\nSee https://example.com/");
  }
  // With no opener on PATH the plain text is shown, whoever runs the test.
  void SetUp() override {
    oldPath = getenv("PATH");
    setenv("PATH", emptyDir.path().c_str(), 1);
  }
  void TearDown() override { setenv("PATH", oldPath.c_str(), 1); }

  wvw::Widget* child(ui::AboutDialog& d, int i) { return d.getCanvas()->getChild(i); }
  plat::Rect rect(ui::AboutDialog& d, int i) { return d.getCanvas()->getChildRect(child(d, i)); }
  // Presses and releases the first button at p of the dialog.
  void click(ui::AboutDialog& d, plat::Point p) {
    d.getCanvas()->pointerEvent(p, 1);
    d.getCanvas()->pointerEvent(p, 0);
  }

  plat::TimerManager timers{true};
  gwtest::TempDir emptyDir;
  std::string oldPath;
};

TEST_F(AboutDialogTest, WithoutOpenerShowsThePlainTextCaretsLiterallyCentredAtTheMargin) {
  ui::AboutDialog about(nullptr, nullptr, nullptr, plat::Point());
  ASSERT_EQ(about.getCanvas()->getChildCount(), 2);  // text and OK
  auto* text = static_cast<wvw::WLabelMarkedUp*>(child(about, 0));
  EXPECT_STREQ(text->getLabel(), "Grantwell 1.0 ^^b\nSee https://example.com/");
  for (const auto& piece : text->getPieces()) EXPECT_EQ(piece.link, 0);
  plat::Point t = text->getSize();
  EXPECT_EQ(rect(about, 0).tl, plat::Point(10, 10));
  EXPECT_EQ(rect(about, 1),
            plat::Rect((t.x - 60) / 2 + 10, t.y + 20, (t.x - 60) / 2 + 70, t.y + 45));
  EXPECT_EQ(about.size(), plat::Point(t.x + 20, t.y + 55));
}

TEST_F(AboutDialogTest, ImageAndTextAreCentredAgainstEachOther) {
  struct Row {
    int imageSide;
    bool imageTaller;
  } rows[] = {{96, true}, {16, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.imageSide);
    ui::AboutDialog about("About", nullptr, "grantwell48x48",
                          plat::Point(row.imageSide, row.imageSide));
    plat::Point i = size(rect(about, 0)), t = size(rect(about, 1));
    ASSERT_EQ(i, plat::Point(row.imageSide, row.imageSide));
    ASSERT_EQ(i.y > t.y, row.imageTaller);
    int imageTop = row.imageTaller ? 10 : 10 + (t.y - i.y) / 2;
    int textTop = row.imageTaller ? 10 + (i.y - t.y) / 2 : 10;
    EXPECT_EQ(rect(about, 0).tl, plat::Point(10, imageTop));
    EXPECT_EQ(rect(about, 1).tl, plat::Point(i.x + 12, textTop));
    plat::Point content(t.x + i.x + 2, std::max(t.y, i.y));
    EXPECT_EQ(rect(about, 2).tl, plat::Point((content.x - 60) / 2 + 10, content.y + 20));
    EXPECT_EQ(about.size(), plat::Point(content.x + 20, content.y + 55));
  }
}

TEST_F(AboutDialogTest, TitleDefaultsToTheLongNameWithoutTheSign) {
  ui::AboutDialog about(nullptr, nullptr, nullptr, plat::Point());
  char* name = nullptr;
  XFetchName(tx::dpy, about.win(), &name);
  EXPECT_STREQ(name, "Grantwell - About");
  XFree(name);
}

TEST_F(AboutDialogTest, OkHidesTheDialogWhichShowsAgain) {
  ui::AboutDialog about(nullptr, nullptr, nullptr, plat::Point());
  about.show();
  plat::Rect ok = rect(about, 1);
  click(about, ok.tl + plat::Point(5, 5));
  EXPECT_FALSE(about.isMapped());
  EXPECT_TRUE(about.result());
  about.show();
  EXPECT_TRUE(about.isMapped());
  EXPECT_FALSE(about.done());
  EXPECT_EQ(rect(about, 1), ok);
}

TEST_F(AboutDialogTest, DestroyedWhileShownTakesItsWidgetsOutFirst) {
  auto about = std::make_unique<ui::AboutDialog>(nullptr, nullptr, "grantwell48x48", plat::Point());
  about->show();
  about.reset();  // a widget dying inside a container is a fatal assertion
}

// The superuser never starts an opener, so a child process drops to nobody.
TEST_F(AboutDialogTest, LinkOpensTheAcknowledgementsThroughTheOpenerForAnOrdinaryUser) {
  gwtest::TempDir dir;
  chmod(dir.path().c_str(), 0777);
  std::string opened = dir.file("opened");
  dir.write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > " + opened + ".new && /bin/mv " + opened +
                            ".new " + opened + "\n");
  chmod(dir.file("xdg-open").c_str(), 0755);
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 65534) != 0 ||
        setresuid(65534, 65534, 65534) != 0)
      _exit(3);
    setenv("PATH", dir.path().c_str(), 1);
    tx::dpy = nullptr;  // a connection of its own: the parent's stays in step
    tx::openDisplay(nullptr);
    ui::AboutDialog about(nullptr, nullptr, nullptr, plat::Point());
    about.show();
    auto* text = static_cast<wvw::WLabelMarkedUp*>(child(about, 0));
    for (const auto& piece : text->getPieces())
      if (piece.link == 2) click(about, rect(about, 0).tl + piece.rect.tl + plat::Point(2, 2));
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (access(opened.c_str(), F_OK) != 0 && std::chrono::steady_clock::now() < end)
      plat::delayMs(5);  // polls for the opener's file, up to the limit
    _exit(access(opened.c_str(), F_OK) == 0 ? 0 : 4);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(gwtest::readFile(opened), "https://example.com/thanks");
}

}  // namespace
