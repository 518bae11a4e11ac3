// Golden-image checks: a rendered picture is compared pixel for pixel with a
// PNG committed beside the tests. With GW_UPDATE_GOLDEN=1 in the environment
// the check writes the picture as the new golden image instead (and passes),
// for after a deliberate change of look: run the tests that way once, then
// look at the images before committing them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "lib2/fb/FullFramePixelBuffer.h"

namespace gwtest {

// path: the PNG file. Fails naming the first differing pixel and the count.
testing::AssertionResult matchesGolden(fb::FullFramePixelBuffer& pb, const std::string& path);

}  // namespace gwtest
