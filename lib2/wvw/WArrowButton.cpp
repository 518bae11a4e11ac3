#include "lib2/wvw/WArrowButton.h"

namespace wvw {

WArrowButton::WArrowButton(WArrow::Direction d) : WBevelButton(true), arrow(d) { setChild(&arrow); }

}  // namespace wvw
