// Wildcard matching of names, as the `Log` setting matches log names.
#pragma once

namespace plat {

class Wildcard {
 public:
  enum : unsigned { STAR = 1 };  // "*" matches any run of characters

  // True when text matches pattern. Without STAR in flags, "*" is an
  // ordinary character; there is no other wildcard. Without caseSensitive,
  // both sides compare after tolower. Null reads as the empty text.
  //
  // The pattern is taken as segments between stars: the first must match the
  // start, the last the end, and each one between is taken at its leftmost
  // place. That gives the same answers as trying every split of every star,
  // without the exponential back-tracking: patterns come from the command
  // line and settings files, and must not be able to hang start-up.
  static bool match(const char* pattern, const char* text, bool caseSensitive, unsigned flags);
};

}  // namespace plat
