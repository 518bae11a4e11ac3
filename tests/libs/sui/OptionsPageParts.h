// The set-up of the server options page's tests: the tool's eight features
// in English, a stored server configuration with the parameters the page
// reads, a configuration dialog over a working copy of it (back-end B
// installed first), the page filed in it, and a scheme that keeps its
// principals in the "Permissions" parameter as "name:permissions" items.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/StringParameter.h"
#include "libs/sui/OptionsPermissions.h"
#include "libs/sui/PermissionsScheme.h"
#include "libs/svr/Permissions.h"
#include "tests/libs/sui/ToolFeatures.h"
#include "tests/support/TestConfigDialog.h"

namespace suitest {

// Reads its principals from the editor's configuration when asked to fill
// the list, and writes the whole list back at priority 50 after each edit,
// as a real scheme does; it records what validate was told.
struct ParamScheme : sui::PermissionsScheme {
  using PermissionsScheme::PermissionsScheme;
  void init() override {
    names.clear();
    sets.clear();
    std::string all = value();
    for (size_t start = 0; start < all.size();) {
      size_t comma = std::min(all.find(',', start), all.size());
      std::string item = all.substr(start, comma - start);
      size_t colon = item.find(':');
      names.push_back(item.substr(0, colon));
      sets.push_back(std::make_unique<svr::Permissions>(item.substr(colon + 1).c_str()));
      start = comma + 1;
    }
    for (size_t i = 0; i < names.size(); i++)
      editor_->addPrincipal(int(i), names[i].c_str(), "user");
    editor_->selectPrincipal(-1);
  }
  svr::Permissions* getPermissions(int index, bool* locked, bool*, bool*) override {
    *locked = param()->getPriority() == plat::ConfigParameter::PRIORITY_POLICY;
    return sets.at(size_t(index)).get();
  }
  void permissionChanged(int, char) override {
    std::string all;
    for (size_t i = 0; i < names.size(); i++)
      all += (i ? "," : "") + names[i] + ":" + sets[i]->getString();
    param()->setParam(all.c_str(), plat::ConfigParameter::PRIORITY_PREFERENCE);
  }
  bool validate(bool isCurrent) override {
    asked += isCurrent ? "C" : "o";
    return accept;
  }

  plat::ConfigParameter* param() { return editor_->getConfig()->getOrThrow("Permissions"); }
  std::string value() { return plat::String::adopt(param()->getValueStr()).get(); }

  std::vector<std::string> names;
  std::vector<std::unique_ptr<svr::Permissions>> sets;
  bool accept = true;
  std::string asked;
};

// A server's settings as stored: every feature switched on, system
// authentication, two principals and a guest account named "bob".
struct ServerConfig {
  plat::Configuration stored{"Stored"};
  plat::BoolParameter keys{"AcceptKeyEvents", "Keys from viewers", true, false, &stored};
  plat::BoolParameter pointer{"AcceptPointerEvents", "Pointer from viewers", true, false, &stored};
  plat::BoolParameter cutIn{"AcceptCutText", "Clipboard from viewers", true, false, &stored};
  plat::BoolParameter cutOut{"SendCutText", "Clipboard to viewers", true, false, &stored};
  plat::BoolParameter chat{"EnableChat", "Chat", true, false, &stored};
  plat::StringParameter securityTypes{"SecurityTypes", "Types", "<auto>", false, &stored};
  plat::StringParameter authentication{"Authentication", "Scheme", "SystemAuth", false, &stored};
  plat::StringParameter permissions{"Permissions", "Who", "alice:v,staff:d", false, &stored};
  plat::StringParameter guest{"GuestPermissions", "Guest's", "", false, &stored};
  plat::StringParameter guestName{"GuestName", "Guest", "bob", false, &stored};
};

template <class BackEnd>
struct OptionsPageParts {
  // The page filed in the dialog, its scheme handed to the editor for
  // system authentication.
  void build(bool noList = false, plat::Point size = plat::Point(300, 200)) {
    dialog = std::make_unique<gwtest::TestConfigDialog>(&server.stored, noList, 0, size);
    dialog->attach();
    page = new sui::OptionsPermissions(dialog.get(), nullptr, "permissions", "Permissions");
    dialog->addSection(page);
    auto owned = std::make_unique<ParamScheme>(page);
    scheme = owned.get();
    page->getEditor().addScheme(svr::SAuthSystem, std::move(owned));
  }
  // The value in effect in the configuration under edit, and its priority.
  std::string value(const char* name) {
    return plat::String::adopt(dialog->getConfig()->getOrThrow(name)->getValueStr()).get();
  }
  int priority(const char* name) { return dialog->getConfig()->getOrThrow(name)->getPriority(); }

  ToolFeatures features;
  ServerConfig server;
  BackEnd backEnd;
  std::unique_ptr<gwtest::TestConfigDialog> dialog;
  sui::OptionsPermissions* page = nullptr;
  ParamScheme* scheme = nullptr;
};

}  // namespace suitest
