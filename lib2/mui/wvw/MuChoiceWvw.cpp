#include "lib2/mui/wvw/MuChoiceWvw.h"

#include <cstring>
#include <list>
#include <memory>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Log.h"
#include "lib2/mui/Mui.h"
#include "lib2/mui/wvw/MuCommonWvw.h"

namespace mui {

PLAT_LOG_WRITER(vlog, "MuChoiceWvw");

namespace {

constexpr int kTextLimit = 255;

}  // namespace

MuChoiceWvw::MuChoiceWvw(MuContainer* parent, const char* id, const char* label, int flags)
    : MuChoice(parent, id, label),
      labelChoice_(label, (flags & Editable) != 0, false, kTextLimit),
      editable_((flags & Editable) != 0),
      autocomplete_((flags & Autocomplete) != 0) {
  labelChoice_.setInputHandler(this);
  labelChoice_.setPadding(sizes[MuiSizes::LabelPadding]);
  // The field leaves refusing to its owner: it would take typing regardless.
  if (!editable_) choice_->getText()->filter = this;
  choice_->enableAutocomplete(autocomplete_);
  setImpl(std::make_unique<MuCommonWvw>(&labelChoice_));
}

void MuChoiceWvw::setTip(const char* tip) {
  choice_->getButton()->setTipText(tip);
  labelChoice_.getLabelWidget()->setTipText(tip);
  if (!editable_) choice_->getText()->setTipText(tip);
}

void MuChoiceWvw::setLabelSplit(int labelSplit, int childSplit) {
  labelChoice_.setSplit(labelSplit, childSplit);
}

int MuChoiceWvw::getLabelMinUnwrappedWidth() {
  return labelChoice_.getLabelWidget()->getMinWidth(0);
}

plat::DString MuChoiceWvw::getItems() {
  std::list<plat::String> entries;
  choice_->getEntries(&entries);
  plat::DString s;
  for (const plat::String& e : entries) s.prf("%s\n", e.get());
  return s;
}

void MuChoiceWvw::setSelection(int id) {
  settingSelection_ = true;
  choice_->setId(id);
  settingSelection_ = false;
  choice_->selectChoice();
}

int MuChoiceWvw::getSelection() const { return choice_->getId(); }

int MuChoiceWvw::size() const { return (int)choice_->getMenu()->items().size(); }

void MuChoiceWvw::setText(const char* text) {
  if (!text) text = "";
  if (!editable_ && *text && !isItemText(text)) {
    vlog().error("choice %s has no item \"%s\": its text stays \"%s\"", getId() ? getId() : "",
                 text, getText());
    return;
  }
  choice_->setStr(text);
  choice_->selectChoice();
  choice_->enableAutocomplete(autocomplete_);
}

const char* MuChoiceWvw::getText() const { return choice_->getStr(); }

void MuChoiceWvw::addItem(int id, const char* text) {
  PLAT_ASSERT_MSG(text, "choice item %d without text", id);
  int selected = getSelection();
  wvw::WText* field = choice_->getText();
  int length = (int)std::strlen(text);
  if (length > field->getMaxLen()) field->setMaxLen(length);
  choice_->addItem(id, text);
  itemsChanged(selected);
}

void MuChoiceWvw::removeItem(int id) {
  int selected = getSelection();
  choice_->remItem(id);
  itemsChanged(selected);
}

void MuChoiceWvw::removeAllItems() {
  int selected = getSelection();
  choice_->remAllItems();
  itemsChanged(selected);
}

void MuChoiceWvw::itemsChanged(int selected) {
  choice_->enableAutocomplete(autocomplete_);
  if (editable_ || !*getText() || getSelection() != -1) return;
  settingSelection_ = true;
  choice_->setId(selected);
  settingSelection_ = false;
}

bool MuChoiceWvw::isItemText(const char* text) const {
  std::list<plat::String> entries;
  choice_->getEntries(&entries);
  for (const plat::String& e : entries) {
    // An id has no colon, so the first one ends it.
    if (std::strcmp(std::strchr(e.get(), ':') + 1, text) == 0) return true;
  }
  return false;
}

bool MuChoiceWvw::handleChanged(wvw::Widget* w) {
  // The field reports every change of the text, the choice only some of
  // them and always after the field: the field's report is the one.
  if (w == choice_->getText() && !settingSelection_) dispatchEvent(this, MuEventChanged);
  return true;
}

bool MuChoiceWvw::wtextFilter(wvw::WText* text, const char*, int) {
  text->bell();
  return false;
}

MuChoice* muChoiceWvw(MuContainer* parent, const char* id, const char* label, int flags) {
  return new MuChoiceWvw(parent, id, label, flags);
}

}  // namespace mui
