#include "lib2/wvw/WParent.h"

#include "lib2/wvw/WRoot.h"

namespace wvw {

WParent::~WParent() = default;

const WStyle* WParent::getWidgetStyle() const { return nullptr; }

WRoot* WParent::getRoot(plat::Point*) { return nullptr; }

WRoot::~WRoot() = default;

}  // namespace wvw
