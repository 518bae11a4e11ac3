#include "lib2/fb/DeadKeyUtil.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const unsigned deadGrave = 0xFE50, deadAcute = 0xFE51, deadCircumflex = 0xFE52,
               deadDiaeresis = 0xFE57, multiKey = 0xFF20, shiftL = 0xFFE1;

struct Event {
  unsigned keysym;
  bool down;
  bool consumed;
  std::vector<unsigned> out;
};

void play(const char* name, const std::vector<Event>& events) {
  fb::DeadKeyUtil util;
  int i = 0;
  for (const Event& e : events) {
    std::vector<unsigned> out;
    EXPECT_EQ(util.interpretDeadKeys(e.keysym, e.down, &out), e.consumed) << name << " event " << i;
    EXPECT_EQ(out, e.out) << name << " event " << i;
    i++;
  }
}

TEST(DeadKeyUtil, SequencesCombineAsTyped) {
  play("acute e", {{deadAcute, true, true, {}},
                   {deadAcute, false, true, {}},
                   {'e', true, true, {0xE9}},
                   {'e', false, true, {}},  // the release is swallowed
                   {'e', true, false, {}}});
  play("acute q",
       {{deadAcute, true, true, {}}, {'q', true, true, {0x27, 'q'}}, {'q', false, true, {}}});
  play("grave shift A", {{deadGrave, true, true, {}},
                         {shiftL, true, false, {}},
                         {shiftL, false, false, {}},
                         {'A', true, true, {0xC0}}});
  play("compose apostrophe e", {{multiKey, true, true, {}},
                                {multiKey, false, true, {}},
                                {'\'', true, true, {}},
                                {'\'', false, true, {}},
                                {'e', true, true, {0xE9}}});
  play("compose shift asciicircum o", {{multiKey, true, true, {}},
                                       {shiftL, true, false, {}},
                                       {'^', true, true, {}},
                                       {'o', true, true, {0xF4}}});
  play("second dead key replaces the first",
       {{deadAcute, true, true, {}}, {deadDiaeresis, true, true, {}}, {'u', true, true, {0xFC}}});
  play("no accent pending", {{'a', true, false, {}}, {'a', false, false, {}}});
}

TEST(DeadKeyUtil, CombineAndSplit) {
  fb::DeadKeyUtil util;
  struct Row {
    unsigned dead, base, result;
  } rows[] = {
      {deadAcute, ' ', 0x27},  // apostrophe before acute
      {deadGrave, 'A', 0xC0},
      {deadGrave, ' ', 0x60},
      {0xFE5C, 'A', 0x1A1},  // ogonek
      {0xFE63, 'L', 0x1A3},  // stroke
      {deadCircumflex, 'w', 0x1000175},
      {0xFE56, 'B', 0x1001E02},
      {deadDiaeresis, 'Y', 0x13BE},
      {deadAcute, 0x7C1, 0x7A1},  // Greek_ALPHAaccent
      {0x1000344, ' ', 0x7AE},
      {0x1000344, 0x7E9, 0x7B6},
      {deadAcute, 'q', 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(util.combine(r.dead, r.base), r.result) << std::hex << r.dead << " " << r.base;
  unsigned dead = 0, base = 0;
  ASSERT_TRUE(util.split(0xB4, &dead, &base));
  EXPECT_EQ(dead, deadAcute);
  EXPECT_EQ(base, 0x20u);
  EXPECT_FALSE(util.split('q', &dead, &base));
}

TEST(DeadKeyUtil, SpacingAndDeadPairsTakeTheFirstMatch) {
  EXPECT_EQ(fb::DeadKeyUtil::deadToSpacing(deadAcute), 0x27u);
  EXPECT_EQ(fb::DeadKeyUtil::deadToSpacing(deadDiaeresis), 0x22u);
  EXPECT_EQ(fb::DeadKeyUtil::spacingToDead(0xB4), deadAcute);
  EXPECT_EQ(fb::DeadKeyUtil::spacingToDead(0x10002DA), 0xFE58u);
  EXPECT_EQ(fb::DeadKeyUtil::spacingToDead('a'), 0u);
  EXPECT_TRUE(fb::DeadKeyUtil::isDeadKey(0xFE63));
  EXPECT_TRUE(fb::DeadKeyUtil::isDeadKey(0x1000344));
  EXPECT_FALSE(fb::DeadKeyUtil::isDeadKey(0xFE64));
}

}  // namespace
