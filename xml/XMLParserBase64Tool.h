// xml::XMLParserBase64Tool: binary data as Base64 text (the standard
// alphabet, "=" padding, optionally a line feed after every 72 characters)
// and back. White space in a text is skipped; any other byte outside the
// alphabet is an error. The tool keeps one malloc'd buffer that only grows.
#pragma once

#include "xml/XMLTypes.h"

namespace xml {

class XMLParserBase64Tool {
 public:
  XMLParserBase64Tool() = default;
  XMLParserBase64Tool(const XMLParserBase64Tool&) = delete;
  XMLParserBase64Tool& operator=(const XMLParserBase64Tool&) = delete;
  ~XMLParserBase64Tool();

  // The buffer size an encoding of length bytes needs, NUL included.
  static int encodeLength(int length, char formatted = 0);
  // The text in the tool's buffer, valid until the next use of the tool.
  char* encode(unsigned char* data, unsigned int length, char formatted = 0);

  // The number of bytes text decodes to; 0 with error 18 for an illegal
  // byte, and warning 17 when the characters do not fill whole groups.
  static unsigned int decodeSize(const char* text, XMLError* error = nullptr);
  // Decodes into out, at most size bytes: 2 for a text that ends cleanly,
  // 1 with warning 19 for one cut short, 0 with error 18 or 20.
  static unsigned char decode(const char* text, unsigned char* out, int size,
                              XMLError* error = nullptr);
  // Decodes into the tool's buffer and stores the size in *length; null
  // when there is nothing or the text is bad.
  unsigned char* decode(const char* text, int* length = nullptr, XMLError* error = nullptr);

  void alloc(int newSize);
  void freeBuffer();

  void* buffer = nullptr;
  int size = 0;
};

}  // namespace xml
