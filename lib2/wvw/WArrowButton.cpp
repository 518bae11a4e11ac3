#include "lib2/wvw/WArrowButton.h"

namespace wvw {

WArrowButton::WArrowButton(WArrow::Direction d) : WBevelButton(true), arrow(d) { setChild(&arrow); }

// The arrow is a member and goes before the container part; it must leave the
// list first.
WArrowButton::~WArrowButton() { setChild(nullptr); }

}  // namespace wvw
