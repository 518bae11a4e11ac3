// xml::XMLParser: the state of one reading of a text into a document node.
// It keeps the open elements on a stack of its own instead of recursing per
// nesting level, so that any depth of nesting reads with the same results.
// Texts are entity-decoded as they are added; the first error (code 3 or
// above) stops the reading, while warning 1 is kept and reading goes on.
#pragma once

#include <vector>

#include "xml/XMLNode.h"
#include "xml/XMLOptions.h"

namespace xml {

class XMLParser {
 public:
  using Data = XMLNode::XMLNodeDataTag;

  explicit XMLParser(const char* text);

  // Reads the whole text into doc, an unnamed element without content.
  void run(Data* doc);
  XMLError error() const { return error_; }
  // Where the error was found: for warning 1 where the unclosed or
  // mismatched element was seen, else where reading stopped.
  int errorIndex() const { return error_ == eXMLErrorMissingEndTag ? savedIndex_ : index_; }

  // The entity-decoded copy of length bytes of text, or null with *error
  // set for an unknown or unterminated reference or one above 255.
  static char* fromXMLString(const char* text, int length, XMLError* error);

 private:
  enum Kind {
    Text,
    Quoted,
    TagStart,
    EndTagStart,
    DeclStart,
    TagEnd,
    Equals,
    ShortClose,
    Clear,
    End
  };
  struct Token {
    Kind kind;
    const char* start;
    int length;
    int clear;  // the clear-section kind, for Clear
  };
  enum StartTag { Failed, Closed, Content };

  Token next();
  StartTag startTag(Data* node, bool afterMark);
  bool addPendingText(Data* node, const char* end);
  bool parseClear(Data* node, int kind);
  // Pops the top element, closed, and lets its ancestors react to an end
  // tag that closed none of them; false when reading must stop.
  bool closeTop();
  bool fail(XMLError code);
  void warnUnclosed();

  const char* text_;
  const XMLOptions& options_;
  int index_ = 0;
  XMLError error_ = eXMLErrorNone;
  int savedIndex_ = 0;
  const char* pending_ = nullptr;
  const char* endTag_ = nullptr;  // an end tag that has closed no element yet
  std::vector<Data*> stack_;
};

}  // namespace xml
