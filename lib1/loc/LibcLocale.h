// C-library locales for the user-interface language: which name the C
// library accepts for a language and with which character encoding, UTF-8
// preferred. Every probe notes the LC_ALL setting and puts it back, so the
// program's own locale changes only inside a LibcLocaleSetter. Results are
// cached per requested name; the environment's messages locale is read once.
#pragma once

#include <vector>

#include "lib1/plat/String.h"

namespace loc {

enum EncType { ENC_OTHER = 0, ENC_UTF8 = 1, ENC_LATIN1 = 2, ENC_ASCII = 3 };

struct LibcLocale {
  plat::String name = "C";  // a name the C library accepted, or "C"
  int encType = ENC_OTHER;
};

// The environment's C-library locale, and (unless it is "C") its language
// list from LANGUAGE or from the locale name itself, appended to locales.
void getOsLibcLocale(LibcLocale* out, std::vector<plat::String>* locales);

// A usable C-library locale for name: name itself when its encoding is known,
// else a UTF-8, Latin-1 or ASCII variant of its language. False when none.
bool findLibcLocale(const char* name, LibcLocale* out);
bool findUtf8Locale(const char* lang, const char* modifier, LibcLocale* out);
bool findLatin1OrAsciiLocale(const char* lang, const char* modifier, LibcLocale* out);

// The encoding type of name, its language part and its modifier (null when
// none). The modifier is only ever the text after "@".
int getEncType(const char* name, plat::String* lang, plat::String* modifier);

// A platform with a user-interface language of its own would be told here.
void setUiLocale(const std::vector<plat::String>& locales);

// Switches LC_ALL for the life of the object; puts the old setting back only
// when the switch succeeded.
class LibcLocaleSetter {
 public:
  explicit LibcLocaleSetter(const char* name);
  ~LibcLocaleSetter();
  LibcLocaleSetter(const LibcLocaleSetter&) = delete;
  LibcLocaleSetter& operator=(const LibcLocaleSetter&) = delete;

  bool ok() const { return !result_.isNull(); }

 private:
  plat::String old_;
  plat::String result_;
};

}  // namespace loc
