// svr::Permissions: for each letter a to z, whether the feature with that
// letter is allowed, denied or unset, and the short text that spells it
// ("skpc", "d!q").
//
// Invariants: every state is 0 (unset), 1 (allowed) or 2 (denied). A text,
// when present, always describes the current states; an operation that
// changes the states without producing a matching text drops it. A kept text
// (given to parse, or adopted from another set) is handed back exactly as it
// was given, even where the canonical text of the same states differs.
//
// The process-wide registry of permission letters and group letters (which
// letters exist, what they are called, which letters a group letter stands
// for) is a set of static members here too. Parsing consults its group table,
// so a group letter means what the registry says at the moment of the parse.
// The registry fills itself on first use; do not build a Permissions object
// before main, or the core letters get their names in the start-up language.
#pragma once

#include <cstdint>
#include <list>
#include <vector>

#include "lib1/plat/Array.h"
#include "lib1/plat/String.h"

namespace svr {

class Permissions {
 public:
  static constexpr char View = 's';
  static constexpr char KeyEvents = 'k';
  static constexpr char PtrEvents = 'p';
  static constexpr char CutText = 'c';
  static constexpr char NoQuery = 'q';

  enum State : int32_t { Unset = 0, Allowed = 1, Denied = 2 };
  static constexpr int nCodes = 26;

  Permissions();
  // Throws plat::Exception "invalid permissions string" for a bad text.
  explicit Permissions(const char* text);
  Permissions(const Permissions& other) = default;
  Permissions& operator=(const Permissions& other) = default;

  void clear();
  // All or nothing: on "invalid permissions string" the set keeps its old
  // states and text. A null text gives the empty set without text.
  void parse(const char* text);
  // The kept or cached text; computes and caches the canonical one otherwise.
  const char* getString() const;
  // Replaces the text by the canonical one and keeps it.
  void setExpandedString();

  bool isExactlyEqual(const Permissions& other) const;
  // Unset and denied count as the same: only what is allowed matters.
  bool isEffectivelyEqual(const Permissions& other) const;
  bool isStringEqual(const Permissions& other) const;
  bool allowsAccess() const;
  // Widens by other: other's denials and allowances win over unset letters,
  // but a denial here survives an allowance there.
  void merge(const Permissions& other);
  // Narrows to other: other's denials win, and what other leaves unset is
  // no longer allowed here.
  void restrictTo(const Permissions& other);
  // The localised level name; null instead of "Custom" when nullIfCustom.
  const char* shortDescription(bool nullIfCustom) const;

  State getState(char code) const;
  bool isAllowed(char code) const { return getState(code) == Allowed; }
  bool isDenied(char code) const { return getState(code) == Denied; }
  bool keepsText() const { return keep_; }

  // One registered permission.
  struct PermissionDefn {
    char code;
    plat::String name;                 // localised short name
    plat::String desc;                 // localised one-line description
    std::vector<plat::String> params;  // the server parameters it governs
  };
  using GroupMembers = plat::FixedArray<bool, nCodes>;

  // Registers the five core letters, once per process; every other registry
  // operation calls it first.
  static void initCore();
  // name and desc are ready (localised) texts; groups lists the group
  // letters the code joins (or null); params is a comma-separated list of
  // parameter names (or null). A code outside a to z, one that is a group
  // letter or already registered, and a group letter that is a registered
  // code (or the code itself) are fatal assertions: either would change the
  // meaning of stored permission strings.
  static void registerPermission(char code, const char* name, const char* desc, const char* groups,
                                 const char* params);
  // Removes the code and its group memberships; an unknown code is ignored.
  static void unregisterPermission(char code);
  static const PermissionDefn* lookupPermissionDefn(char code);
  // In display order: the core letters, then registrations, "No query" last.
  static const std::list<PermissionDefn>& getPermissionDefns();
  // The members of a group letter, or null when the letter is no group.
  static const GroupMembers* lookupGroup(char letter);

  // Registers one letter for the object's lifetime.
  class RegistrationHelper {
   public:
    RegistrationHelper(char code, const char* name, const char* desc, const char* groups,
                       const char* params);
    ~RegistrationHelper();
    RegistrationHelper(const RegistrationHelper&) = delete;
    RegistrationHelper& operator=(const RegistrationHelper&) = delete;

   private:
    char code_;
    plat::String name_;
    plat::String desc_;
    plat::String groups_;
    plat::String params_;
  };

 private:
  using States = plat::FixedArray<int32_t, nCodes>;

  // Applies text to states, or throws without touching anything else.
  static void parseInto(const char* text, States& states);
  // Text after a change of states from before to the new ones: kept as it
  // was, adopted from other when the states now equal other's, or dropped.
  void settleText(const States& before, const Permissions& other, bool adoptCachedText);

  States states_{};
  mutable plat::String text_;
  bool keep_ = false;
};

using PermissionDefn = Permissions::PermissionDefn;

}  // namespace svr
