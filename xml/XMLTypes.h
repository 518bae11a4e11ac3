// The plain records of the XML reader and tree: result codes with their
// position, attributes, clear sections (text kept as written, between two
// markers) and the kinds of content an element holds.
#pragma once

namespace xml {

enum XMLError {
  eXMLErrorNone = 0,
  eXMLErrorMissingEndTag = 1,
  eXMLErrorNoXMLTagFound = 2,
  eXMLErrorEmpty = 3,
  eXMLErrorMissingTagName = 4,
  eXMLErrorMissingEndTagName = 5,
  eXMLErrorUnmatchedEndTag = 6,
  eXMLErrorUnmatchedEndClearTag = 7,
  eXMLErrorUnexpectedToken = 8,
  eXMLErrorNoElements = 9,
  eXMLErrorFileNotFound = 10,
  eXMLErrorFirstTagNotFound = 11,
  eXMLErrorUnknownCharacterEntity = 12,
  eXMLErrorCharacterCodeAbove255 = 13,
  eXMLErrorCharConversionError = 14,
  eXMLErrorCannotOpenWriteFile = 15,
  eXMLErrorCannotWriteFile = 16,
  eXMLErrorBase64DataSizeIsNotMultipleOf4 = 17,
  eXMLErrorBase64DecodeIllegalCharacter = 18,
  eXMLErrorBase64DecodeTruncatedData = 19,
  eXMLErrorBase64DecodeBufferTooSmall = 20
};

// Line and column count from 1 when error is set, and are 0 otherwise.
struct XMLResults {
  XMLError error;
  int line;
  int column;
};

// value is null for an attribute written without "=".
struct XMLAttribute {
  char* name;
  char* value;
};

// The markers point to static texts and are not owned.
struct XMLClear {
  char* text;
  const char* openTag;
  const char* closeTag;
};

struct XMLContentItem;

enum XMLElementType {
  eNodeChild = 0,
  eNodeAttribute = 1,
  eNodeText = 2,
  eNodeClear = 3,
  eNodeNULL = 4
};

// The markers of the clear sections, in the order the reader tries them.
extern const char* const kCDataOpen;
extern const char* const kCDataClose;
extern const char* const kDocTypeOpen;
extern const char* const kDocTypeClose;
extern const char* const kDocTypeSubsetClose;
extern const char* const kCommentOpen;
extern const char* const kCommentClose;
extern const char* const kPreOpen;
extern const char* const kPreClose;

}  // namespace xml
