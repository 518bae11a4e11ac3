// The widget-set classes that headers of the set name by pointer or
// reference only, declared once so that the host interfaces and the widget
// base can refer to each other without including each other.
#pragma once

namespace wvw {
class WRoot;
class Widget;
}  // namespace wvw
