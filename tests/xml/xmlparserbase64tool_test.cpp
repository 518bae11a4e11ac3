#include "xml/XMLParserBase64Tool.h"

#include <gtest/gtest.h>

#include <string>

using namespace xml;

TEST(XMLParserBase64Tool, EncodesAndDecodesStandardVectors) {
  const char* vectors[][2] = {{"", ""},
                              {"f", "Zg=="},
                              {"fo", "Zm8="},
                              {"foo", "Zm9v"},
                              {"foob", "Zm9vYg=="},
                              {"fooba", "Zm9vYmE="},
                              {"foobar", "Zm9vYmFy"}};
  XMLParserBase64Tool tool;
  for (auto& v : vectors) {
    std::string plain = v[0];
    EXPECT_STREQ(
        tool.encode(reinterpret_cast<unsigned char*>(plain.data()), unsigned(plain.size())), v[1]);
    EXPECT_EQ(XMLParserBase64Tool::decodeSize(v[1]), plain.size()) << v[1];
    int length = -1;
    XMLError error = eXMLErrorNone;
    unsigned char* out = tool.decode(v[1], &length, &error);
    EXPECT_EQ(error, eXMLErrorNone) << v[1];
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out ? out : (unsigned char*)""), length), plain);
  }
}

TEST(XMLParserBase64Tool, FormattedTextBreaksEvery72Characters) {
  std::string plain(55, 'x');
  XMLParserBase64Tool tool;
  std::string text = tool.encode(reinterpret_cast<unsigned char*>(plain.data()), 55, 1);
  EXPECT_EQ(text.find('\n'), 72u);
  EXPECT_EQ(int(text.size()) + 1, XMLParserBase64Tool::encodeLength(55, 1));
  int length = 0;
  auto* out = reinterpret_cast<char*>(tool.decode(text.c_str(), &length));
  EXPECT_EQ(std::string(out, length), plain);
}

TEST(XMLParserBase64Tool, SizesFollowTheCharacters) {
  struct {
    const char* text;
    unsigned size;
    XMLError error;
  } cases[] = {
      {"QQ==", 1, eXMLErrorNone},
      {"QUI=", 2, eXMLErrorNone},
      {"QUJD", 3, eXMLErrorNone},
      {"YW Jj\n", 3, eXMLErrorNone},
      {"YWJjZ", 3, eXMLErrorBase64DataSizeIsNotMultipleOf4},
      {"YW*j", 0, eXMLErrorBase64DecodeIllegalCharacter},
  };
  for (auto& c : cases) {
    XMLError error = eXMLErrorNone;
    EXPECT_EQ(XMLParserBase64Tool::decodeSize(c.text, &error), c.size) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

TEST(XMLParserBase64Tool, DecodeReportsHowTheTextEnded) {
  struct {
    const char* text;
    int size;
    unsigned char result;
    XMLError error;
  } cases[] = {
      {"YWJj", 3, 2, eXMLErrorNone},
      {"YWI=", 2, 2, eXMLErrorNone},
      {"YWI=", 3, 1, eXMLErrorBase64DecodeTruncatedData},
      {"YWJjZ", 4, 1, eXMLErrorBase64DecodeTruncatedData},
      {"YW*j", 3, 0, eXMLErrorBase64DecodeIllegalCharacter},
      {"YWJjYWJj", 4, 0, eXMLErrorBase64DecodeBufferTooSmall},
  };
  for (auto& c : cases) {
    unsigned char out[8];
    XMLError error = eXMLErrorNone;
    EXPECT_EQ(XMLParserBase64Tool::decode(c.text, out, c.size, &error), c.result) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}
