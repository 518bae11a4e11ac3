// The writer of XMLNode: a tree as indented or compact text, or as a file
// with its declaration. It keeps the elements it is inside on a stack of
// its own, so that any depth writes without recursion.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/TransactedFile.h"
#include "xml/ToXMLStringTool.h"
#include "xml/XMLNode.h"
#include "xml/XMLOptions.h"
#include "xml/XMLUtil.h"

namespace xml {

class XMLWriter {
 public:
  using Data = XMLNode::XMLNodeDataTag;

  // depth is -1 for compact output.
  static void write(const Data* root, int depth, std::string& out) {
    std::vector<Frame> stack;
    open(root, depth, out, stack);
    while (!stack.empty()) {
      Frame& f = stack.back();
      const Data* d = f.data;
      if (f.next == d->childCount + d->textCount + d->clearCount) {
        Frame done = f;
        stack.pop_back();
        close(done, out);
        continue;
      }
      int entry = d->order[f.next++];
      int i = entry >> 2;
      bool ownLines = f.contentDepth >= 0 && !f.oneLine;
      if ((entry & 3) == eNodeChild) {
        open(d->children[i], f.contentDepth, out, stack);
      } else if ((entry & 3) == eNodeText) {
        if (!*d->texts[i]) continue;
        if (ownLines) indent(out, f.contentDepth);
        ToXMLStringTool::append(out, d->texts[i]);
        if (ownLines) out += '\n';
      } else {
        const XMLClear& c = d->clears[i];
        if (f.contentDepth >= 0) indent(out, f.contentDepth);
        if (c.openTag) out += c.openTag;
        if (c.text) out += c.text;
        if (c.closeTag) out += c.closeTag;
        if (f.contentDepth >= 0) out += '\n';
      }
    }
  }

 private:
  // Tabs for every level would make a chain of n elements cost n * n.
  static void indent(std::string& out, int depth) {
    out.append(size_t(std::min(depth, XMLNode::kMaxIndent)), '\t');
  }

  struct Frame {
    const Data* data;
    int depth;
    int contentDepth;
    bool oneLine;
    int next;
  };

  static void open(const Data* d, int depth, std::string& out, std::vector<Frame>& stack) {
    bool indented = depth >= 0;
    bool hasContent = d->childCount + d->textCount + d->clearCount > 0;
    bool oneLine = indented && !d->isDeclaration && d->childCount == 0 && d->clearCount == 0 &&
                   d->textCount == 1;
    if (!d->name) {
      if (hasContent) stack.push_back({d, depth, depth, false, 0});
      return;
    }
    if (depth > 0) indent(out, depth);
    out += '<';
    if (d->isDeclaration) out += '?';
    out += d->name;
    out += ' ';
    for (int a = 0; a < d->attributeCount; ++a) {
      const XMLAttribute& attr = d->attributes[a];
      if (!attr.name || !*attr.name) continue;
      out += attr.name;
      if (attr.value) {
        out += "=\"";
        ToXMLStringTool::append(out, attr.value);
        out += '"';
      }
      out += ' ';
    }
    if (d->isDeclaration) {
      // What follows a declaration is its content: no end tag, same depth.
      out.back() = '?';
      out += '>';
      if (indented) out += '\n';
      if (hasContent) stack.push_back({d, depth, depth, false, 0});
    } else if (hasContent) {
      out.back() = '>';
      if (indented && !oneLine) out += '\n';
      stack.push_back({d, depth, indented ? depth + 1 : -1, oneLine, 0});
    } else {
      out.pop_back();
      out += "/>";
      if (indented) out += '\n';
    }
  }

  static void close(const Frame& f, std::string& out) {
    const Data* d = f.data;
    if (!d->name || d->isDeclaration) return;
    if (f.depth > 0 && !f.oneLine) indent(out, f.depth);
    out += "</";
    out += d->name;
    out += '>';
    if (f.depth >= 0) out += '\n';
  }
};

char* XMLNode::createXMLString(int format, int* size) const {
  if (!d_) {
    if (size) *size = 0;
    return nullptr;
  }
  std::string out;
  bool indented = format && XMLOptions::get().trimWhiteSpace;
  XMLWriter::write(d_, indented ? 0 : -1, out);
  if (size) *size = static_cast<int>(out.size());
  return stringDup(out.data(), static_cast<int>(out.size()));
}

XMLError XMLNode::writeToFile(const char* path, const char* encodingName, char format,
                              plat::String* why) const {
  if (!d_) return eXMLErrorNone;
  // The code alone says neither which file nor why: the reason goes with it.
  auto fail = [&](XMLError code, const plat::Exception& reason) {
    if (why) *why = plat::DPrintf("%s: %s", getError(code), reason.str()).get();
    return code;
  };
  std::optional<plat::TransactedFile> file;
  try {
    file.emplace(path, true, false);
  } catch (plat::Exception& e) {
    return fail(eXMLErrorCannotOpenWriteFile, e);
  }
  FILE* f = file->get();
  int encoding = XMLOptions::get().encoding;
  int writeError = 0;  // errno of the first write that failed
  auto put = [&](const void* data, size_t n) {
    if (n && fwrite(data, 1, n, f) != n && !writeError) writeError = errno ? errno : EIO;
  };
  bool hasDeclaration =
      d_->isDeclaration || (!d_->name && d_->childCount && d_->children[0]->isDeclaration);
  if (encoding == char_encoding_UTF8) put("\xEF\xBB\xBF", 3);
  if (!hasDeclaration) {
    if (encoding == char_encoding_UTF8)
      encodingName = "utf-8";
    else if (encoding == char_encoding_ShiftJIS)
      encodingName = "SHIFT-JIS";
    else if (!encodingName)
      encodingName = "ISO-8859-1";
    char head[256];
    int n =
        snprintf(head, sizeof head, "<?xml version=\"1.0\" encoding=\"%.200s\"?>\n", encodingName);
    put(head, static_cast<size_t>(n));
  }
  int size = 0;
  char* text = createXMLString(format, &size);
  put(text, static_cast<size_t>(size));
  freeXMLString(text);
  // Without a commit the temporary goes and the old file stays.
  if (writeError)
    return fail(eXMLErrorCannotWriteFile,
                plat::SystemExceptionFmt("Error writing to %s", writeError, path));
  try {
    file->commit();
  } catch (plat::Exception& e) {
    return fail(eXMLErrorCannotWriteFile, e);
  }
  return eXMLErrorNone;
}

}  // namespace xml
