// The XML reader over arbitrary bytes. Whatever reads without error into a
// tree that text can express is written compactly and read again: the
// second tree must equal the first, element by element, and writing it
// again must give the same text. Text cannot express names the reader would
// cut elsewhere (such names come only from lenient reading), two texts side
// by side, which read back as one, nor a multi-byte character cut short,
// which would take the quote or bracket after it when read back, nor a
// declaration with content below the top level, which is written closed, nor
// one at the top level with something after it, which reads as its content,
// nor an element PRE, whose start tag reads back as a preformatted block,
// nor a text with white space at an end (from a character reference), which
// reading trims.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "xml/XMLNode.h"
#include "xml/XMLUtil.h"

using xml::XMLNode;

namespace {

bool same(const char* a, const char* b) { return (!a && !b) || (a && b && !strcmp(a, b)); }

// Compares two trees without recursion, as deep trees are part of the input.
bool equalTrees(const XMLNode& a, const XMLNode& b) {
  std::vector<std::pair<XMLNode, XMLNode>> work{{a, b}};
  while (!work.empty()) {
    auto [x, y] = work.back();
    work.pop_back();
    if (!same(x.getName(), y.getName()) || x.isDeclaration() != y.isDeclaration() ||
        x.nElement() != y.nElement() || x.nAttribute() != y.nAttribute())
      return false;
    for (int i = 0; i < x.nElement(); ++i) {
      xml::XMLContentItem p = x.enumContents(i), q = y.enumContents(i);
      if (p.kind != q.kind) return false;
      if (p.kind == xml::eNodeAttribute && (!same(p.attribute.name, q.attribute.name) ||
                                            !same(p.attribute.value, q.attribute.value)))
        return false;
      if (p.kind == xml::eNodeText && !same(p.text, q.text)) return false;
      if (p.kind == xml::eNodeClear &&
          (!same(p.clear.text, q.clear.text) || !same(p.clear.openTag, q.clear.openTag)))
        return false;
      if (p.kind == xml::eNodeChild) work.emplace_back(p.child, q.child);
    }
  }
  return true;
}

bool plainName(const char* name) {
  for (const char* p = name; p && *p; ++p)
    if (!isalnum(static_cast<unsigned char>(*p)) && !strchr("_:.-", *p)) return false;
  return name && *name;
}

bool wholeCharacters(const char* text) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); p && *p;) {
    int n = *p < 0xC2 ? 1 : *p < 0xE0 ? 2 : *p < 0xF0 ? 3 : *p < 0xF5 ? 4 : 1;
    for (int k = 1; k < n; ++k)
      if (p[k] < 0x80) return false;
    p += n;
  }
  return true;
}

bool expressible(const XMLNode& root) {
  // Each element with whether it stands at the top level.
  std::vector<std::pair<XMLNode, bool>> work{{root, true}};
  while (!work.empty()) {
    auto [x, top] = work.back();
    work.pop_back();
    if (x.getName() && (!plainName(x.getName()) || !strcmp(x.getName(), "PRE"))) return false;
    if (x.isDeclaration() && !top && x.nElement() > x.nAttribute()) return false;
    xml::XMLElementType before = xml::eNodeNULL;
    for (int i = 0; i < x.nElement(); ++i) {
      xml::XMLContentItem p = x.enumContents(i);
      if (p.kind == xml::eNodeAttribute && !plainName(p.attribute.name)) return false;
      if (p.kind == xml::eNodeText && before == xml::eNodeText) return false;
      if (p.kind == xml::eNodeText &&
          (isspace(static_cast<unsigned char>(p.text[0])) ||
           isspace(static_cast<unsigned char>(p.text[strlen(p.text) - 1]))))
        return false;
      if (!wholeCharacters(p.text) || !wholeCharacters(p.attribute.value) ||
          !wholeCharacters(p.clear.text))
        return false;
      if (p.kind == xml::eNodeChild && p.child.isDeclaration() && !x.getName() &&
          i + 1 < x.nElement())
        return false;
      if (p.kind == xml::eNodeChild) work.emplace_back(p.child, !x.getName());
      before = p.kind;
    }
  }
  return true;
}

std::string written(const XMLNode& node) {
  char* s = node.createXMLString(0);
  std::string out = s ? s : "";
  xml::freeXMLString(s);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  xml::XMLResults results;
  XMLNode first = XMLNode::parseString(text.c_str(), nullptr, &results);
  if (results.error != xml::eXMLErrorNone || !expressible(first)) return 0;
  std::string once = written(first);
  XMLNode second = XMLNode::parseString(once.c_str(), nullptr, &results);
  if (results.error != xml::eXMLErrorNone || !equalTrees(first, second)) abort();
  if (written(second) != once) abort();
  return 0;
}
