#include "lib2/mui/MuInfoFrame.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/FakeMui.h"

namespace {

// A page object that builds a banner may go after the dialog that holds it:
// the banner used to take its frame out of the dead container.
TEST(MuInfoFrame, OutlivingItsDialogLeavesQuietly) {
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{
      mui::muDialog("dlg", nullptr, {300, 200}, 0, nullptr, nullptr)};
  mui::MuLayout* column = mui::muLayout(dialog.get(), "col", mui::MuLayout::Vertical);
  auto info = std::make_unique<mui::MuInfoFrame>(column, "info");
  info->update(mui::MuInfoFrame::Warning, "Careful.", "Why?");
  dialog.reset();
  info.reset();
}

}  // namespace
