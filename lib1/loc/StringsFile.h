// Strings files: texts of one locale in the PO subset of PoParser, named
// "strings.<locale>.po" in a localisation directory. They add texts for any
// locale and override built-in ones. No error in a file reaches the user or
// stops start-up: syntax errors are logged per line and reading goes on;
// an I/O error or an over-long line ends that file with one logged error.
#pragma once

#include "lib1/rdr/Forward.h"

namespace loc {

class Localize;

// Reads dir/strings.<locale>.po into registry. False when there is no such
// file (silently) or when it could not be read to its end (logged).
bool loadStringsFile(const char* dir, const char* locale, Localize* registry);

// Registers every entry of in under locale; fileName names the source in
// messages. Stream errors other than the end of the data reach the caller.
void readStringsFile(rdr::InStream* in, const char* fileName, const char* locale,
                     Localize* registry);

}  // namespace loc
