// svr::SecurityPrincipalStore: the ordered list of principals that the
// permissions editor shows, loaded from and saved to a `Permissions`-style
// parameter.
//
// Invariants: every user comes before every group; within each kind display
// names ascend by strcasecmp, and a principal added later goes after those
// whose names compare equal to its own. The store owns its principals.
// load is all or nothing: a bad item leaves both the store and the parameter
// as they were. Ids that could not be written back never get in: load and add
// refuse them, so save never writes a text that reads back as other
// principals.
#pragma once

#include <memory>
#include <vector>

#include "lib1/plat/StringParameter.h"
#include "libs/svr/SecurityPrincipal.h"

namespace svr {

class SecurityPrincipalStore {
 public:
  SecurityPrincipalStore() = default;
  SecurityPrincipalStore(const SecurityPrincipalStore&) = delete;
  SecurityPrincipalStore& operator=(const SecurityPrincipalStore&) = delete;

  void clear();
  // Replaces the list by the parameter's value. An item whose name could not
  // be written back (an empty one; none that this store wrote) is left out
  // with dropInvalid and otherwise throws "invalid principal "<item>"";
  // that and "invalid permissions string" leave the store unchanged.
  void load(const plat::StringParameter& param, bool dropInvalid);
  // Throws what load without dropInvalid would throw for a parameter holding
  // text, and changes nothing: a list can be checked before it is stored.
  static void validate(const char* text);
  // Writes the list into param at priority.
  void save(plat::StringParameter* param, int priority) const;
  // Takes ownership of p and inserts it in order; returns its index. A
  // principal without a writable id (see SecurityPrincipal::isWritable) is
  // deleted and refused with "invalid user name "<id>"" (or group).
  int add(SecurityPrincipal* p);
  void remove(int index);
  SecurityPrincipal* get(int index) const;
  // The first principal of that kind whose id equals id, or -1.
  int findById(const char* id, bool isGroup) const;

  int size() const { return int(principals_.size()); }
  // Whether the last load read a value set by policy (priority 0).
  bool isPolicy() const { return policy_; }

 private:
  std::vector<std::unique_ptr<SecurityPrincipal>> principals_;
  bool policy_ = false;
};

}  // namespace svr
