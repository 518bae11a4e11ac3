#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <tuple>

#include "lib1/loc/Localize.h"
#include "lib1/os/AppInfo.h"
#include "lib1/plat/String.h"
#include "lib1/plat/Time.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/gfxutil/VersionInfo.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/ui/unix/AboutDialog.h"
#include "tests/support/TempDir.h"
#include "tests/support/XServer.h"

namespace {

class AboutDialogTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(gwtest::XServer::shared().name().c_str());
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), "Grantwell®");
    loc::Localize::inst()->init({});
    loc::localeParam.setParam("en", 50);
    gfxutil::VersionInfo& info = gfxutil::versionInfo;
    info.productUrl = "https://example.com/";
    info.ackUrl = "https://example.com/thanks";
    info.buildString.clear();
    info.buildString.prf("Grantwell 1.0 ^b");
    info.aboutText.clear();
    info.aboutText.prf("^1{Web site^} and ^2{acknowledgements^}");
    info.versionText.clear();
    info.versionText.prf("Grantwell 1.0 ^b\nSee https://example.com/");
  }
  // With no opener on PATH the plain text is shown, whoever runs the test.
  void SetUp() override { setenv("PATH", emptyDir.path().c_str(), 1); }
  void TearDown() override { setenv("PATH", oldPath.c_str(), 1); }

  static plat::Rect rect(ui::AboutDialog& d, int i) {
    return d.getCanvas()->getChildRect(d.getCanvas()->getChild(i));
  }
  static wvw::WLabelMarkedUp* text(ui::AboutDialog& d) {
    return static_cast<wvw::WLabelMarkedUp*>(
        d.getCanvas()->getChild(d.getCanvas()->getChildCount() - 2));
  }
  static void click(ui::AboutDialog& d, plat::Point p) {
    d.getCanvas()->pointerEvent(p, 1);
    d.getCanvas()->pointerEvent(p, 0);
  }

  plat::TimerManager timers{true};
  gwtest::TempDir emptyDir;
  std::string oldPath = getenv("PATH");
};

TEST_F(AboutDialogTest, WithoutAnOpenerThePlainTextShowsItsCaretsAndNoLinks) {
  ui::AboutDialog about("About", nullptr, nullptr, plat::Point());
  EXPECT_STREQ(text(about)->getLabel(), "Grantwell 1.0 ^^b\nSee https://example.com/");
  for (const auto& piece : text(about)->getPieces()) EXPECT_EQ(piece.link, 0);
}

// WM_NAME is Latin-1.
TEST_F(AboutDialogTest, TitleAndOkFollowTheLanguage) {
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"en", "Grantwell - About", "OK"},
      {"de", "Grantwell - Info", "OK"},
      {"fr", "Grantwell - \xC0 propos", "OK"},
      {"es", "Grantwell: Acerca de", "Aceptar"},
  };
  for (auto [language, title, ok] : rows) {
    loc::localeParam.setParam(language, 50);
    ui::AboutDialog about(nullptr, nullptr, nullptr, plat::Point());
    char* name = nullptr;
    XFetchName(tx::dpy, about.win(), &name);
    EXPECT_STREQ(name, title);
    XFree(name);
    auto* button = static_cast<wvw::WLabelButton*>(about.getCanvas()->getChild(1));
    EXPECT_STREQ(button->getLabel()->getLabel(), ok);
  }
  loc::localeParam.setParam("en", 50);
}

TEST_F(AboutDialogTest, OkHidesTheDialogWhichShowsAgain) {
  ui::AboutDialog about(nullptr, nullptr, nullptr, plat::Point());
  about.show();
  click(about, rect(about, 1).tl + plat::Point(5, 5));
  EXPECT_FALSE(about.isMapped());
  EXPECT_TRUE(about.result());
  about.show();
  EXPECT_TRUE(about.isMapped() && text(about)->isStarted());
}

TEST_F(AboutDialogTest, DestroyedWhileShownTakesItsWidgetsOutFirst) {
  ui::AboutDialog about(nullptr, nullptr, "grantwell48x48", plat::Point());
  about.show();
}  // a widget dying inside a container is a fatal assertion

// The superuser never starts an opener, so a child process drops to nobody.
TEST_F(AboutDialogTest, LinkOpensTheAcknowledgementsThroughTheOpenerForAnOrdinaryUser) {
  gwtest::TempDir dir;
  chmod(dir.path().c_str(), 0777);
  std::string opened = dir.file("opened");
  dir.write("xdg-open", "#!/bin/sh\nprintf %s \"$1\" >" + opened + ".new && /bin/mv " + opened +
                            ".new " + opened + "\n");
  chmod(dir.file("xdg-open").c_str(), 0755);
  EXPECT_EXIT(
      {
        if (setgroups(0, nullptr) || setresgid(65534, 65534, 65534) ||
            setresuid(65534, 65534, 65534))
          _exit(3);
        setenv("PATH", dir.path().c_str(), 1);
        tx::dpy = nullptr;  // a connection of its own: the parent's stays in step
        tx::openDisplay(nullptr);
        ui::AboutDialog about(nullptr, nullptr, nullptr, plat::Point());
        about.show();
        for (const auto& piece : text(about)->getPieces())
          if (piece.link == 2) click(about, rect(about, 0).tl + piece.rect.tl + plat::Point(2, 2));
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (access(opened.c_str(), F_OK) != 0 && std::chrono::steady_clock::now() < end)
          plat::delayMs(5);  // polls for the opener's file, up to the limit
        _exit(access(opened.c_str(), F_OK) == 0 ? 0 : 4);
      },
      testing::ExitedWithCode(0), "");
  EXPECT_EQ(gwtest::readFile(opened), "https://example.com/thanks");
}

}  // namespace
