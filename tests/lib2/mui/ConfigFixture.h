// What the configuration section and dialog tests share: a stored
// configuration of three Booleans, the stand-in back-end, English texts, and
// a dialog that edits a working copy of the configuration (attached at
// once, so that sections can bind parameters as they are built).
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "lib1/loc/LocaleSetter.h"
#include "lib1/plat/BoolParameter.h"
#include "lib2/mui/MuConfigSection.h"
#include "tests/support/FakeMui.h"
#include "tests/support/TestConfigDialog.h"

namespace gwtest {

class ConfigFixture : public testing::Test {
 protected:
  static constexpr int Policy = plat::ConfigParameter::PRIORITY_POLICY;
  static constexpr int Preference = plat::ConfigParameter::PRIORITY_PREFERENCE;
  static constexpr int Default = plat::ConfigParameter::PRIORITY_DEFAULT;

  ConfigFixture() { remake(false); }

  // A new dialog in place of the old one.
  void remake(bool noList) {
    dialog.reset();
    dialog = std::make_unique<TestConfigDialog>(&stored, noList);
    dialog->attach();
  }
  // A section filed with the dialog, titled as its id, holding a check
  // bound to each parameter.
  mui::MuConfigSection* section(const char* id, int order,
                                std::initializer_list<const char*> params = {},
                                mui::MuConfigSection* parent = nullptr) {
    auto* s = new mui::MuConfigSection(dialog.get(), parent, id, id, order);
    for (const char* p : params) s->paramChk(p, p, nullptr);
    dialog->addSection(s);
    return s;
  }
  static FakeCheck* check(mui::MuConfigSection* s, const char* id) {
    return static_cast<FakeCheck*>(s->getLayout()->lookupElement(id));
  }
  // The value in the configuration under edit, or in the stored one.
  std::string value(const char* name, bool inStored = false) {
    const plat::Configuration& c = inStored ? stored : *dialog->getConfig();
    return plat::String::adopt(c.get(name)->getValueStr()).get();
  }
  int priority(const char* name, bool inStored = false) {
    return (inStored ? stored : *dialog->getConfig()).get(name)->getPriority();
  }
  mui::MuButton* button(mui::MuButtonBar::ButtonId id) {
    return dialog->getButtonBar().lookupButton(id);
  }
  void click(mui::MuButtonBar::ButtonId id) {
    button(id)->dispatchEvent(button(id), mui::MuEventClicked);
  }
  bool applyEnabled() { return fake(button(mui::MuButtonBar::Apply)).usable; }
  bool bannerShown() { return fake(dialog->getPolicyBanner().getFrame()).shown; }

  loc::LocaleSetter english{"en_US"};
  plat::Configuration stored{"Stored"};
  plat::BoolParameter alpha{"Alpha", "The first", false, false, &stored};
  plat::BoolParameter beta{"Beta", "The second", true, false, &stored};
  plat::BoolParameter gamma{"Gamma", "The third", false, false, &stored};
  FakeMui backEnd;
  std::unique_ptr<TestConfigDialog> dialog;
};

}  // namespace gwtest
