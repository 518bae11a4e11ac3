#include <gtest/gtest.h>

#include "apps/grantwell/MuiInit.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/Mui.h"
#include "lib2/mui/wvw/MuDialogTx.h"
#include "lib2/tx/TXWindow.h"

namespace {

// A second call keeps the singleton and the icon the first one made, and
// writes the same factories again.
TEST(MuiInit, BuildsTheSingletonAndTheIconOnceAndBindsEveryCall) {
  mui::init("grantwell");
  mui::Mui* first = mui::Mui::get();
  const TXWindow::IconData icon = TXWindow::defaultIconData;
  ASSERT_TRUE(icon.data) << "the icon is made from grantwell16x16 and grantwell48x48";
  mui::clearFactories();
  mui::init("grantwell");
  EXPECT_EQ(mui::Mui::get(), first);
  EXPECT_EQ(TXWindow::defaultIconData.data, icon.data);
  EXPECT_EQ(mui::muDialogFactory, &mui::muDialogTx);
  mui::clearFactories();
}

}  // namespace
