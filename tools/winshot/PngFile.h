// A picture saved as an 8-bit RGB PNG file. The file appears whole or not
// at all: it is written beside its place and renamed into it, so a failed
// write leaves any earlier picture there as it was.
#pragma once

#include <string>

#include "tools/winshot/PaintWatch.h"

namespace winshot {

// Throws std::runtime_error with libpng's or the system's reason.
void savePng(const Picture& picture, const std::string& path);

}  // namespace winshot
