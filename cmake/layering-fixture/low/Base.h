#pragma once
#include <X11/Xlib.h>

#include <vector>
