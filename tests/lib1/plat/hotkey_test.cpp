// The fuzz target checks marker removal against a model, never with a null text.
#include "lib1/plat/Hotkey.h"

#include <gtest/gtest.h>

TEST(Hotkey, ANullTextHasNoHotkey) { EXPECT_EQ(plat::processHotkeyText(nullptr, nullptr), 0); }
