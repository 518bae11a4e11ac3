// The standard button texts ("OK", "Cancel", ...) that the dialog model's
// button bar shows by key. The abstract model stays clear of the X program
// library that owns them, so the back-end that realises it registers them.
#include "AddLocStrings_ui.h"

namespace mui {

namespace {

AddLocStrings_ui uiTexts;

}  // namespace

}  // namespace mui
