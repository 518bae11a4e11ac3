#include "xml/XMLParser.h"

#include <strings.h>

#include <cstdlib>
#include <cstring>

#include "xml/XMLUtil.h"

namespace xml {

namespace {

struct ClearKind {
  const char* open;
  const char* close;
};

const ClearKind kClears[] = {{kCDataOpen, kCDataClose},
                             {kDocTypeOpen, kDocTypeClose},
                             {kCommentOpen, kCommentClose},
                             {kPreOpen, kPreClose}};
const int kDocType = 1;

struct Entity {
  const char* name;  // with its ";"
  char c;
};

const Entity kEntities[] = {
    {"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"quot;", '"'}, {"apos;", '\''}};

// The entity at s (just after "&"), when one of the five lies before end.
const Entity* entityAt(const char* s, const char* end) {
  for (const Entity& e : kEntities) {
    size_t n = strlen(e.name);
    if (static_cast<size_t>(end - s) >= n && !strncasecmp(s, e.name, n)) return &e;
  }
  return nullptr;
}

int digitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// True when text begins with name, ignoring case, followed by white space,
// "/", "<", ">" or "=".
bool tagMatches(const char* name, const char* text) {
  if (!name) return false;
  size_t n = strlen(name);
  if (strncasecmp(name, text, n)) return false;
  char c = text[n];
  return isXMLSpace(c) || c == '/' || c == '<' || c == '>' || c == '=';
}

// Cuts a final "?" (a declaration's closing mark) from a token.
int withoutQuestionMark(const char* start, int length) {
  return length > 0 && start[length - 1] == '?' ? length - 1 : length;
}

}  // namespace

XMLParser::XMLParser(const char* text) : text_(text), options_(XMLOptions::get()) {}

char* XMLParser::fromXMLString(const char* text, int length, XMLError* error) {
  const char* end = text + length;
  const XMLOptions& options = XMLOptions::get();
  // Every reference must be complete before anything is decoded.
  for (const char* s = text; s < end && *s;) {
    if (*s != '&') {
      s += options.charLength(s);
      continue;
    }
    if (s + 1 < end && s[1] == '#') {
      const char* semi = static_cast<const char*>(memchr(s, ';', end - s));
      if (!semi || memchr(s, 0, semi - s)) {
        *error = eXMLErrorUnknownCharacterEntity;
        return nullptr;
      }
      s = semi + 1;
    } else if (const Entity* e = entityAt(s + 1, end)) {
      s += 1 + strlen(e->name);
    } else {
      *error = eXMLErrorUnknownCharacterEntity;
      return nullptr;
    }
  }
  char* out = static_cast<char*>(malloc(length + 1));
  char* o = out;
  for (const char* s = text; s < end && *s;) {
    if (*s != '&') {
      int n = options.charLength(s);
      if (n > end - s) n = static_cast<int>(end - s);
      memcpy(o, s, n);
      o += n;
      s += n;
      continue;
    }
    if (s[1] != '#') {
      const Entity* e = entityAt(s + 1, end);
      *o++ = e->c;
      s += 1 + strlen(e->name);
      continue;
    }
    const char* p = s + 2;
    bool hex = *p == 'x' || *p == 'X';
    if (hex) ++p;
    int value = 0;
    int digits = 0;
    for (; *p != ';'; ++p, ++digits) {
      int v = digitValue(*p, hex);
      if (v < 0) {
        *error = eXMLErrorUnknownCharacterEntity;
        free(out);
        return nullptr;
      }
      value = value * (hex ? 16 : 10) + v;
      if (value > 255) value = 256;  // large enough to refuse, never overflowing
    }
    // A reference without digits, or to byte 0, would end the text early
    // and silently lose the rest of it.
    if (digits == 0 || value == 0 || value > 255) {
      *error = value > 255 ? eXMLErrorCharacterCodeAbove255 : eXMLErrorUnknownCharacterEntity;
      free(out);
      return nullptr;
    }
    *o++ = static_cast<char>(value);
    s = p + 1;
  }
  *o = 0;
  return out;
}

XMLParser::Token XMLParser::next() {
  while (isXMLSpace(text_[index_])) ++index_;
  const char* p = text_ + index_;
  Token t{Text, p, 0, -1};
  auto take = [&](Kind kind, int length) {
    t.kind = kind;
    t.length = length;
    index_ += length;
    return t;
  };
  switch (*p) {
    case 0:
      return take(End, 0);
    case '<':
      for (int k = 0; k < 4; ++k) {
        size_t n = strlen(kClears[k].open);
        if (!strncmp(p, kClears[k].open, n)) {
          t.clear = k;
          return take(Clear, static_cast<int>(n));
        }
      }
      if (p[1] == '/') return take(EndTagStart, 2);
      if (p[1] == '?') return take(DeclStart, 2);
      return take(TagStart, 1);
    case '>':
      return take(TagEnd, 1);
    case '=':
      return take(Equals, 1);
    case '/':
      if (p[1] == '>') return take(ShortClose, 2);
      break;
    case '"':
    case '\'': {
      const char* q = p + 1;
      while (*q && *q != *p && *q != '<') q += options_.charLength(q);
      if (*q == *p) return take(Quoted, static_cast<int>(q + 1 - p));
      break;
    }
    default:
      break;
  }
  const char* q = p + options_.charLength(p);
  while (*q && !isXMLSpace(*q) && *q != '<' && *q != '>' && *q != '=' &&
         !(q[0] == '/' && q[1] == '>'))
    q += options_.charLength(q);
  return take(Text, static_cast<int>(q - p));
}

bool XMLParser::fail(XMLError code) {
  error_ = code;
  return false;
}

void XMLParser::warnUnclosed() {
  error_ = eXMLErrorMissingEndTag;
  savedIndex_ = index_;
}

XMLParser::StartTag XMLParser::startTag(Data* node, bool afterMark) {
  // After a closing mark cut from the element name, the state is that of
  // an empty attribute name read.
  int state = afterMark ? 1 : 0;
  Token name{Text, text_ + index_, 0, -1};
  auto addValueless = [&](bool closing) {
    int n =
        closing && node->isDeclaration ? withoutQuestionMark(name.start, name.length) : name.length;
    if (n > 0) XMLNode::appendAttribute(node, stringDup(name.start, n), nullptr, 50);
  };
  for (;;) {
    Token t = next();
    if (state == 0) {
      if (t.kind == Text) {
        name = t;
        state = 1;
      } else if (t.kind == TagEnd) {
        return Content;
      } else if (t.kind == ShortClose) {
        return Closed;
      } else if (t.kind == End) {
        if (!node->isDeclaration) warnUnclosed();
        return Failed;
      } else {
        fail(eXMLErrorUnexpectedToken);
        return Failed;
      }
    } else if (state == 1) {
      if (t.kind == Text) {
        addValueless(false);
        name = t;
      } else if (t.kind == Equals) {
        state = 2;
      } else if (t.kind == TagEnd || t.kind == ShortClose) {
        addValueless(true);
        if (t.kind == ShortClose) return Closed;
        // A declaration inside an element has no content of its own; one
        // at the top level holds the rest of the document.
        bool nested = node->isDeclaration && node->parent && node->parent->parent;
        return nested ? Closed : Content;
      } else {
        fail(eXMLErrorUnexpectedToken);
        return Failed;
      }
    } else {
      if (t.kind != Text && t.kind != Quoted) {
        fail(eXMLErrorUnexpectedToken);
        return Failed;
      }
      const char* v = t.start;
      int n = t.length;
      if (t.kind == Quoted) {
        ++v;
        n -= 2;
      } else if (node->isDeclaration) {
        n = withoutQuestionMark(v, n);
      }
      XMLError code = eXMLErrorNone;
      char* value = fromXMLString(v, n, &code);
      if (!value) {
        fail(code);
        return Failed;
      }
      XMLNode::appendAttribute(node, stringDup(name.start, name.length), value, 50);
      state = 0;
    }
  }
}

bool XMLParser::addPendingText(Data* node, const char* end) {
  const char* start = pending_;
  pending_ = nullptr;
  if (!start || end <= start) return true;
  if (options_.trimWhiteSpace) {
    while (start < end && isXMLSpace(*start)) ++start;
    while (end > start && isXMLSpace(end[-1])) --end;
  }
  if (start == end) return true;
  XMLError code = eXMLErrorNone;
  char* text = fromXMLString(start, static_cast<int>(end - start), &code);
  if (!text) return fail(code);
  int total = node->childCount + node->textCount + node->clearCount;
  if (options_.mergeTextAroundComments && total >= 2 &&
      (node->order[total - 1] & 3) == eNodeClear && (node->order[total - 2] & 3) == eNodeText &&
      node->clears[node->order[total - 1] >> 2].openTag == kCommentOpen) {
    int comment = node->order[total - 1] >> 2;
    XMLNode::removeFromOrder(node, comment, eNodeClear);
    free(node->clears[comment].text);
    memmove(static_cast<void*>(node->clears + comment), node->clears + comment + 1,
            sizeof(XMLClear) * (node->clearCount - comment - 1));
    --node->clearCount;
    char*& before = node->texts[node->order[total - 2] >> 2];
    size_t a = strlen(before), b = strlen(text);
    before = static_cast<char*>(realloc(before, a + b + 1));
    memcpy(before + a, text, b + 1);
    free(text);
    return true;
  }
  XMLNode::insertText(node, text, -1, 50);
  return true;
}

bool XMLParser::parseClear(Data* node, int kind) {
  const char* start = text_ + index_;
  const char* close = kClears[kind].close;
  if (kind == kDocType) {
    // An internal subset holds declarations of its own, so such a section
    // ends at "]>" instead of the first ">".
    const char* p = start;
    while (*p && *p != '<' && *p != '>') p += options_.charLength(p);
    if (*p == '<') close = kDocTypeSubsetClose;
  }
  const char* found = strstr(start, close);
  if (!found) return fail(eXMLErrorUnmatchedEndClearTag);
  if (found > start)
    XMLNode::insertClear(node, stringDup(start, static_cast<int>(found - start)),
                         kClears[kind].open, close, -1, 50);
  index_ = static_cast<int>(found - text_ + strlen(close));
  return true;
}

bool XMLParser::closeTop() {
  for (;;) {
    Data* closed = stack_.back();
    stack_.pop_back();
    // The arrays grew in steps while reading; give back what is unused.
    XMLNode::fitArrays(closed);
    if (stack_.empty()) return false;
    Data* parent = stack_.back();
    if (!endTag_) {
      pending_ = text_ + index_;
      return true;
    }
    if (stack_.size() == 1) return fail(eXMLErrorUnmatchedEndTag);
    if (tagMatches(parent->name, endTag_)) endTag_ = nullptr;
  }
}

void XMLParser::run(Data* doc) {
  stack_.push_back(doc);
  pending_ = text_;
  for (;;) {
    Data* node = stack_.back();
    Token t = next();
    switch (t.kind) {
      case TagStart:
      case DeclStart: {
        if (!addPendingText(node, t.start)) return;
        Token name = next();
        if (name.kind != Text) {
          fail(eXMLErrorMissingTagName);
          return;
        }
        // "<?name?>" without attributes: the "?" is the closing mark, not
        // part of the name, as the writer puts it there.
        bool markCut = t.kind == DeclStart && name.length > 1 &&
                       name.start[name.length - 1] == '?' && name.start[name.length] == '>';
        int nameLength = markCut ? name.length - 1 : name.length;
        Data* child = XMLNode::newData(stringDup(name.start, nameLength), t.kind == DeclStart);
        XMLNode::linkChild(node, child, -1, 50);
        StartTag r = startTag(child, markCut);
        if (r == Failed) return;
        stack_.push_back(child);
        if (r == Content) {
          pending_ = text_ + index_;
        } else if (!closeTop()) {
          return;
        }
        break;
      }
      case EndTagStart: {
        if (!addPendingText(node, t.start)) return;
        Token name = next();
        Token end = next();
        if (name.kind != Text || end.kind != TagEnd) {
          fail(eXMLErrorMissingEndTagName);
          return;
        }
        if (!tagMatches(node->name, name.start)) {
          warnUnclosed();
          endTag_ = name.start;
        }
        if (!closeTop()) return;
        break;
      }
      case Clear:
        if (!addPendingText(node, t.start) || !parseClear(node, t.clear)) return;
        pending_ = text_ + index_;
        break;
      case End:
        if (node->name && !node->isDeclaration && node->parent) warnUnclosed();
        addPendingText(node, t.start);
        return;
      default:
        break;  // part of the pending text
    }
  }
}

}  // namespace xml
