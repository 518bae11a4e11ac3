// xml::ToXMLStringTool: escapes a text for XML output, replacing the five
// characters that mark up ("&", "<", ">", the double quote and the
// apostrophe) by their entities and copying every other character whole.
// The tool keeps one malloc'd buffer, reused while it is large enough.
#pragma once

#include <string>

namespace xml {

class ToXMLStringTool {
 public:
  ToXMLStringTool() = default;
  ToXMLStringTool(const ToXMLStringTool&) = delete;
  ToXMLStringTool& operator=(const ToXMLStringTool&) = delete;
  ~ToXMLStringTool();

  // The escaped text, valid until the next call or the tool's end; an
  // empty text for null.
  char* toXML(const char* text);
  void freeBuffer();

  static int lengthXMLString(const char* text);
  // dest must hold lengthXMLString(text) + 1 bytes.
  static char* toXMLUnSafe(char* dest, const char* text);
  // Appends the escaped text to out.
  static void append(std::string& out, const char* text);

  char* buffer = nullptr;
  int size = 0;
};

}  // namespace xml
