#include "lib2/tx/TXDisplay.h"

namespace tx {

Display* dpy = nullptr;
Colormap cmap = 0;
unsigned long black, defaultFg, defaultBg, disabledBg, lightBg, darkBg, disabledFg, scrollbarBg,
    white, enabledBg;
GC defaultGC = nullptr;
XFontStruct* defaultFS = nullptr;
Font defaultFont = 0;

}  // namespace tx
