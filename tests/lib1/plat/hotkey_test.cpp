// Marker removal is checked against a model by the fuzz target, which never
// gives a null text.
#include "lib1/plat/Hotkey.h"

#include <gtest/gtest.h>

TEST(Hotkey, ANullTextHasNoHotkey) { EXPECT_EQ(plat::processHotkeyText(nullptr, nullptr), 0); }
