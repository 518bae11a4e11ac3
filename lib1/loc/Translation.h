// loc::Translation: one text of one locale in the registry's tables. A text
// is used either raw (a format the caller fills) or formatted (only "%%"
// turned into "%", done once and kept), never both until it is registered
// again: mixing the two is a programming error and ends the process.
#pragma once

#include "lib1/plat/MsgId.h"

namespace loc {

class Translation {
 public:
  enum { TR_UNUSED = 0, TR_RAW = 1, TR_FORMATTED = 2 };

  Translation() = default;
  Translation(const Translation&) = delete;
  Translation& operator=(const Translation&) = delete;
  ~Translation() { release(); }

  // Takes a new text: a private copy when copy is set, else the pointer,
  // which must outlive the process (a message table's literal).
  void set(const char* text, bool copy);

  // The raw or formatted text. Looking up alters the cached form only, which
  // is why this is const.
  const char* get(bool raw, msgid_t id) const;

  const char* text() const { return text_; }

 private:
  void release() const;

  mutable const char* text_ = nullptr;
  mutable bool owned_ = false;
  mutable int state_ = TR_UNUSED;
};

}  // namespace loc
