#include "lib2/plat/ConfigXml.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

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
  std::unique_ptr<char[]> text(raw);
  return text.get();
}

std::string body(const std::string& xml) { return xml.substr(xml.find("<config>")); }

const char* const kNames[] = {"low", "high", nullptr};

struct RefuseAll : XmlParamFilter {
  bool accept(const char*, const char*, const char*, bool) override { return false; }
};

}  // namespace

TEST(ConfigXml, WritesSortedElementsWithValuesByPriority) {
  Configuration config("t");
  StringParameter a("A", "say \"<x>\"", "x", false, &config);
  a.setParam("y", 50);
  BoolParameter hidden("_Hidden", "h", true, false, &config);
  EnumParameter e("e", loc::msgid_t("t_e_key"), "high", kNames, true, &config);
  std::string xml = written(config, true);
  EXPECT_EQ(xml.find("<?xml version=\"1.0\"?>\n<!DOCTYPE config ["), 0u);
  EXPECT_EQ(body(xml),
            "<config>\n"
            "<string name=\"A\"\n        description=\"say &quot;&lt;x&gt;&quot;\"\n"
            "        advanced=\"false\">\n"
            "    <value data=\"y\" priority=\"50\"/>\n"
            "    <value data=\"x\" priority=\"100\"/>\n"
            "</string>\n"
            "<enum   name=\"e\"\n        locDesc=\"t_e_key\"\n        advanced=\"true\"\n"
            "        min=\"0\"\n        max=\"1\">\n"
            "    <value data=\"high\" priority=\"100\"/>\n"
            "    <opt data=\"low\"/>\n    <opt data=\"high\"/>\n"
            "</enum>\n"
            "</config>\n");
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
  EXPECT_TRUE(config.subset(&read));
  EXPECT_TRUE(read.subset(&config));
  EXPECT_EQ(written(read), written(config));
  auto* ri = dynamic_cast<IntParameter*>(read.get("I"));
  ASSERT_NE(ri, nullptr);
  EXPECT_EQ(ri->max, 9);
  EXPECT_TRUE(read.get("B")->advanced);
}

TEST(ConfigXml, IntWithoutRangeIsFullRange) {
  Configuration read("r");
  readConfigXml(&read,
                "<config><int name='n' description='d' advanced='TRUE'>"
                "<value data='4' priority='100'/></int></config>",
                nullptr);
  auto* n = dynamic_cast<IntParameter*>(read.get("n"));
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(n->min, INT_MIN);
  EXPECT_EQ(n->max, INT_MAX);
  EXPECT_EQ(n->getValue(), 4);
  EXPECT_TRUE(n->advanced);
}

TEST(ConfigXml, BadDocumentsThrow) {
  struct {
    const char* xml;
    const char* failure;
  } cases[] = {
      {"<other/>", "XML error 0:0 Error: First Tag not found"},
      {"<config><a></config>", "XML error 1:21 Warning: Unmatched end tag"},
      {"<config><bool name='b' description='d'/></config>", "Incompatible XML config"},
      {"<config><bool description='d'><value data='1' priority='1'/></bool></config>",
       "Incompatible XML config"},
      {"<config><float name='f' description='d'><value data='1' priority='1'/></float></config>",
       "Incompatible XML config"},
      {"<config><bool name='b' description='d'><value data='1'/></bool></config>",
       "Incompatible XML config"},
      // An enumeration needs names, and a missing one may not cut the list.
      {"<config><enum name='e' description='d'><value data='a' priority='1'/></enum></config>",
       "Incompatible XML config"},
      {"<config><enum name='e' description='d'><value data='a' priority='1'/><opt/><opt "
       "data='a'/></enum></config>",
       "Incompatible XML config"},
  };
  for (auto& c : cases) {
    Configuration read("r");
    EXPECT_EQ(gwtest::failureOf([&] { readConfigXml(&read, c.xml, nullptr); }), c.failure) << c.xml;
  }
}

TEST(ConfigXml, FilterAndEmptyDocumentLeaveNoParameters) {
  Configuration read("r");
  StringParameter* old = new StringParameter("Old", "o", "", false, &read);
  read.ownsParams = true;
  (void)old;
  readConfigXml(&read, "<config></config>", nullptr);
  EXPECT_EQ(read.head, nullptr);
  RefuseAll refuse;
  readConfigXml(&read,
                "<config><bool name='b' description='d'><value data='1' priority='1'/></bool>"
                "</config>",
                &refuse);
  EXPECT_EQ(read.head, nullptr);
}
