// A text field that completes what the user types from a list of strings:
// after a key press that grew the text with the cursor at its end, the first
// stored string that begins with the text replaces it, and the completed tail
// is selected so that the next typed character replaces it.
//
// Invariant: a stored string comes before every stored string it is a prefix
// of, so a shorter match is found before its longer completions.
#pragma once

#include <list>

#include "lib1/plat/String.h"
#include "lib2/wvw/WText.h"

namespace wvw {

class WTextAutocomplete : public WText {
 public:
  WTextAutocomplete(int maxLen, bool editMenuEnabled);
  ~WTextAutocomplete() override;

  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;

  void setAutocompleteStrings(const std::list<plat::String>& strings, bool caseSensitive);
  // The first n bytes of a and b agree (ASCII case folded unless case-sensitive).
  bool match(const char* a, const char* b, int n) const;

 private:
  bool caseSensitive_ = false;
  std::list<plat::String> strings_;
};

}  // namespace wvw
