#include "xml/XMLParser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/support/Deadline.h"
#include "tests/support/TempDir.h"
#include "xml/XMLNode.h"
#include "xml/XMLUtil.h"

using namespace xml;

namespace {

struct Case {
  const char* text;
  XMLError error;
  int line, column;
  const char* compact;  // the tree written back, or null for the empty node
};

std::string compact(const XMLNode& node) {
  char* s = node.createXMLString(0);
  std::string out = s ? s : "(empty)";
  freeXMLString(s);
  return out;
}

const Case kCorpus[] = {
    {"", eXMLErrorNoXMLTagFound, 1, 1, ""},
    {"hello", eXMLErrorNoXMLTagFound, 1, 6, "hello"},
    {"<a>x</a>", eXMLErrorNone, 0, 0, "<a>x</a>"},
    {"<a> x </a>", eXMLErrorNone, 0, 0, "<a>x</a>"},
    {"<a><b></a>", eXMLErrorMissingEndTag, 1, 11, "<a><b/></a>"},
    {"<a>\n<b>\n</a>", eXMLErrorMissingEndTag, 3, 5, "<a><b/></a>"},
    {"<a><b>", eXMLErrorMissingEndTag, 1, 7, "<a><b/></a>"},
    {"<a></b>", eXMLErrorUnmatchedEndTag, 1, 8, nullptr},
    {"<a x=1 y z='2'/>", eXMLErrorNone, 0, 0, "<a x=\"1\" y z=\"2\"/>"},
    {"<a x=>", eXMLErrorUnexpectedToken, 1, 7, nullptr},
    {"<a \"x\">", eXMLErrorUnexpectedToken, 1, 7, nullptr},
    {"<>", eXMLErrorMissingTagName, 1, 3, nullptr},
    {"<a></>", eXMLErrorMissingEndTagName, 1, 7, nullptr},
    {"<a>&lt;&#65;&#x42;&AMP;</a>", eXMLErrorNone, 0, 0, "<a>&lt;AB&amp;</a>"},
    {"<a>&#300;</a>", eXMLErrorCharacterCodeAbove255, 1, 12, nullptr},
    {"<a>&nbsp;</a>", eXMLErrorUnknownCharacterEntity, 1, 12, nullptr},
    // A reference to nothing or to byte 0 would silently cut the text.
    {"<a>&#;x</a>", eXMLErrorUnknownCharacterEntity, 1, 10, nullptr},
    {"<a>&#0;x</a>", eXMLErrorUnknownCharacterEntity, 1, 11, nullptr},
    {"<a>&#x41</a>", eXMLErrorUnknownCharacterEntity, 1, 11, nullptr},
    {"<a v='&#1a;'/>", eXMLErrorUnknownCharacterEntity, 1, 13, nullptr},
    {"<a>x<!-- c -->y</a>", eXMLErrorNone, 0, 0, "<a>xy</a>"},
    {"<!DOCTYPE r [ <!ENTITY e '>'> ]><r/>", eXMLErrorNone, 0, 0,
     "<!DOCTYPE r [ <!ENTITY e '>'> ]><r/>"},
    {"<a><![CDATA[", eXMLErrorUnmatchedEndClearTag, 1, 13, nullptr},
    {"<a><![CDATA[<&>]]></a>", eXMLErrorNone, 0, 0, "<a><![CDATA[<&>]]></a>"},
    {"<PRE> <b> </PRE>", eXMLErrorNoXMLTagFound, 1, 17, "<PRE> <b> </PRE>"},
    {"<a/></b><c/>", eXMLErrorMissingEndTag, 1, 9, "<a/>"},
    {"<?xml version=\"1.0\"?><r><?pi x?><s/></r>", eXMLErrorNone, 0, 0,
     "<?xml version=\"1.0\"?><r><?pi x?><s/></r>"},
    {"<?xml?><r><?pi?><s/></r>", eXMLErrorNone, 0, 0, "<?xml?><r><?pi?><s/></r>"},
    // A lead byte cut short by the end of the text stops at the terminator.
    {"<a>\xE2\x82", eXMLErrorMissingEndTag, 1, 5, "<a>\xE2\x82</a>"},
    {"<a b='\xF0", eXMLErrorMissingEndTag, 1, 8, "<a b=\"&apos;\xF0\"/>"},
};

}  // namespace

TEST(XMLParser, CorpusGivesCodesPositionsAndTrees) {
  for (const Case& c : kCorpus) {
    SCOPED_TRACE(c.text);
    XMLResults r;
    XMLNode n = XMLNode::parseString(c.text, nullptr, &r);
    EXPECT_EQ(r.error, c.error);
    EXPECT_EQ(r.line, c.line);
    EXPECT_EQ(r.column, c.column);
    EXPECT_EQ(compact(n), c.compact ? c.compact : "(empty)");
  }
}

TEST(XMLParser, NullTextIsError9AtNoPosition) {
  XMLResults r;
  EXPECT_TRUE(XMLNode::parseString(nullptr, nullptr, &r).isEmpty());
  EXPECT_EQ(r.error, eXMLErrorNoElements);
  EXPECT_EQ(r.line, 0);
}

TEST(XMLParser, ExpectedRootIsFoundInsideDeclaration) {
  XMLResults r;
  XMLNode n = XMLNode::parseString("<?xml version='1.0'?><R/>", "r", &r);
  EXPECT_STREQ(n.getName(), "R");
  EXPECT_TRUE(XMLNode::parseString("<?xml version='1.0'?><r/>", "q", &r).isEmpty());
  EXPECT_EQ(r.error, eXMLErrorFirstTagNotFound);
  EXPECT_EQ(r.column, 0);
}

