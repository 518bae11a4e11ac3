// Environment references in paths (LogDir, LogFile): $NAME and ${NAME}.
#pragma once

#include <map>

#include "lib1/plat/DString.h"
#include "lib1/plat/String.h"

namespace plat {

// The expansion of text. A name is looked up in vars first (when given),
// then in the environment. "$$" stands for "$" and "${}" gives "$"; a "$"
// that starts no name is dropped. An unset name expands to nothing, or, when
// strict, throws "unknown environment variable: <name>". A braced name runs
// to the next "}" or the end of the text; a bare one is the longest run of
// ASCII letters, digits and "_", and may start with a digit.
class EnvExpand : public DString {
 public:
  EnvExpand(const char* text, const std::map<String, String>* vars = nullptr, bool strict = false);

 private:
  void expandName(const char* name, int len, const std::map<String, String>* vars, bool strict);
};

}  // namespace plat
