#include "lib2/wvw/WInputHandler.h"

namespace wvw {

WInputHandler::~WInputHandler() = default;

bool WInputHandler::handlePtrMove(const plat::Point&, Widget*) { return false; }
bool WInputHandler::handlePtrPress(unsigned char, Widget*) { return false; }
bool WInputHandler::handlePtrRelease(unsigned char, Widget*) { return false; }
bool WInputHandler::handlePtrLeave(Widget*) { return false; }
bool WInputHandler::handleKeyEvent(unsigned int, bool, Widget*) { return false; }
bool WInputHandler::handleFocus(bool, Widget*) { return false; }
bool WInputHandler::handleClick(Widget*) { return false; }
bool WInputHandler::handleChanged(Widget*) { return false; }
bool WInputHandler::handleVisible(Widget*) { return false; }
bool WInputHandler::handleStart(Widget*) { return false; }
bool WInputHandler::handleStop(Widget*) { return false; }
bool WInputHandler::handleEnable(Widget*) { return false; }
bool WInputHandler::handleResize(Widget*) { return false; }
bool WInputHandler::handlePasteText(Widget*) { return false; }
bool WInputHandler::handleCopyText(Widget*) { return false; }

}  // namespace wvw
