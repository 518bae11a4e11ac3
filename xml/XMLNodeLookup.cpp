// Read-only look-ups: counts, children by index, name, path or attribute,
// attributes, texts, clear sections and places in document order.
#include <strings.h>

#include <cstring>

#include "xml/XMLNode.h"
#include "xml/XMLUtil.h"

namespace xml {

namespace {

bool sameName(const char* a, const char* b) { return a && b && !strcasecmp(a, b); }

}  // namespace

const char* XMLNode::getName() const { return d_ ? d_->name : nullptr; }
char XMLNode::isDeclaration() const { return d_ ? d_->isDeclaration : 0; }
XMLNode XMLNode::getParentNode() const { return d_ ? XMLNode(d_->parent) : XMLNode(); }
int XMLNode::nChildNode() const { return d_ ? d_->childCount : 0; }
int XMLNode::nText() const { return d_ ? d_->textCount : 0; }
int XMLNode::nClear() const { return d_ ? d_->clearCount : 0; }
int XMLNode::nAttribute() const { return d_ ? d_->attributeCount : 0; }

int XMLNode::nElement() const {
  return d_ ? d_->childCount + d_->textCount + d_->clearCount + d_->attributeCount : 0;
}

int XMLNode::nChildNode(const char* name) const {
  int n = 0;
  for (int i = 0; d_ && i < d_->childCount; ++i) n += sameName(d_->children[i]->name, name);
  return n;
}

XMLNode XMLNode::getChildNode(int i) const {
  if (!d_ || i < 0 || i >= d_->childCount) return XMLNode();
  return XMLNode(d_->children[i]);
}

XMLNode XMLNode::getChildNode(const char* name, int* i) const {
  for (int k = i ? *i : 0; d_ && k < d_->childCount; ++k)
    if (sameName(d_->children[k]->name, name)) {
      if (i) *i = k + 1;
      return XMLNode(d_->children[k]);
    }
  return XMLNode();
}

XMLNode XMLNode::getChildNode(const char* name, int j) const {
  if (!d_) return XMLNode();
  if (j < 0) {
    for (int k = d_->childCount - 1; k >= 0; --k)
      if (sameName(d_->children[k]->name, name)) return XMLNode(d_->children[k]);
    return XMLNode();
  }
  int i = 0;
  XMLNode found;
  while (j-- >= 0) {
    found = getChildNode(name, &i);
    if (found.isEmpty()) break;
  }
  return found;
}

XMLNode XMLNode::getChildNodeByPath(const char* path, char createMissing, char separator) {
  if (!path || !*path) return *this;
  XMLNode node = *this;
  const char* p = path;
  while (*p && !node.isEmpty()) {
    const char* end = strchr(p, separator);
    if (!end) end = p + strlen(p);
    if (end > p) {
      char* piece = stringDup(p, static_cast<int>(end - p));
      XMLNode next = node.getChildNode(piece, 0);
      if (next.isEmpty() && createMissing)
        next = node.addChild_WOSD(piece);
      else
        freeXMLString(piece);
      node = next;
    }
    p = *end ? end + 1 : end;
  }
  return node;
}

XMLNode XMLNode::getChildNodeWithAttribute(const char* name, const char* attributeName,
                                           const char* attributeValue, int* i) const {
  for (int k = i ? *i : 0; d_ && k < d_->childCount; ++k) {
    XMLNodeDataTag* c = d_->children[k];
    if (!sameName(c->name, name)) continue;
    for (int a = 0; a < c->attributeCount; ++a) {
      const XMLAttribute& attr = c->attributes[a];
      if (!sameName(attr.name, attributeName)) continue;
      if (attributeValue && !sameName(attr.value, attributeValue)) continue;
      if (i) *i = k + 1;
      return XMLNode(c);
    }
  }
  return XMLNode();
}

const char* XMLNode::getAttribute(const char* name, int* j) const {
  for (int k = j ? *j : 0; d_ && k < d_->attributeCount; ++k)
    if (sameName(d_->attributes[k].name, name)) {
      if (j) *j = k + 1;
      return d_->attributes[k].value;
    }
  return nullptr;
}

const char* XMLNode::getAttribute(const char* name, int j) const {
  int k = 0;
  for (int a = 0; d_ && a < d_->attributeCount; ++a)
    if (sameName(d_->attributes[a].name, name) && k++ == j) return d_->attributes[a].value;
  return nullptr;
}

XMLAttribute XMLNode::getAttribute(int i) const {
  if (!d_ || i < 0 || i >= d_->attributeCount) return emptyXMLAttribute;
  return d_->attributes[i];
}

const char* XMLNode::getAttributeName(int i) const { return getAttribute(i).name; }
const char* XMLNode::getAttributeValue(int i) const { return getAttribute(i).value; }

char XMLNode::isAttributeSet(const char* name) const {
  for (int a = 0; d_ && a < d_->attributeCount; ++a)
    if (sameName(d_->attributes[a].name, name)) return 1;
  return 0;
}

const char* XMLNode::getText(int i) const {
  return d_ && i >= 0 && i < d_->textCount ? d_->texts[i] : nullptr;
}

XMLClear XMLNode::getClear(int i) const {
  return d_ && i >= 0 && i < d_->clearCount ? d_->clears[i] : emptyXMLClear;
}

XMLContentItem XMLNode::enumContents(int i) const {
  XMLContentItem item{eNodeNULL, XMLNode(), emptyXMLAttribute, nullptr, emptyXMLClear};
  if (!d_ || i < 0) return item;
  if (i < d_->attributeCount) {
    item.kind = eNodeAttribute;
    item.attribute = d_->attributes[i];
    return item;
  }
  i -= d_->attributeCount;
  if (i >= d_->childCount + d_->textCount + d_->clearCount) return item;
  int entry = d_->order[i];
  item.kind = static_cast<XMLElementType>(entry & 3);
  if (item.kind == eNodeChild) item.child = XMLNode(d_->children[entry >> 2]);
  if (item.kind == eNodeText) item.text = d_->texts[entry >> 2];
  if (item.kind == eNodeClear) item.clear = d_->clears[entry >> 2];
  return item;
}

int XMLNode::indexText(const char* text) const {
  if (!d_) return -1;
  if (!text) return d_->textCount ? 0 : -1;
  for (int i = 0; i < d_->textCount; ++i)
    if (d_->texts[i] == text) return i;
  return -1;
}

int XMLNode::indexClear(const char* text) const {
  if (!d_) return -1;
  if (!text) return d_->clearCount ? 0 : -1;
  for (int i = 0; i < d_->clearCount; ++i)
    if (d_->clears[i].text == text) return i;
  return -1;
}

int XMLNode::positionOfText(int i) const {
  int n = nText();
  return n ? findPosition(i < n ? i : n - 1, eNodeText) : -1;
}

int XMLNode::positionOfText(const char* text) const {
  int i = indexText(text);
  return i < 0 ? -1 : positionOfText(i);
}

int XMLNode::positionOfClear(int i) const {
  int n = nClear();
  return n ? findPosition(i < n ? i : n - 1, eNodeClear) : -1;
}

int XMLNode::positionOfClear(const char* text) const {
  int i = indexClear(text);
  return i < 0 ? -1 : positionOfClear(i);
}

int XMLNode::positionOfClear(XMLClear* clear) const {
  return clear ? positionOfClear(clear->text) : -1;
}

int XMLNode::positionOfChildNode(int i) const {
  int n = nChildNode();
  return n ? findPosition(i < n ? i : n - 1, eNodeChild) : -1;
}

int XMLNode::positionOfChildNode(XMLNode child) const {
  for (int i = 0; d_ && i < d_->childCount; ++i)
    if (d_->children[i] == child.d_) return positionOfChildNode(i);
  return -1;
}

int XMLNode::positionOfChildNode(const char* name, int j) const {
  if (!name) return positionOfChildNode(j);
  int last = -1;
  for (int i = 0, k = 0; d_ && i < d_->childCount; ++i)
    if (sameName(d_->children[i]->name, name)) {
      last = i;
      if (k++ == j) break;
    }
  return last < 0 ? -1 : positionOfChildNode(last);
}

}  // namespace xml
