#include "lib1/loc/Translation.h"

#include <cstring>

#include "lib1/loc/LString.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/StrUtil.h"

namespace loc {

void Translation::release() const {
  if (owned_) delete[] text_;
  text_ = nullptr;
  owned_ = false;
}

void Translation::set(const char* text, bool copy) {
  // Copy before letting the old text go: text may be the old text itself.
  const char* next = copy ? plat::strDup(text) : text;
  release();
  text_ = next;
  owned_ = copy;
  state_ = TR_UNUSED;
}

const char* Translation::get(bool raw, msgid_t id) const {
  if (state_ == TR_UNUSED) {
    state_ = raw ? TR_RAW : TR_FORMATTED;
    if (raw || !strchr(text_, '%')) return text_;
    LString expanded;
    expanded.xprintf(text_, PrintfArgList{});
    const char* formatted = expanded.takeBuf();
    release();
    text_ = formatted ? formatted : plat::strDup("");
    owned_ = true;
    return text_;
  }
  int state = state_;
  PLAT_ASSERT_MSG((raw == (state == TR_RAW)),
                  "Can't use same string as both raw and formatted - %s", id.get());
  return text_;
}

}  // namespace loc
