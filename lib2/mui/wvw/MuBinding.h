// The one place where the dialog model meets this back-end: every factory
// slot gets the element that realises its kind on the widget set, dialogs
// and the super-box's popup as windows of the X layer, the auto-hiding
// window as a dialog whose window the X layer's edge auto-hider moves. The
// program's start-up and the tests both bind through it, so they build the
// same elements.
#pragma once

namespace mui {

// Fills every slot; binding again writes the same values.
void bindWvwBackEnd();

}  // namespace mui
