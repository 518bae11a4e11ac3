// A name resolver for the permissions model that answers from the id alone
// and counts the questions, so that tests, fuzz targets and benchmarks see
// how often the user database would be asked. It installs itself while it
// lives.
#pragma once

#include "lib1/plat/Exception.h"
#include "libs/svr/SecurityPrincipal.h"

namespace gwtest {

class FakeResolver : public svr::SecurityPrincipal::NameResolver {
 public:
  // What resolveName answers: the id itself, no name, an empty name, or a
  // failure of the user database.
  enum Answer { Id, Null, Empty, Throw };

  explicit FakeResolver(Answer a = Id) : answer(a) { svr::SecurityPrincipal::resolver = this; }

  plat::String resolveName(const char* id, const char*, bool) override {
    calls++;
    switch (answer) {
      case Id:
        return id;
      case Null:
        return {};
      case Empty:
        return "";
      case Throw:
        break;
    }
    throw plat::Exception("no such account");
  }
  plat::String canonicalizeName(const char* name, bool) override { return name; }

  Answer answer;
  long calls = 0;
};

}  // namespace gwtest
