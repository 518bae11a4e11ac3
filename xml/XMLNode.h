// xml::XMLNode: a handle to one element of a reference-counted XML tree, and
// the lenient reader, the editing operations and the writer of such trees.
//
// A handle holds one pointer to node data, or null for the empty node; every
// handle (and a parent's entry for its child) counts one reference, and data
// whose count falls to 0 is emptied and freed together with every child that
// nothing else refers to. A node's children, texts and clear sections each
// live in their own array; the order list records their document order. The
// tree never forms a cycle: adding an ancestor under its descendant is
// refused. Reading, writing, copying and freeing walk the tree with explicit
// stacks, so nesting depth is bounded by memory alone, never by the C stack.
// All tree memory comes from malloc and goes back with free.
#pragma once

#include <cstdint>

#include "lib1/plat/String.h"
#include "xml/XMLTypes.h"

namespace xml {

class XMLNode {
 public:
  struct XMLNodeDataTag;
  enum XMLCharEncoding {
    char_encoding_error = 0,
    char_encoding_UTF8 = 1,
    char_encoding_legacy = 2,
    char_encoding_ShiftJIS = 3,
    char_encoding_GB2312 = 4,
    char_encoding_Big5 = 5,
    char_encoding_GBK = 6
  };

  XMLNode() = default;
  XMLNode(const XMLNode& other);
  XMLNode& operator=(const XMLNode& other);
  ~XMLNode();

  // Reading (XMLParser.cpp).
  static XMLNode parseString(const char* text, const char* tag = nullptr,
                             XMLResults* results = nullptr);
  // A file that cannot be opened, or is no regular file (a named pipe, which
  // is never waited on), gives eXMLErrorFileNotFound.
  static XMLNode parseFile(const char* path, const char* tag = nullptr,
                           XMLResults* results = nullptr);
  // Reads the file with the encoding its first bytes suggest; on any problem
  // prints a report on standard output and ends the process with status 255.
  static XMLNode openFileHelper(const char* path, const char* tag = nullptr);
  static char setGlobalOptions(XMLCharEncoding encoding = char_encoding_UTF8, char guessUtf16 = 1,
                               char trimWhiteSpace = 1, char mergeTextAroundComments = 1);
  static XMLCharEncoding guessCharEncoding(void* buffer, int length,
                                           char useXMLEncodingAttribute = 1);
  static const char* getError(XMLError code);
  static const char* getVersion();

  // Lifetime and construction.
  static XMLNode createXMLTopNode(const char* name, char isDeclaration = 0);
  static XMLNode createXMLTopNode_WOSD(char* name, char isDeclaration = 0);
  static XMLNode emptyNode();
  XMLNode deepCopy() const;
  void deleteNodeContent();

  // Editing; pos is a place in document order, negative or past the end
  // meaning the end.
  XMLNode addChild(const char* name, char isDeclaration = 0, int pos = -1);
  XMLNode addChild_WOSD(char* name, char isDeclaration = 0, int pos = -1);
  XMLNode addChild(XMLNode child, int pos = -1);
  XMLAttribute* addAttribute(const char* name, const char* value);
  XMLAttribute* addAttribute_WOSD(char* name, char* value);
  const char* addText(const char* text, int pos = -1);
  const char* addText_WOSD(char* text, int pos = -1);
  XMLClear* addClear(const char* text, const char* openTag = nullptr,
                     const char* closeTag = nullptr, int pos = -1);
  XMLClear* addClear_WOSD(char* text, const char* openTag = nullptr, const char* closeTag = nullptr,
                          int pos = -1);

  const char* updateName(const char* name);
  const char* updateName_WOSD(char* name);
  XMLAttribute* updateAttribute(const char* newValue, const char* newName, int i);
  XMLAttribute* updateAttribute_WOSD(char* newValue, char* newName, int i);
  XMLAttribute* updateAttribute(const char* newValue, const char* newName, const char* oldName);
  XMLAttribute* updateAttribute_WOSD(char* newValue, char* newName, const char* oldName);
  XMLAttribute* updateAttribute(XMLAttribute* newAttribute, XMLAttribute* oldAttribute);
  const char* updateText(const char* newText, int i = 0);
  const char* updateText_WOSD(char* newText, int i = 0);
  const char* updateText(const char* newText, const char* oldText);
  const char* updateText_WOSD(char* newText, const char* oldText);
  XMLClear* updateClear(const char* newText, int i = 0);
  XMLClear* updateClear_WOSD(char* newText, int i = 0);
  XMLClear* updateClear(const char* newText, const char* oldText);
  XMLClear* updateClear_WOSD(char* newText, const char* oldText);
  XMLClear* updateClear(XMLClear* newClear, XMLClear* oldClear);

  void deleteAttribute(int i = 0);
  void deleteAttribute(const char* name);
  void deleteAttribute(XMLAttribute* attribute);
  void deleteText(int i = 0);
  void deleteText(const char* text);
  void deleteClear(int i = 0);
  void deleteClear(const char* text);
  void deleteClear(XMLClear* clear);

