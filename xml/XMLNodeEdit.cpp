// Replacing and removing names, attributes, texts and clear sections. The
// _WOSD forms take over a malloc'd text; the plain forms copy theirs.
#include <strings.h>

#include <cstdlib>
#include <cstring>

#include "xml/XMLNode.h"
#include "xml/XMLUtil.h"

namespace xml {

const char* XMLNode::updateName(const char* name) { return updateName_WOSD(stringDup(name)); }

const char* XMLNode::updateName_WOSD(char* name) {
  if (!d_) {
    free(name);
    return nullptr;
  }
  free(d_->name);
  d_->name = name;
  return name;
}

XMLAttribute* XMLNode::updateAttribute(const char* newValue, const char* newName, int i) {
  return updateAttribute_WOSD(stringDup(newValue), stringDup(newName), i);
}

XMLAttribute* XMLNode::updateAttribute_WOSD(char* newValue, char* newName, int i) {
  if (!d_) {
    free(newValue);
    free(newName);
    return nullptr;
  }
  if (i < 0 || i >= d_->attributeCount) {
    if (newName) return addAttribute_WOSD(newName, newValue);
    free(newValue);
    return nullptr;
  }
  XMLAttribute* a = d_->attributes + i;
  free(a->value);
  a->value = newValue;
  if (newName) {
    free(a->name);
    a->name = newName;
  }
  return a;
}

XMLAttribute* XMLNode::updateAttribute(const char* newValue, const char* newName,
                                       const char* oldName) {
  return updateAttribute_WOSD(stringDup(newValue), stringDup(newName), oldName);
}

XMLAttribute* XMLNode::updateAttribute_WOSD(char* newValue, char* newName, const char* oldName) {
  if (!d_) {
    free(newValue);
    free(newName);
    return nullptr;
  }
  for (int i = 0; oldName && i < d_->attributeCount; ++i)
    if (d_->attributes[i].name && !strcasecmp(d_->attributes[i].name, oldName))
      return updateAttribute_WOSD(newValue, newName, i);
  return addAttribute_WOSD(newName ? newName : stringDup(oldName), newValue);
}

XMLAttribute* XMLNode::updateAttribute(XMLAttribute* newAttribute, XMLAttribute* oldAttribute) {
  if (!newAttribute) return nullptr;
  if (!oldAttribute) return addAttribute(newAttribute->name, newAttribute->value);
  return updateAttribute(newAttribute->value, newAttribute->name, oldAttribute->name);
}

const char* XMLNode::updateText(const char* newText, int i) {
  return updateText_WOSD(stringDup(newText), i);
}

const char* XMLNode::updateText_WOSD(char* newText, int i) {
  if (!d_ || !newText) {
    free(newText);
    return nullptr;
  }
  if (i < 0 || i >= d_->textCount) return addText_WOSD(newText);
  free(d_->texts[i]);
  d_->texts[i] = newText;
  return newText;
}

const char* XMLNode::updateText(const char* newText, const char* oldText) {
  return updateText_WOSD(stringDup(newText), oldText);
}

const char* XMLNode::updateText_WOSD(char* newText, const char* oldText) {
  int i = d_ && oldText ? indexText(oldText) : -1;
  return updateText_WOSD(newText, i < 0 && d_ ? d_->textCount : i);
}

XMLClear* XMLNode::updateClear(const char* newText, int i) {
  return updateClear_WOSD(stringDup(newText), i);
}

XMLClear* XMLNode::updateClear_WOSD(char* newText, int i) {
  if (!d_ || !newText) {
    free(newText);
    return &emptyXMLClear;
  }
  if (i < 0 || i >= d_->clearCount) return addClear_WOSD(newText);
  free(d_->clears[i].text);
  d_->clears[i].text = newText;
  return d_->clears + i;
}

XMLClear* XMLNode::updateClear(const char* newText, const char* oldText) {
  return updateClear_WOSD(stringDup(newText), oldText);
}

XMLClear* XMLNode::updateClear_WOSD(char* newText, const char* oldText) {
  int i = d_ && oldText ? indexClear(oldText) : -1;
  return updateClear_WOSD(newText, i < 0 && d_ ? d_->clearCount : i);
}

XMLClear* XMLNode::updateClear(XMLClear* newClear, XMLClear* oldClear) {
  if (!newClear) return &emptyXMLClear;
  return updateClear(newClear->text, oldClear ? oldClear->text : nullptr);
}

void XMLNode::deleteAttribute(int i) {
  if (!d_ || i < 0 || i >= d_->attributeCount) return;
  free(d_->attributes[i].name);
  free(d_->attributes[i].value);
  memmove(static_cast<void*>(d_->attributes + i), d_->attributes + i + 1,
          sizeof(XMLAttribute) * (d_->attributeCount - i - 1));
  --d_->attributeCount;
}

void XMLNode::deleteAttribute(const char* name) {
  for (int i = 0; d_ && name && i < d_->attributeCount; ++i)
    if (d_->attributes[i].name && !strcasecmp(d_->attributes[i].name, name))
      return deleteAttribute(i);
}

void XMLNode::deleteAttribute(XMLAttribute* attribute) {
  if (attribute) deleteAttribute(attribute->name);
}

void XMLNode::deleteText(int i) {
  if (!d_ || i < 0 || i >= d_->textCount) return;
  free(d_->texts[i]);
  removeFromOrder(d_, i, eNodeText);
  memmove(d_->texts + i, d_->texts + i + 1, sizeof(char*) * (d_->textCount - i - 1));
  --d_->textCount;
}

void XMLNode::deleteText(const char* text) {
  if (text) deleteText(indexText(text));
}

void XMLNode::deleteClear(int i) {
  if (!d_ || i < 0 || i >= d_->clearCount) return;
  free(d_->clears[i].text);
  removeFromOrder(d_, i, eNodeClear);
  memmove(static_cast<void*>(d_->clears + i), d_->clears + i + 1,
          sizeof(XMLClear) * (d_->clearCount - i - 1));
  --d_->clearCount;
}

void XMLNode::deleteClear(const char* text) {
  if (text) deleteClear(indexClear(text));
}

void XMLNode::deleteClear(XMLClear* clear) {
  if (clear) deleteClear(clear->text);
}

}  // namespace xml
