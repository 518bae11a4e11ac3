// mui::init: binds the dialog model to its widget-set and X11 back ends.
// A program that shows dialog-model dialogs on X calls it once, after the
// display is open and before it creates its first element.
#pragma once

namespace mui {

// The first call builds the widget-set singleton and, when appName is not
// null, the window icon made from the images named after the application;
// every call installs the singleton and fills the factory slots again.
void init(const char* appName);

}  // namespace mui
