#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"
#include "xml/ToXMLStringTool.h"
#include "xml/XMLNode.h"
#include "xml/XMLUtil.h"

using namespace xml;

namespace {

std::string written(const XMLNode& node, int format) {
  int size = -1;
  char* s = node.createXMLString(format, &size);
  std::string out(s, size);
  freeXMLString(s);
  return out;
}

}  // namespace

TEST(XMLWriter, IndentedAndCompactLayouts) {
  struct {
    const char* in;
    const char* indented;
  } cases[] = {
      {"<a b='1'><c/>t</a>", "<a b=\"1\">\n\t<c/>\n\tt\n</a>\n"},
      {"<a>x</a>", "<a>x</a>\n"},
      {"<a><b>x</b><!--c--><d><e/></d></a>",
       "<a>\n\t<b>x</b>\n\t<!--c-->\n\t<d>\n\t\t<e/>\n\t</d>\n</a>\n"},
      {"<?xml version='1.0'?><r>x</r>", "<?xml version=\"1.0\"?>\n<r>x</r>\n"},
  };
  for (auto& c : cases) {
    XMLNode n = XMLNode::parseString(c.in);
    EXPECT_EQ(written(n, 1), c.indented);
    XMLNode again = XMLNode::parseString(written(n, 0).c_str());
    EXPECT_EQ(written(again, 1), c.indented) << "compact form of " << c.in;
  }
}

// One tab per level would make this some ten gigabytes.
TEST(XMLWriter, DeepNestingIndentsUpToALimit) {
  const int depth = 100000;
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<a>";
  for (int i = 0; i < depth; ++i) text += "</a>";
  std::string out = written(XMLNode::parseString(text.c_str()), 1);
  EXPECT_LT(out.size(), size_t(depth) * 2 * (XMLNode::kMaxIndent + 6));
  EXPECT_EQ(out.rfind("<a>\n\t<a>\n\t\t<a>\n", 0), 0u);
  EXPECT_NE(out.find("\n" + std::string(XMLNode::kMaxIndent, '\t') + "<a/>\n"), std::string::npos);
}

TEST(XMLWriter, EscapesMarkupCharacters) {
  ToXMLStringTool tool;
  EXPECT_STREQ(tool.toXML("a<b & 'c'\""), "a&lt;b &amp; &apos;c&apos;&quot;");
  EXPECT_STREQ(tool.toXML(nullptr), "");
  EXPECT_EQ(ToXMLStringTool::lengthXMLString("<\xC3\xA4"), 6);
}

TEST(XMLWriter, FileGetsMarkAndDeclarationUnlessItHasOne) {
  gwtest::TempDir dir;
  std::string path = dir.path() + "/out.xml";
  struct {
    const char* in;
    const char* file;
  } cases[] = {
      {"<a>x</a>", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<a>x</a>\n"},
      {"<?xml version='1.0'?><a/>", "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<a/>\n"},
  };
  for (auto& c : cases) {
    ASSERT_EQ(XMLNode::parseString(c.in).writeToFile(path.c_str()), eXMLErrorNone);
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    EXPECT_EQ(s.str(), c.file);
  }
  XMLNode::setGlobalOptions(XMLNode::char_encoding_legacy);
  XMLNode::parseString("<a/>").writeToFile(path.c_str(), nullptr, 0);
  XMLNode::setGlobalOptions();
  std::ifstream f(path, std::ios::binary);
  std::string line;
  std::getline(f, line);
  EXPECT_EQ(line, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
  EXPECT_EQ(XMLNode::parseString("<a/>").writeToFile((dir.path() + "/no/such").c_str()),
            eXMLErrorCannotOpenWriteFile);
}

// Each failure says which file and why, as the system gave it: a folder
// that is not there, and a disk that fills up (a limit on the file's size).
TEST(XMLWriter, AFailedSaveNamesTheFileAndTheReason) {
  gwtest::TempDir dir;
  std::string missing = dir.file("no/such"), full = dir.write("full.xml", "<old/>");
  XMLNode big = XMLNode::createXMLTopNode("a");
  big.addText(std::string(1 << 16, 'x').c_str());
  const struct {
    const char* name;
    std::string path;
    int code;
    std::string why;
  } rows[] = {
      {"no folder", missing, eXMLErrorCannotOpenWriteFile,
       "Error: unable to open file for writing: fileOpen(" + missing +
           ".XXXXXX.tmp): No such file or directory (2)"},
      {"disk full", full, eXMLErrorCannotWriteFile,
       "Error: cannot write into file: Error writing to " + full + ": File too large (27)"},
  };
  for (const auto& r : rows) {
    std::string whyFile = dir.file("why");
    int code = gwtest::inChildWithFileLimit(4096, [&] {
      plat::String why;
      XMLError e = big.writeToFile(r.path.c_str(), nullptr, 1, &why);
      FILE* f = fopen(whyFile.c_str(), "w");
      fputs(why.get() ? why.get() : "(none)", f);
      fclose(f);
      return int(e);
    });
    EXPECT_EQ(code, r.code) << r.name;
    EXPECT_EQ(gwtest::readFile(whyFile), r.why) << r.name;
  }
  EXPECT_EQ(gwtest::readFile(full), "<old/>");
}

// As on a full disk: the document that was there stays whole.
TEST(XMLWriter, FailedSaveKeepsTheOldFile) {
  gwtest::TempDir dir;
  std::string path = dir.write("out.xml", "<old/>");
  XMLNode big = XMLNode::createXMLTopNode("a");
  big.addText(std::string(1 << 16, 'x').c_str());
  EXPECT_EQ(gwtest::inChildWithFileLimit(4096, [&] { return int(big.writeToFile(path.c_str())); }),
            eXMLErrorCannotWriteFile);
  EXPECT_EQ(gwtest::readFile(path), "<old/>");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"out.xml"});
}
