// A name resolver that answers from the id alone and counts the questions:
// how often the user database would be asked. Installed while it lives.
#pragma once

#include "lib1/plat/Exception.h"
#include "libs/svr/SecurityPrincipal.h"

namespace gwtest {

class FakeResolver : public svr::SecurityPrincipal::NameResolver {
 public:
  // The id itself, no name, an empty name, or a failing user database.
  enum Answer { Id, Null, Empty, Throw };
  explicit FakeResolver(Answer a = Id) : answer(a) { svr::SecurityPrincipal::resolver = this; }
  plat::String resolveName(const char* id, const char*, bool) override {
    calls++;
    if (answer == Throw) throw plat::Exception("no such account");
    return answer == Id ? id : answer == Empty ? "" : nullptr;
  }
  plat::String canonicalizeName(const char* name, bool) override { return name; }
  Answer answer;
  long calls = 0;
};

}  // namespace gwtest
