#include "lib1/plat/Configuration.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/IntParameter.h"
#include "lib1/plat/StringParameter.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Failure.h"

using namespace gwtest;
using namespace plat;

namespace {

std::string value(const Configuration& c, const char* name) { return valueOf(*c.getOrThrow(name)); }

// root: A B; child1: C D; child2: E; grandchild (under child1): F.
struct Tree : testing::Test {
  Configuration root{"Root"}, child1{"C1"}, child2{"C2"}, grand{"G"};
  StringParameter a{"A", "", "a", false, &root};
  IntParameter b{"B", "", 2, false, &root};
  StringParameter c{"C", "", "c", false, &child1}, d{"D", "", "d", false, &child1};
  StringParameter e{"E", "", "e", false, &child2}, f{"F", "", "f", false, &grand};
  Tree() {
    root.registerChild(&child1, true);
    root.registerChild(&child2, true);
    root.registerChild(&child1, true);  // once only
    child1.registerChild(&grand, true);
  }
};

// Counts the instances alive; cloning "Last" throws.
struct Counted : IntParameter {
  static inline int live = 0;
  Counted(const char* n, Configuration* c) : IntParameter(n, "", 0, false, c) { live++; }
  Counted(const Counted& other, Configuration* c) : IntParameter(other, c) { live++; }
  ~Counted() override { live--; }
  ConfigParameter* clone(Configuration* target) const override {
    if (std::string(name) == "Last") throw Exception("out of memory");
    return new Counted(*this, target);
  }
};

struct Refuse : ParameterAlias {
  Refuse() : ParameterAlias("X") {}
  bool handleAlias(const char*, const char*, SettingsMap*) override { return false; }
};

struct Aliases : testing::Test {
  Configuration conf{"Test"};
  BoolParameter x{"X", "", false, false, &conf};
  IntParameter y{"Y", "", 0, false, &conf, 0, 5};
  ParameterAlias both{"X", "Y"};
  Refuse refuse;
};

}  // namespace

TEST(ConfigurationCopy, ACloneThatThrowsLeavesNoEarlierCloneBehind) {
  Configuration conf("Test");
  Counted last("Last", &conf);  // the walk meets it after the newer ones
  Counted a("A", &conf), b("B", &conf);
  EXPECT_THROW(Configuration copy(conf), Exception);
  EXPECT_EQ(Counted::live, 3);
}

TEST_F(Tree, LookupIgnoresCaseAndPrefersOwnThenEarlierChildDepthFirst) {
  StringParameter shadowB{"b", "", "c1's b", false, &child1}, shadowF{"f", "", "", false, &child2};
  EXPECT_EQ(root.get("b"), &b);
  EXPECT_EQ(root.get("F"), &f);  // child1's grandchild before child2
  EXPECT_EQ(failureOf([&] { root.getOrThrow("nope"); }), "Parameter nope not found");
  EXPECT_TRUE(root.set("f", "x", 50));
  EXPECT_EQ(value(grand, "F"), "x");
  EXPECT_FALSE(root.set("B", "zz", 50));  // refused by its own: child1's is not tried
  EXPECT_FALSE(root.set("nope", "1", 50));
}

TEST_F(Aliases, SetGoesToEveryTargetThatAccepts) {
  conf.addAlias("xy", &both);
  EXPECT_TRUE(conf.set("XY", "1", 50));  // both accept
  EXPECT_TRUE(x.getValue() && y.getValue() == 1);
  EXPECT_TRUE(conf.set("-xy=no", 50));  // X accepts, Y refuses
  EXPECT_FALSE(x.getValue());
  EXPECT_FALSE(conf.set("xy", "9", 50));  // neither accepts
  conf.addAlias("XY", &refuse);           // replaces, letter case ignored
  EXPECT_FALSE(conf.set("xy", "1", 50));
}

TEST_F(Aliases, OutlivingItsRegistriesLeavesNoDanglingEntry) {
  auto reg = std::make_unique<Configuration>("Gone");
  auto own = std::make_unique<ParameterAlias>("old", &y, reg.get());
  auto copy = std::make_unique<Configuration>(*reg);
  reg.reset();  // the alias must not reach back into it later
  own.reset();  // nor may the copy keep pointing at the alias
  EXPECT_EQ(copy->aliases.count("old"), 0u);
  EXPECT_FALSE(copy->set("old", "3", 50));
}

TEST_F(Aliases, LoopIsRefusedWhereMade) {
  ParameterAlias toB("b"), toA("A"), self("X");
  conf.addAlias("a", &toB);
  EXPECT_EQ(failureOf([&] { conf.addAlias("B", &toA); }), "Alias B leads back to itself");
  EXPECT_EQ(failureOf([&] { conf.addAlias("x", &self); }), "Alias x leads back to itself");
  EXPECT_EQ(failureOf([&] { ParameterAlias again("x", &x, &conf); }),
            "Alias x leads back to itself");
}

TEST(Usage, ListingSortsFiltersAndPlacesDefaults) {
  Configuration conf("Tiny");
  IntParameter alpha("alpha", "first", 2, false, &conf);
  StringParameter beta("Beta", "a description long enough to wrap", "some/longer/default", false,
                       &conf);
  BoolParameter adv("Adv", "advanced", false, true, &conf);
  StringParameter hidden("_hidden", "never", "", false, &conf);
  testing::internal::CaptureStdout();
  conf.list(false, true, stdout, 40, 6);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Tiny Parameters:\n"
            "  alpha  - first (default=2)\n"
            "  Beta   - a description long enough to\n"
            "           wrap\n"
            "           (default=some/longer/default)\n");
}
