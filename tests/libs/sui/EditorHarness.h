// The set-up of the permissions editor's tests: the tool's eight feature
// letters in English, the stand-in back-end, a dialog whose main layout holds
// an editor (with or without a host page's callback), a scheme over a plain
// list of sets, and the picks and clicks a person makes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "lib2/mui/MuFactories.h"
#include "libs/sui/PermissionsEditorImpl.h"
#include "libs/sui/PermissionsScheme.h"
#include "libs/svr/Permissions.h"
#include "tests/libs/sui/ToolFeatures.h"
#include "tests/support/FakeMui.h"

namespace suitest {

using Editor = sui::PermissionsEditorImpl;
inline const char kLetters[] = "skpchtrq";

// A scheme over a plain list of sets, with a "remove" button that drops the
// selected one as a real scheme does: the set goes before the row.
struct ListScheme : sui::PermissionsScheme {
  ListScheme(sui::PermissionsSchemeEditor* e, std::vector<const char*> texts)
      : PermissionsScheme(e) {
    for (const char* t : texts) sets.push_back(std::make_unique<svr::Permissions>(t));
  }
  void init() override {
    for (size_t i = 0; i < sets.size(); i++)
      editor_->addPrincipal(int(i), sets[i]->getString(), "user");
    editor_->addButton("remove", "&Remove", nullptr);
    editor_->selectPrincipal(-1);
  }
  svr::Permissions* getPermissions(int index, bool* locked, bool*, bool*) override {
    *locked = policy;
    return sets.at(size_t(index)).get();
  }
  void permissionChanged(int index, char letter) override {
    log += "changed " + std::to_string(index) + (letter ? std::string(1, letter) : "") + ";";
  }
  void principalSelected(int index) override { log += "selected " + std::to_string(index) + ";"; }
  void buttonPressed(const char*) override {
    int i = editor_->getCurrentPrincipalIndex();
    if (i < 0) return;
    sets.erase(sets.begin() + i);
    editor_->removePrincipal(i);
  }
  void editPrincipal() override { log += "edit;"; }

  std::vector<std::unique_ptr<svr::Permissions>> sets;
  bool policy = false;
  std::string log;
};

// Hands every event to the default dispatch and then to the editor, as a
// host dialog does.
struct HostedEditor : Editor {
  using Editor::Editor;
  void elementEvent(mui::MuElement* source, int code) override {
    mui::MuObserver::elementEvent(source, code);
    Editor::elementEvent(source, code);
  }
};

class EditorHarness : public ::testing::Test {
 protected:
  // callback is the host page, which need not be built yet.
  explicit EditorHarness(Editor::Callback* callback = nullptr) : editor(callback) {}

  void start(std::vector<const char*> texts, bool policy = false) {
    auto owned = std::make_unique<ListScheme>(&editor, texts);
    scheme = owned.get();
    scheme->policy = policy;
    editor.addScheme(svr::SAuthentication(2), std::move(owned));
    editor.updateUi(scheme);
  }
  // A person's pick in the list.
  void pickRow(int row) {
    editor.getList()->setSelectedRow(row);
    editor.getList()->dispatchEvent(editor.getList(), mui::MuEventChanged);
  }
  // A person's pick in the level choice.
  void pickLevel(int id) { choice()->setText(choice()->items[id].c_str()); }
  void clickTick(char letter, bool deny) {
    static_cast<gwtest::FakeCheck*>(editor.getTick(letter, deny))->click();
  }
  gwtest::FakeChoice* choice() { return static_cast<gwtest::FakeChoice*>(editor.getChoice()); }
  // The letters whose tick in a column passes test.
  template <class Test>
  std::string ticks(bool deny, Test test) {
    std::string out;
    for (const char* c = kLetters; *c; c++)
      if (test(editor.getTick(*c, deny))) out += *c;
    return out;
  }
  std::string checked(bool deny) {
    return ticks(deny, [](mui::MuCheck* t) { return t->isChecked(); });
  }
  std::string usable(bool deny) {
    return ticks(deny, [](mui::MuCheck* t) { return gwtest::fake(t).usable; });
  }
  bool shown(const char* path) { return gwtest::fake(at(path)).shown; }
  mui::MuElement* at(const char* path) {
    mui::MuElement* e = main->lookupElement(path);
    if (!e) throw std::runtime_error(path);
    return e;
  }
  const char* text(int i) { return scheme->sets.at(size_t(i))->getString(); }

  ToolFeatures features;
  gwtest::FakeMui backEnd;
  HostedEditor editor;
  std::unique_ptr<mui::MuDialog> dialog{
      mui::muDialog("perms", "T", plat::Point(400, 600), 0, nullptr, nullptr)};
  mui::MuLayout* main = [this] {
    auto* l = mui::muLayout(dialog.get(), "main", mui::MuLayout::Vertical);
    dialog->registerObserver(&editor, true);
    editor.init(l);
    for (char c : {'h', 't', 'r'}) editor.addPermission(c);
    return l;
  }();
  ListScheme* scheme = nullptr;
};

}  // namespace suitest
