// Handles, reference counts, freeing, deep copies and the document order.
#include "xml/XMLNode.h"

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "xml/XMLUtil.h"

namespace xml {

const char* const kCDataOpen = "<![CDATA[";
const char* const kCDataClose = "]]>";
const char* const kDocTypeOpen = "<!DOCTYPE";
const char* const kDocTypeClose = ">";
const char* const kDocTypeSubsetClose = "]>";
const char* const kCommentOpen = "<!--";
const char* const kCommentClose = "-->";
const char* const kPreOpen = "<PRE>";
const char* const kPreClose = "</PRE>";

XMLNode XMLNode::emptyXMLNode;
XMLClear XMLNode::emptyXMLClear = {nullptr, nullptr, nullptr};
XMLAttribute XMLNode::emptyXMLAttribute = {nullptr, nullptr};

namespace {

// Grows arr to hold need entries: one at a time while editing; while
// reading, by doubling, as the reader cuts every array to its size when its
// element closes.
template <class T>
void reserve(T*& arr, int& cap, int need, int step) {
  if (need <= cap) return;
  int newCap = step > 1 ? (cap * 2 > 4 ? cap * 2 : 4) : cap + 1;
  if (newCap < need) newCap = need;
  arr = static_cast<T*>(realloc(static_cast<void*>(arr), sizeof(T) * newCap));
  cap = newCap;
}

template <class T>
void shrink(T*& arr, int& cap, int count) {
  if (cap <= count) return;
  if (count) {
    arr = static_cast<T*>(realloc(static_cast<void*>(arr), sizeof(T) * count));
  } else {
    free(static_cast<void*>(arr));
    arr = nullptr;
  }
  cap = count;
}

int orderCount(const XMLNode::XMLNodeDataTag* d) {
  return d->childCount + d->textCount + d->clearCount;
}

int& countOf(XMLNode::XMLNodeDataTag* d, int kind) {
  return kind == eNodeChild ? d->childCount : kind == eNodeText ? d->textCount : d->clearCount;
}

}  // namespace

XMLNode::XMLNode(XMLNodeDataTag* data) : d_(data) {
  if (d_) ++d_->refCount;
}

XMLNode::XMLNode(const XMLNode& other) : d_(other.d_) {
  if (d_) ++d_->refCount;
}

XMLNode& XMLNode::operator=(const XMLNode& other) {
  if (d_ == other.d_) return *this;
  XMLNodeDataTag* old = d_;
  d_ = other.d_;
  if (d_) ++d_->refCount;
  release(old);
  return *this;
}

XMLNode::~XMLNode() { release(d_); }

XMLNode::XMLNodeDataTag* XMLNode::newData(char* name, char isDeclaration) {
  auto* d = static_cast<XMLNodeDataTag*>(calloc(1, sizeof(XMLNodeDataTag)));
  d->name = name;
  d->isDeclaration = isDeclaration;
  return d;
}

void XMLNode::release(XMLNodeDataTag* data) {
  if (data && --data->refCount <= 0) emptyTree(data, false);
}

void XMLNode::emptyTree(XMLNodeDataTag* data, bool force) {
  std::vector<XMLNodeDataTag*> work{data};
  while (!work.empty()) {
    XMLNodeDataTag* n = work.back();
    work.pop_back();
    for (int i = 0; i < n->childCount; ++i) {
      XMLNodeDataTag* c = n->children[i];
      c->parent = nullptr;
      if (--c->refCount <= 0 || force) work.push_back(c);
    }
    free(n->name);
    for (int i = 0; i < n->textCount; ++i) free(n->texts[i]);
    for (int i = 0; i < n->clearCount; ++i) free(n->clears[i].text);
    for (int i = 0; i < n->attributeCount; ++i) {
      free(n->attributes[i].name);
      free(n->attributes[i].value);
    }
    free(n->children);
    free(n->texts);
    free(n->clears);
    free(n->attributes);
    free(n->order);
    int refs = n->refCount;
    XMLNodeDataTag* parent = n->parent;
    memset(static_cast<void*>(n), 0, sizeof *n);
    n->refCount = refs;
    n->parent = parent;
    if (refs <= 0) free(n);
  }
}

void XMLNode::detach(XMLNodeDataTag* data) {
  XMLNodeDataTag* p = data->parent;
  if (!p) return;
  int i = 0;
  while (i < p->childCount && p->children[i] != data) ++i;
  if (i < p->childCount) {
    removeFromOrder(p, i, eNodeChild);
    memmove(p->children + i, p->children + i + 1, sizeof(*p->children) * (p->childCount - i - 1));
    --p->childCount;
  }
  data->parent = nullptr;
  --data->refCount;
}

void XMLNode::fitArrays(XMLNodeDataTag* d) {
  shrink(d->children, d->childCap, d->childCount);
  shrink(d->texts, d->textCap, d->textCount);
  shrink(d->clears, d->clearCap, d->clearCount);
  shrink(d->attributes, d->attributeCap, d->attributeCount);
  shrink(d->order, d->orderCap, orderCount(d));
}

int XMLNode::addToOrder(XMLNodeDataTag* d, int pos, int kind, int grow) {
  int total = orderCount(d);
  int n = countOf(d, kind);
  reserve(d->order, d->orderCap, total + 1, grow > 1 ? grow * 3 : 1);
  if (pos < 0 || pos >= total) {
    d->order[total] = (n << 2) | kind;
    return n;
  }
  int found = pos;
  while (found < total && (d->order[found] & 3) != kind) ++found;
  memmove(d->order + pos + 1, d->order + pos, sizeof(int) * (total - pos));
  if (found == total) {
    d->order[pos] = (n << 2) | kind;
    return n;
  }
  int index = d->order[found + 1] >> 2;
  d->order[pos] = (index << 2) | kind;
  for (int j = pos + 1; j <= total; ++j)
    if ((d->order[j] & 3) == kind) d->order[j] += 4;
  return index;
}

void XMLNode::removeFromOrder(XMLNodeDataTag* d, int index, int kind) {
  int total = orderCount(d);
  int entry = (index << 2) | kind;
  int j = 0;
  while (j < total && d->order[j] != entry) ++j;
  if (j == total) return;
  memmove(d->order + j, d->order + j + 1, sizeof(int) * (total - j - 1));
  for (int k = j; k < total - 1; ++k)
    if ((d->order[k] & 3) == kind) d->order[k] -= 4;
}

int XMLNode::findPosition(int index, int kind) const {
  if (!d_) return -1;
  int entry = (index << 2) | kind;
  int total = orderCount(d_);
  for (int j = 0; j < total; ++j)
    if (d_->order[j] == entry) return j;
  return -1;
}

void XMLNode::linkChild(XMLNodeDataTag* parent, XMLNodeDataTag* child, int pos, int grow) {
  int i = addToOrder(parent, pos, eNodeChild, grow);
  reserve(parent->children, parent->childCap, parent->childCount + 1, grow);
  memmove(parent->children + i + 1, parent->children + i,
          sizeof(*parent->children) * (parent->childCount - i));
  parent->children[i] = child;
  ++parent->childCount;
  child->parent = parent;
  ++child->refCount;
}

char** XMLNode::insertText(XMLNodeDataTag* d, char* text, int pos, int grow) {
  int i = addToOrder(d, pos, eNodeText, grow);
  reserve(d->texts, d->textCap, d->textCount + 1, grow);
  memmove(d->texts + i + 1, d->texts + i, sizeof(*d->texts) * (d->textCount - i));
  d->texts[i] = text;
  ++d->textCount;
  return d->texts + i;
}

XMLClear* XMLNode::insertClear(XMLNodeDataTag* d, char* text, const char* openTag,
                               const char* closeTag, int pos, int grow) {
  int i = addToOrder(d, pos, eNodeClear, grow);
  reserve(d->clears, d->clearCap, d->clearCount + 1, grow);
  memmove(static_cast<void*>(d->clears + i + 1), d->clears + i,
          sizeof(*d->clears) * (d->clearCount - i));
  d->clears[i] = {text, openTag ? openTag : kCDataOpen, closeTag ? closeTag : kCDataClose};
  ++d->clearCount;
  return d->clears + i;
}

XMLAttribute* XMLNode::appendAttribute(XMLNodeDataTag* d, char* name, char* value, int grow) {
  reserve(d->attributes, d->attributeCap, d->attributeCount + 1, grow);
  d->attributes[d->attributeCount] = {name, value};
  return d->attributes + d->attributeCount++;
}

XMLNode XMLNode::createXMLTopNode(const char* name, char isDeclaration) {
  return XMLNode(newData(stringDup(name), isDeclaration));
}

XMLNode XMLNode::createXMLTopNode_WOSD(char* name, char isDeclaration) {
  return XMLNode(newData(name, isDeclaration));
}

XMLNode XMLNode::emptyNode() { return XMLNode(); }

XMLNode XMLNode::deepCopy() const {
  if (!d_) return XMLNode();
  auto shallow = [](const XMLNodeDataTag* s) {
    XMLNodeDataTag* t = newData(stringDup(s->name), s->isDeclaration);
    int total = orderCount(s);
    t->childCount = t->childCap = s->childCount;
    t->textCount = t->textCap = s->textCount;
    t->clearCount = t->clearCap = s->clearCount;
    t->attributeCount = t->attributeCap = s->attributeCount;
    t->orderCap = total;
    t->children = static_cast<XMLNodeDataTag**>(malloc(sizeof(void*) * s->childCount));
    t->texts = static_cast<char**>(malloc(sizeof(char*) * s->textCount));
    t->clears = static_cast<XMLClear*>(malloc(sizeof(XMLClear) * s->clearCount));
    t->attributes = static_cast<XMLAttribute*>(malloc(sizeof(XMLAttribute) * s->attributeCount));
    t->order = static_cast<int*>(malloc(sizeof(int) * total));
    if (total) memcpy(t->order, s->order, sizeof(int) * total);
    for (int i = 0; i < s->textCount; ++i) t->texts[i] = stringDup(s->texts[i]);
    for (int i = 0; i < s->clearCount; ++i)
      t->clears[i] = {stringDup(s->clears[i].text), s->clears[i].openTag, s->clears[i].closeTag};
    for (int i = 0; i < s->attributeCount; ++i)
      t->attributes[i] = {stringDup(s->attributes[i].name), stringDup(s->attributes[i].value)};
    return t;
  };
  XMLNodeDataTag* root = shallow(d_);
  std::vector<std::pair<const XMLNodeDataTag*, XMLNodeDataTag*>> work{{d_, root}};
  while (!work.empty()) {
    auto [s, t] = work.back();
    work.pop_back();
    for (int i = 0; i < s->childCount; ++i) {
      XMLNodeDataTag* c = shallow(s->children[i]);
      c->parent = t;
      c->refCount = 1;
      t->children[i] = c;
      work.emplace_back(s->children[i], c);
    }
  }
  return XMLNode(root);
}

void XMLNode::deleteNodeContent() {
  if (!d_) return;
  // This handle keeps the data alive while its parent lets go of it.
  detach(d_);
  emptyTree(d_, true);
}

XMLNode XMLNode::addChild(const char* name, char isDeclaration, int pos) {
  if (!name) return XMLNode();
  return addChild_WOSD(stringDup(name), isDeclaration, pos);
}

XMLNode XMLNode::addChild_WOSD(char* name, char isDeclaration, int pos) {
  if (!d_ || !name) {
    free(name);
    return XMLNode();
  }
  XMLNodeDataTag* child = newData(name, isDeclaration);
  linkChild(d_, child, pos, 1);
  return XMLNode(child);
}

XMLNode XMLNode::addChild(XMLNode child, int pos) {
  if (!d_ || !child.d_) return child;
  // A node moved under itself or its own descendant would make a cycle
  // that no walk of the tree ever leaves.
  for (XMLNodeDataTag* a = d_; a; a = a->parent)
    if (a == child.d_) return XMLNode();
  if (!child.d_->name) {
    while (child.d_->childCount) {
      XMLNode grandChild(child.d_->children[0]);
      detach(grandChild.d_);
      linkChild(d_, grandChild.d_, pos, 1);
      if (pos >= 0) ++pos;
    }
    return child;
  }
  if (child.d_->parent == d_ && pos >= 0) {
    int i = 0;
    while (d_->children[i] != child.d_) ++i;
    if (findPosition(i, eNodeChild) < pos) --pos;
  }
  detach(child.d_);
  linkChild(d_, child.d_, pos, 1);
  return child;
}

XMLAttribute* XMLNode::addAttribute(const char* name, const char* value) {
  if (!name) return &emptyXMLAttribute;
  return addAttribute_WOSD(stringDup(name), stringDup(value));
}

XMLAttribute* XMLNode::addAttribute_WOSD(char* name, char* value) {
  if (!d_ || !name) {
    free(name);
    free(value);
    return &emptyXMLAttribute;
  }
  return appendAttribute(d_, name, value, 1);
}

const char* XMLNode::addText(const char* text, int pos) {
  if (!text) return nullptr;
  return addText_WOSD(stringDup(text), pos);
}

const char* XMLNode::addText_WOSD(char* text, int pos) {
  if (!d_ || !text) {
    free(text);
    return nullptr;
  }
  return *insertText(d_, text, pos, 1);
}

XMLClear* XMLNode::addClear(const char* text, const char* openTag, const char* closeTag, int pos) {
  if (!text) return &emptyXMLClear;
  return addClear_WOSD(stringDup(text), openTag, closeTag, pos);
}

XMLClear* XMLNode::addClear_WOSD(char* text, const char* openTag, const char* closeTag, int pos) {
  if (!d_ || !text) {
    free(text);
    return &emptyXMLClear;
  }
  return insertClear(d_, text, openTag, closeTag, pos, 1);
}

}  // namespace xml