TEST(XMLParser, AttributeValuesAreDecodedAndValuelessOnesAreNull) {
  XMLNode n = XMLNode::parseString("<a x='&quot;1&apos;' y z=2/>");
  EXPECT_STREQ(n.getAttribute("x"), "\"1'");
  EXPECT_TRUE(n.isAttributeSet("y"));
  EXPECT_EQ(n.getAttribute("y"), nullptr);
  EXPECT_STREQ(n.getAttribute("z"), "2");
}

TEST(XMLParser, DocumentTypeWithSubsetClosesAtBracket) {
  XMLNode n = XMLNode::parseString("<!DOCTYPE r [ <!ELEMENT r ANY> ]><r/>");
  ASSERT_EQ(n.nClear(), 1);
  EXPECT_STREQ(n.getClear().closeTag, "]>");
  EXPECT_STREQ(n.getClear().text, " r [ <!ELEMENT r ANY> ");
}

TEST(XMLParser, OptionsKeepWhiteSpaceAndComments) {
  XMLNode::setGlobalOptions(XMLNode::char_encoding_UTF8, 1, 0, 0);
  XMLNode n = XMLNode::parseString("<a> x <!-- c -->y</a>");
  XMLNode::setGlobalOptions();
  ASSERT_EQ(n.nText(), 2);
  EXPECT_STREQ(n.getText(0), " x ");
  EXPECT_STREQ(n.getClear().text, " c ");
  EXPECT_EQ(n.positionOfClear(0), 1);
}

TEST(XMLParser, UnknownEncodingIsRefusedButFlagsAreSet) {
  EXPECT_EQ(XMLNode::setGlobalOptions(static_cast<XMLNode::XMLCharEncoding>(9), 1, 0, 1), 1);
  XMLNode n = XMLNode::parseString("<a> x </a>");
  XMLNode::setGlobalOptions();
  EXPECT_STREQ(n.getText(), " x ");
}

TEST(XMLParser, DeepNestingNeedsNoStack) {
  const int depth = 100000;
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<a>";
  text += "x";
  for (int i = 0; i < depth; ++i) text += "</a>";
  XMLResults r;
  XMLNode root = XMLNode::parseString(text.c_str(), nullptr, &r);
  ASSERT_EQ(r.error, eXMLErrorNone);
  XMLNode copy = root.deepCopy();
  char* out = copy.createXMLString(0);
  EXPECT_EQ(std::string(out), text);
  freeXMLString(out);
}

TEST(XMLParser, EncodingIsGuessedFromBytesAndDeclaration) {
  struct {
    const char* text;
    char useAttribute;
    XMLNode::XMLCharEncoding expected;
  } cases[] = {
      {"<a/>", 1, XMLNode::char_encoding_error},
      {"<?xml version='1.0'?><root>\xC3\xA4</root>", 1, XMLNode::char_encoding_UTF8},
      {"<?xml version='1.0'?><root>\xE4</root>", 1, XMLNode::char_encoding_legacy},
      {"<?xml encoding = 'Shift-JIS'?><root/>", 1, XMLNode::char_encoding_ShiftJIS},
      {"<?xml encoding=\"utf-8\"?><root>\xE4</root>", 1, XMLNode::char_encoding_error},
      {"<?xml encoding=\"GBK\"?><root>\xE4</root>", 0, XMLNode::char_encoding_legacy},
      {"<?xml encoding='latin1'?><root/>", 1, XMLNode::char_encoding_legacy},
  };
  for (auto& c : cases) {
    std::string t = c.text;
    EXPECT_EQ(XMLNode::guessCharEncoding(t.data(), int(t.size()), c.useAttribute), c.expected)
        << c.text;
  }
}

TEST(XMLParser, ErrorTexts) {
  EXPECT_STREQ(XMLNode::getError(eXMLErrorMissingEndTag), "Warning: Unmatched end tag");
  EXPECT_STREQ(XMLNode::getError(eXMLErrorBase64DecodeBufferTooSmall),
               "Error: Base64 decode output buffer is too small");
  EXPECT_STREQ(XMLNode::getError(static_cast<XMLError>(21)), "Unknown");
  EXPECT_STREQ(XMLNode::getVersion(), "v2.43");
}

TEST(XMLParserDeathTest, FileHelperReportsAndExits255) {
  EXPECT_EXIT(XMLNode::openFileHelper("/nonexistent/x.xml"), testing::ExitedWithCode(255), "");
}

// Nothing writes into the pipe: a reader that opened it as a file would wait
// for ever.
TEST(XMLParser, ANamedPipeForAFileIsRefusedAtOnce) {
  gwtest::TempDir dir;
  std::string pipe = dir.file("config.xml");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(gwtest::textWithin([&] {
              XMLResults results;
              XMLNode::parseFile(pipe.c_str(), nullptr, &results);
              return std::string(XMLNode::getError(results.error));
            }),
            "Error: File not found");
  EXPECT_EQ(gwtest::textWithin([&] {
              XMLNode::openFileHelper(pipe.c_str());
              return std::string("(went on)");
            }),
            "XML Parsing error inside file '" + pipe +
                "'.\nError: File not found\nAt line 0, column 0.\n");
}
