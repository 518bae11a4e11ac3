#include "lib2/plat/ConfigXml.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lib1/plat/BinaryParameter.h"
#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/IntParameter.h"
#include "lib1/plat/StringParameter.h"
#include "tests/support/Failure.h"

using namespace plat;

namespace {

std::string written(const Configuration& config, bool useLocDesc = false) {
  char* raw = nullptr;
  writeConfigXml(&config, &raw, useLocDesc);
  return std::unique_ptr<char[]>(raw).get();
}

const char* const kNames[] = {"low", "high", nullptr};

}  // namespace

TEST(ConfigXml, WritesSortedElementsWithValuesByPriority) {
  Configuration config("t");
  StringParameter a("A", "say \"<x>\"", "x", false, &config);
  a.setParam("y", 50);
  BoolParameter hidden("_Hidden", "h", true, false, &config);
  EnumParameter e("e", loc::msgid_t("t_e_key"), "high", kNames, true, &config);
  std::string xml = written(config, true);
  EXPECT_EQ(xml.find("<?xml version=\"1.0\"?>\n<!DOCTYPE config ["), 0u);
  EXPECT_EQ(xml.substr(xml.find("<config>")),
            "<config>\n<string name=\"A\"\n        description=\"say &quot;&lt;x&gt;&quot;\"\n"
            "        advanced=\"false\">\n    <value data=\"y\" priority=\"50\"/>\n"
            "    <value data=\"x\" priority=\"100\"/>\n</string>\n"
            "<enum   name=\"e\"\n        locDesc=\"t_e_key\"\n        advanced=\"true\"\n"
            "        min=\"0\"\n        max=\"1\">\n"
            "    <value data=\"high\" priority=\"100\"/>\n"
            "    <opt data=\"low\"/>\n    <opt data=\"high\"/>\n</enum>\n</config>\n");
}

TEST(ConfigXml, RoundTripGivesAnEqualRegistry) {
  Configuration config("t");
  StringParameter s("S", "quote ' & <", "a\"b", false, &config);
  BoolParameter b("B", "b", true, true, &config);
  IntParameter i("I", "i", 5, false, &config, -3, 9);
  EnumParameter e("E", "e", "high", kNames, false, &config);
  unsigned char bytes[] = {1, 0xAB};
  BinaryParameter bin("Bin", "bin", CBuf<unsigned char>{2, bytes}, &config, false);
  b.setParam("0", 0);
  i.setParam("7", 50);
  Configuration read("r");
  readConfigXml(&read, written(config).c_str(), nullptr);
  EXPECT_TRUE(config.subset(&read) && read.subset(&config));
  EXPECT_EQ(written(read), written(config));  // ranges and advanced flags included
}

TEST(ConfigXml, IntWithoutRangeIsFullRange) {
  Configuration read("r");
  readConfigXml(&read,
                "<config><int name='n' description='d' advanced='TRUE'><value data='4' "
                "priority='100'/></int></config>",
                nullptr);
  auto* n = dynamic_cast<IntParameter*>(read.get("n"));
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(std::vector<long>({n->min, n->max, n->getValue(), n->advanced}),
            std::vector<long>({INT_MIN, INT_MAX, 4, true}));
}

// The parameter is built from the key and holds no description: the text
// given beside it must be freed with the reading, not handed to nobody (the
// sanitizer build's leak check fails on it).
TEST(ConfigXml, KeyBesideTextWinsAndTheTextIsFreed) {
  Configuration read("r");
  readConfigXml(&read,
                "<config><bool name='b' locDesc='t_b_key' description='unused'><value data='1' "
                "priority='100'/></bool></config>",
                nullptr);
  ConfigParameter* b = read.get("b");
  ASSERT_NE(b, nullptr);
  EXPECT_STREQ(b->msgid.get(), "t_b_key");
  EXPECT_EQ(b->description, nullptr);
}

TEST(ConfigXml, BadDocumentsThrow) {
  const char* bad = "Incompatible XML config";
  const std::pair<const char*, const char*> cases[] = {
      {"<other/>", "XML error 0:0 Error: First Tag not found"},
      {"<config><a></config>", "XML error 1:21 Warning: Unmatched end tag"},
      {"<config><bool name='b' description='d'/></config>", bad},
      {"<config><bool description='d'><value data='1' priority='1'/></bool></config>", bad},
      {"<config><float name='f' description='d'><value data='1' priority='1'/></float></config>",
       bad},
      {"<config><bool name='b' description='d'><value data='1'/></bool></config>", bad},
      // An enumeration needs names, and a missing one may not cut the list.
      {"<config><enum name='e' description='d'><value data='a' priority='1'/></enum></config>",
       bad},
      {"<config><enum name='e' description='d'><value data='a' priority='1'/><opt/><opt "
       "data='a'/></enum></config>",
       bad},
  };
  for (auto [xml, failure] : cases) {
    Configuration read("r");
    EXPECT_EQ(gwtest::failureOf([&] { readConfigXml(&read, xml, nullptr); }), failure) << xml;
  }
}
