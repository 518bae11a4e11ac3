// The set algebra of regions: union, intersection and subtraction. Each
// walks the bands of both operands together, so its cost is linear in their
// rectangle counts. The result may be either operand itself. Each returns
// false when it ran out of memory, leaving the result broken.
#pragma once

#include "lib2/fb/MiRegion.h"

namespace miRegion {

bool miUnion(_Region* result, const _Region* a, const _Region* b);
bool miIntersect(_Region* result, const _Region* a, const _Region* b);
// a minus b.
bool miSubtract(_Region* result, const _Region* a, const _Region* b);

}  // namespace miRegion
