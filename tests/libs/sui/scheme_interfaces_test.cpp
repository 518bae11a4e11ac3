#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

#include "libs/sui/PermissionsEditorImpl.h"
#include "libs/sui/PermissionsScheme.h"
#include "libs/svr/Permissions.h"

using sui::PermissionsEditorImpl;

namespace {

// An editor face with the list operations alone.
struct ListOnly : sui::PermissionsSchemeEditor {
  void addPrincipal(int index, const char* name, const char*) override {
    rows.insert(size_t(index), std::string(name) + ";");
  }
  void removePrincipal(int) override {}
  void selectPrincipal(int index) override { selected = index; }
  int getCurrentPrincipalIndex() override { return selected; }
  std::string rows;
  int selected = 0;
};

// A scheme with only the two operations every scheme must have.
struct OnePrincipal : sui::PermissionsScheme {
  using PermissionsScheme::PermissionsScheme;
  void init() override {
    editor_->addPrincipal(0, "alice", "user");
    editor_->addButton("add", "&Add...", nullptr);
    editor_->enableButton("add", false, nullptr);
    editor_->showHelp(nullptr);
    editor_->selectPrincipal(PermissionsEditorImpl::GLOBAL);
  }
  svr::Permissions* getPermissions(int, bool*, bool*, bool*) override { return &perms; }
  svr::Permissions perms{"d"};
};

}  // namespace

static_assert(PermissionsEditorImpl::GLOBAL == -1 && PermissionsEditorImpl::GUEST == -2);
static_assert(std::is_abstract_v<PermissionsEditorImpl::Callback>);

TEST(PermissionsScheme, MinimalSchemeAndEditorRunTheWholeProtocol) {
  ListOnly editor;
  auto scheme = std::make_unique<OnePrincipal>(&editor);
  scheme->init();
  EXPECT_EQ(editor.rows + std::to_string(editor.selected), "alice;-1");
  scheme->principalSelected(0);
  bool locked = false, enabled = true, flag = false;
  scheme->getPermissions(0, &locked, &enabled, &flag)->parse("v");
  scheme->permissionChanged(0, 0);
  scheme->buttonPressed("add");
  scheme->editPrincipal();
  EXPECT_STREQ(scheme->perms.getString(), "v");
  EXPECT_FALSE(locked || !enabled || flag || scheme->hasPolicySettings());
  EXPECT_TRUE(scheme->validate(true) && scheme->validate(false));
  EXPECT_EQ(editor.getDialog(), nullptr);
  EXPECT_EQ(editor.getConfig(), nullptr);
}

TEST(PermissionsSchemeDeathTest, NeedsAnEditorToReportTo) {
  EXPECT_DEATH(OnePrincipal scheme(nullptr), "editor_");
}
