// The PO subset that strings files and the message tables of the source tree
// are written in: "msgid" and "msgstr" lines with quoted strings, string-only
// continuation lines, "#" comments, and an empty line between entries. No
// plural syntax, no context, no header interpretation; an entry with an empty
// key (the PO header) is read and dropped.
//
// The parser is fed one line at a time (line feed and carriage returns
// removed) and reports entries and errors to its subclass. An error never
// ends the parse: the line is skipped with the state and the buffers as they
// were when it arose. Both the run-time reader and the build-time table
// generator use this one parser, so they accept exactly the same files.
#pragma once

#include "lib1/plat/DString.h"

namespace loc {

// Decodes one quoted string (leading spaces allowed, nothing after the
// closing quote) with C escapes, "\xHH" and "\ooo", and appends it to out.
// Throws plat::Exception with an empty type name on a malformed string. An
// escape for the byte 0 is refused too: the texts are C strings, and the
// NUL would silently cut them.
void unescapeString(const char* text, plat::DString* out);

class PoParser {
 public:
  virtual ~PoParser() = default;

  // One line of the file; the line number grows by one per call.
  void line(const char* text);
  // The end of the input, which ends the last entry like an empty line.
  void finish() { line(""); }

  int lineNumber() const { return lineNo_; }

 protected:
  // A complete entry with a non-empty key. May throw plat::Exception, which
  // is reported as an error of the line that ended the entry.
  virtual void entry(const char* key, const char* text) = 0;
  virtual void error(int lineNo, const char* message) = 0;

 private:
  enum State { ExpectKey, InKey, InText };
  void parseLine(const char* text);

  State state_ = ExpectKey;
  plat::DString key_, text_;
  int lineNo_ = 0;
};

}  // namespace loc
