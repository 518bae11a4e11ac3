// The dialog model's texts are registered whenever the library is linked,
// before main, so that an element built by any caller finds them; the
// sources that look keys up hold instances of their own as well, because
// static constructors across files run in no fixed order.
#include "AddLocStrings_mui.h"

static AddLocStrings_mui addLocStrings;
