// Registers the operating-system library's texts at start-up, whether or not
// a launcher is ever used.
#include "AddLocStrings_os.h"

namespace os {

namespace {

AddLocStrings_os addLocStrings;

}  // namespace

}  // namespace os