  // Look-ups (XMLNodeLookup.cpp); names compare ignoring case.
  const char* getName() const;
  bool isEmpty() const { return d_ == nullptr; }
  char isDeclaration() const;
  XMLNode getParentNode() const;
  int nChildNode() const;
  int nChildNode(const char* name) const;
  int nText() const;
  int nClear() const;
  int nAttribute() const;
  int nElement() const;
  XMLNode getChildNode(int i = 0) const;
  XMLNode getChildNode(const char* name, int* i) const;
  XMLNode getChildNode(const char* name, int j = 0) const;
  XMLNode getChildNodeByPath(const char* path, char createMissing = 1, char separator = '/');
  XMLNode getChildNodeWithAttribute(const char* name, const char* attributeName,
                                    const char* attributeValue = nullptr, int* i = nullptr) const;
  const char* getAttribute(const char* name, int* j) const;
  const char* getAttribute(const char* name, int j = 0) const;
  XMLAttribute getAttribute(int i) const;
  const char* getAttributeName(int i = 0) const;
  const char* getAttributeValue(int i = 0) const;
  char isAttributeSet(const char* name) const;
  const char* getText(int i = 0) const;
  XMLClear getClear(int i = 0) const;
  XMLContentItem enumContents(int i) const;
  int indexText(const char* text) const;
  int indexClear(const char* text) const;
  int positionOfText(int i = 0) const;
  int positionOfText(const char* text) const;
  int positionOfClear(int i = 0) const;
  int positionOfClear(const char* text) const;
  int positionOfClear(XMLClear* clear) const;
  int positionOfChildNode(int i = 0) const;
  int positionOfChildNode(XMLNode child) const;
  int positionOfChildNode(const char* name, int j = 0) const;

  // Writing (XMLWriter.cpp). The text is freed with freeXMLString. An
  // indented line gets one tab per level up to kMaxIndent and no more, so
  // the text, and the time to write it, grow with the tree's size alone.
  static constexpr int kMaxIndent = 64;
  char* createXMLString(int format = 1, int* size = nullptr) const;
  // The file is written under a temporary name and put in place whole:
  // when writing fails, the file that was there stays as it was. A failure
  // also puts into *why, when given, the error's text, the file and the
  // system's reason ("Error: cannot write into file: Error writing to
  // <path>: No space left on device (28)").
  XMLError writeToFile(const char* path, const char* encodingName = nullptr, char format = 1,
                       plat::String* why = nullptr) const;

  static XMLNode emptyXMLNode;
  static XMLClear emptyXMLClear;
  static XMLAttribute emptyXMLAttribute;

  // The node data. The children array holds the children's data; each entry
  // counts one reference. The cap fields are the arrays' capacities.
  struct XMLNodeDataTag {
    char* name;
    int childCount, textCount, clearCount, attributeCount;
    char isDeclaration;
    XMLNodeDataTag* parent;
    XMLNodeDataTag** children;
    char** texts;
    XMLClear* clears;
    XMLAttribute* attributes;
    int* order;
    int refCount;
    int childCap, textCap, clearCap, attributeCap, orderCap;
  };

 private:
  friend class XMLParser;
  friend class XMLWriter;
  explicit XMLNode(XMLNodeDataTag* data);  // takes one new reference
  [[noreturn]] static void exitOnError(const char* path, const char* tag, XMLResults results);
  static XMLNodeDataTag* newData(char* name, char isDeclaration);
  static void release(XMLNodeDataTag* data);
  // Empties data and its descendants; with force, even those that handles
  // still refer to. Data left without references is freed.
  static void emptyTree(XMLNodeDataTag* data, bool force);
  static void detach(XMLNodeDataTag* data);
  // Gives back what the arrays hold beyond their counts.
  static void fitArrays(XMLNodeDataTag* data);
  // Makes room for one item of kind at document place pos; returns the
  // index in that kind's array at which the caller stores the item.
  static int addToOrder(XMLNodeDataTag* data, int pos, int kind, int grow);
  static void removeFromOrder(XMLNodeDataTag* data, int index, int kind);
  static void linkChild(XMLNodeDataTag* parent, XMLNodeDataTag* child, int pos, int grow);
  static char** insertText(XMLNodeDataTag* data, char* text, int pos, int grow);
  static XMLClear* insertClear(XMLNodeDataTag* data, char* text, const char* openTag,
                               const char* closeTag, int pos, int grow);
  static XMLAttribute* appendAttribute(XMLNodeDataTag* data, char* name, char* value, int grow);
  int findPosition(int index, int kind) const;

  XMLNodeDataTag* d_ = nullptr;
};

}  // namespace xml

namespace xml {

// One item of an element, as enumContents lists them: only the member of
// its kind is set.
struct XMLContentItem {
  XMLElementType kind;
  XMLNode child;
  XMLAttribute attribute;
  const char* text;
  XMLClear clear;
};

}  // namespace xml
