#include "lib2/wvw/WTextAutocomplete.h"

#include <strings.h>

#include <cstring>

namespace wvw {

WTextAutocomplete::WTextAutocomplete(int maxLen, bool editMenuEnabled)
    : WText(maxLen, nullptr, editMenuEnabled) {}

WTextAutocomplete::~WTextAutocomplete() = default;

bool WTextAutocomplete::match(const char* a, const char* b, int n) const {
  return (caseSensitive_ ? std::strncmp(a, b, n) : strncasecmp(a, b, n)) == 0;
}

void WTextAutocomplete::setAutocompleteStrings(const std::list<plat::String>& strings,
                                               bool caseSensitive) {
  caseSensitive_ = caseSensitive;
  strings_.clear();
  for (const plat::String& s : strings) {
    int n = (int)std::strlen(s.get());
    auto at = strings_.begin();
    while (at != strings_.end() && !match(s.get(), at->get(), n)) ++at;
    strings_.insert(at, s);
  }
}

bool WTextAutocomplete::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  if (!down) return WText::handleKeyEvent(keysym, down, w);
  int low = std::min(getCursor(), getCursor() + getSelLength());
  bool result = WText::handleKeyEvent(keysym, down, w);
  int len = (int)std::strlen(getText());
  if (len <= low || getSelLength() != 0 || getCursor() != len || strings_.empty()) return result;
  for (const plat::String& s : strings_) {
    if ((int)std::strlen(s.get()) < len || !match(getText(), s.get(), len)) continue;
    plat::String completed = s;
    setText(completed.get(), true);
    select(len, -1);
    break;
  }
  return result;
}

}  // namespace wvw
