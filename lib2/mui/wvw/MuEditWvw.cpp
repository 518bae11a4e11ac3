#include "lib2/mui/wvw/MuEditWvw.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "lib2/mui/Mui.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/mui/wvw/MuiWvw.h"

namespace mui {

MuEditWvw::MuEditWvw(MuContainer* parent, const char* id, const char* label, Type type)
    : MuEdit(parent, id, label, type),
      style_(*getMuiWvw()->getDefaultStyle()),
      labelText_(label, MinCapacity),
      entry_(labelText_.getText()) {
  labelText_.setInputHandler(this);
  labelText_.setPadding(sizes[MuiSizes::LabelPadding]);
  if (type == Password) {
    entry_->masked = true;
    entry_->invalidate();
  }
  entry_->setStyle(&style_);
  setImpl(std::make_unique<MuCommonWvw>(&labelText_));
}

void MuEditWvw::setTip(const char* tip) {
  labelText_.getLabelWidget()->setTipText(tip);
  entry_->setTipText(tip);
}

void MuEditWvw::setBgColour(const fb::Colour& colour) {
  style_.backgroundColour = colour;
  entry_->invalidate();
}

void MuEditWvw::setLabelSplit(int labelSplit, int childSplit) {
  labelText_.setSplit(labelSplit, childSplit);
}

int MuEditWvw::getLabelMinUnwrappedWidth() { return labelText_.getLabelWidget()->getMinWidth(0); }

bool MuEditWvw::setText(const char* text) {
  settingText_ = true;
  entry_->setText(text, true);
  settingText_ = false;
  return std::strlen(entry_->getText()) == std::strlen(text ? text : "");
}

const char* MuEditWvw::getText() const { return entry_->getText(); }

void MuEditWvw::setSelection(int start, int length) {
  wvw::WText* e = entry_;
  if (start < 0) {
    e->select(e->getCursor(), e->getCursor());
    return;
  }
  e->select(start, length < 0 ? -1 : start + length);
}

int MuEditWvw::getSelection(int* length) const {
  int cursor = entry_->getCursor(), selLength = entry_->getSelLength();
  if (length) *length = std::abs(selLength);
  return selLength < 0 ? cursor + selLength : cursor;
}

void MuEditWvw::setFilter(MuEdit::Filter* filter) {
  filter_ = filter;
  entry_->filter = this;
}

bool MuEditWvw::handleChanged(wvw::Widget* w) {
  if (w == entry_ && !settingText_) dispatchEvent(this, MuEventChanged);
  return true;
}

bool MuEditWvw::wtextFilter(wvw::WText*, const char* newText, int ch) {
  return !filter_ || filter_->filterText(this, newText, ch);
}

MuEdit* muEditWvw(MuContainer* parent, const char* id, const char* label, MuEdit::Type type) {
  return new MuEditWvw(parent, id, label, type);
}

}  // namespace mui
