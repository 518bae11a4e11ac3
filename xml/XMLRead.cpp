// The reading entry points of XMLNode: texts and files, the options, the
// guess of a text's encoding and the texts of the result codes.
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "lib1/plat/Exception.h"
#include "lib1/plat/File.h"
#include "xml/XMLNode.h"
#include "xml/XMLOptions.h"
#include "xml/XMLParser.h"

namespace xml {

namespace {

struct FreeDeleter {
  void operator()(void* p) const { free(p); }
};

struct FileCloser {
  void operator()(FILE* f) const { fclose(f); }
};

using File = std::unique_ptr<FILE, FileCloser>;

// Null for what cannot be opened, and for anything but a regular file: a
// named pipe in the place of a document would hold the read up until
// someone wrote into it.
File openDocument(const char* path) {
  try {
    return File(plat::fileOpenNoWait(path, "rb", true));
  } catch (plat::Exception&) {
    return nullptr;
  }
}

void setResults(XMLResults* results, XMLError error, int line, int column) {
  if (results) *results = {error, line, column};
}

}  // namespace

XMLNode XMLNode::parseString(const char* text, const char* tag, XMLResults* results) {
  if (!text) {
    setResults(results, eXMLErrorNoElements, 0, 0);
    return XMLNode();
  }
  XMLNode doc(newData(nullptr, 0));
  XMLParser parser(text);
  parser.run(doc.d_);
  XMLError error = parser.error();
  // An error that stopped reading stands; warnings give way to the want
  // of any element at all.
  if (error < eXMLErrorEmpty && doc.d_->childCount == 0) error = eXMLErrorNoXMLTagFound;
  XMLNode result = doc;
  if (doc.d_->childCount == 1 && doc.d_->textCount == 0 && doc.d_->clearCount == 0)
    result = doc.getChildNode(0);
  if (error < eXMLErrorEmpty && tag && *tag) {
    if (!result.getName() || strcasecmp(result.getName(), tag))
      result = result.getChildNode(tag, 0);
    if (result.isEmpty()) {
      setResults(results, eXMLErrorFirstTagNotFound, 0, 0);
      return XMLNode();
    }
  }
  if (error >= eXMLErrorEmpty) result = XMLNode();
  if (error == eXMLErrorNone) {
    setResults(results, error, 0, 0);
    return result;
  }
  const XMLOptions& options = XMLOptions::get();
  const char* end = text + parser.errorIndex();
  int line = 1, column = 1;
  for (const char* p = text; p < end && *p; p += options.charLength(p)) {
    if (*p == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  setResults(results, error, line, column);
  return result;
}

XMLNode XMLNode::parseFile(const char* path, const char* tag, XMLResults* results) {
  setResults(results, eXMLErrorNone, 0, 0);
  File f = openDocument(path);
  if (!f) {
    setResults(results, eXMLErrorFileNotFound, 0, 0);
    return XMLNode();
  }
  fseek(f.get(), 0, SEEK_END);
  long size = ftell(f.get());
  fseek(f.get(), 0, SEEK_SET);
  if (size <= 0) {
    setResults(results, eXMLErrorEmpty, 0, 0);
    return XMLNode();
  }
  // The zero bytes after the data end the text however its last character
  // is cut.
  std::unique_ptr<unsigned char[], FreeDeleter> buffer(
      static_cast<unsigned char*>(malloc(size + 4)));
  size = static_cast<long>(fread(buffer.get(), 1, size, f.get()));
  memset(buffer.get() + size, 0, 4);
  const unsigned char* b = buffer.get();
  int skip = 0;
  if (size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
    skip = 3;
  else if (!XMLOptions::get().guessUtf16 && size >= 2 &&
           ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xEF && b[1] == 0xFF)))
    skip = 2;
  return parseString(reinterpret_cast<const char*>(b + skip), tag, results);
}

XMLNode XMLNode::openFileHelper(const char* path, const char* tag) {
  unsigned char head[200];
  int length = 0;
  if (File f = openDocument(path)) length = static_cast<int>(fread(head, 1, sizeof head, f.get()));
  XMLOptions& options = XMLOptions::get();
  XMLCharEncoding encoding = guessCharEncoding(head, length, 1);
  setGlobalOptions(encoding, options.guessUtf16, options.trimWhiteSpace,
                   options.mergeTextAroundComments);
  XMLResults results;
  XMLNode node = parseFile(path, tag, &results);
  if (results.error != eXMLErrorNone) exitOnError(path, tag, results);
  return node;
}

void XMLNode::exitOnError(const char* path, const char* tag, XMLResults results) {
  bool firstTag = results.error == eXMLErrorFirstTagNotFound;
  printf("XML Parsing error inside file '%s'.\n%s\nAt line %i, column %i.\n%s%s%s", path,
         getError(results.error), results.line, results.column,
         firstTag ? "First Tag should be '" : "", firstTag && tag ? tag : "",
         firstTag ? "'.\n" : "");
  fflush(stdout);
  exit(255);
}

char XMLNode::setGlobalOptions(XMLCharEncoding encoding, char guessUtf16, char trimWhiteSpace,
                               char mergeTextAroundComments) {
  XMLOptions& options = XMLOptions::get();
  options.guessUtf16 = guessUtf16;
  options.trimWhiteSpace = trimWhiteSpace;
  options.mergeTextAroundComments = mergeTextAroundComments;
  const unsigned char* table = XMLOptions::table(encoding);
  if (!table) return 1;
  options.encoding = encoding;
  options.lengths = table;
  return 0;
}

XMLNode::XMLCharEncoding XMLNode::guessCharEncoding(void* buffer, int length,
                                                    char useXMLEncodingAttribute) {
  if (length < 25) return char_encoding_error;
  const auto* b = static_cast<const unsigned char*>(buffer);
  if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return char_encoding_UTF8;
  const unsigned char* utf8 = XMLOptions::table(char_encoding_UTF8);
  bool valid = true;
  for (int i = 0; valid && i < length && b[i];) {
    int n = utf8[b[i]];
    for (int k = 1; k < n && i + k < length; ++k)
      if ((b[i + k] & 0xC0) != 0x80) valid = false;
    i += n;
  }
  XMLCharEncoding guess = valid ? char_encoding_UTF8 : char_encoding_legacy;
  if (!useXMLEncodingAttribute) return guess;
  int limit = length < 200 ? length : 200;
  const char* text = static_cast<const char*>(buffer);
  const char* at = static_cast<const char*>(memmem(text, limit, "encoding", 8));
  if (!at) return guess;
  const char* end = text + limit;
  const char* p = at + 8;
  while (p < end && isXMLSpace(*p)) ++p;
  if (p >= end || *p != '=') return guess;
  ++p;
  while (p < end && isXMLSpace(*p)) ++p;
  if (p >= end || (*p != '"' && *p != '\'')) return guess;
  ++p;
  auto is = [&](const char* name) {
    size_t n = strlen(name);
    return static_cast<size_t>(end - p) >= n && !strncasecmp(p, name, n);
  };
  if (is("utf-8") || is("utf8")) return valid ? char_encoding_UTF8 : char_encoding_error;
  if (is("shiftjis") || is("shift-jis") || is("sjis")) return char_encoding_ShiftJIS;
  if (is("GB2312")) return char_encoding_GB2312;
  if (is("Big5")) return char_encoding_Big5;
  if (is("GBK")) return char_encoding_GBK;
  return char_encoding_legacy;
}

const char* XMLNode::getError(XMLError code) {
  static const char* const texts[] = {
      "No error",
      "Warning: Unmatched end tag",
      "Warning: No XML tag found",
      "Error: No XML data",
      "Error: Missing start tag name",
      "Error: Missing end tag name",
      "Error: Unmatched end tag",
      "Error: Unmatched clear tag end",
      "Error: Unexpected token found",
      "Error: No elements found",
      "Error: File not found",
      "Error: First Tag not found",
      "Error: Unknown character entity",
      "Error: Character code above 255 is forbidden in MultiByte char mode.",
      "Error: unable to convert between WideChar and MultiByte chars",
      "Error: unable to open file for writing",
      "Error: cannot write into file",
      "Warning: Base64-string length is not a multiple of 4",
      "Error: Base64-string contains an illegal character",
      "Warning: Base64-string is truncated",
      "Error: Base64 decode output buffer is too small"};
  unsigned index = static_cast<unsigned>(code);
  return index < sizeof texts / sizeof *texts ? texts[index] : "Unknown";
}

const char* XMLNode::getVersion() { return "v2.43"; }

}  // namespace xml
