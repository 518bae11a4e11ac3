// The tool's eight feature letters for the server pages' tests: the five
// core ones and Chat, File transfer and Printing registered for the
// object's lifetime, named in English.
#pragma once

#include <optional>

#include "lib1/loc/Localize.h"
#include "libs/svr/Permissions.h"

namespace suitest {

struct ToolFeatures {
  bool english = [] {
    loc::Localize::inst()->init({});
    return loc::localeParam.setParam("en_US", 50);
  }();
  // Chat is switched by a server parameter, as the global row shows it.
  std::optional<svr::Permissions::RegistrationHelper> chat{
      std::in_place, 'h', "Chat", "Chat with other users", "fd", "EnableChat"};
  std::optional<svr::Permissions::RegistrationHelper> ft{
      std::in_place, 't', "File transfer", "Transfer files in either direction", "fd", nullptr};
  std::optional<svr::Permissions::RegistrationHelper> print{
      std::in_place, 'r', "Printing", "Print to a local printer", "fd", nullptr};
};

}  // namespace suitest
