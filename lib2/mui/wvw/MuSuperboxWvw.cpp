#include "lib2/mui/wvw/MuSuperboxWvw.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "lib2/fb/Keysyms.h"
#include "lib2/mui/Mui.h"
#include "lib2/mui/wvw/MuCommonWvw.h"

namespace mui {

namespace {

constexpr int kButtonWidth = 19;

}  // namespace

MuSuperboxWvw::MuSuperboxWvw(MuContainer* parent, const char* id, const char* label,
                             Callback* callback, int popupHeight)
    : MuSuperbox(parent, id, label, callback, popupHeight),
      labelWidget_(label, 0, -1),
      row_(true),
      text_(TextLimit, "", true),
      button_(wvw::WArrow::Down) {
  // Both get the entry's height now; the widths follow at the first resize.
  int h = text_.getMinSize().y;
  row_.add(&text_, plat::Rect(0, 0, 0, h), nullptr);
  row_.add(&button_, plat::Rect(0, 0, kButtonWidth, h), nullptr);
  row_.setInputHandler(this);
  labelWidget_.setChild(&row_);
  labelWidget_.setPadding(sizes[MuiSizes::LabelPadding]);
  setImpl(std::make_unique<MuCommonWvw>(&labelWidget_));
}

void MuSuperboxWvw::focus() {
  // The entry, not the label, is what a person types into.
  text_.requestFocus();
  if (MuDialog* dialog = MuDialog::getDialog(this)) dialog->onSetFocus(this);
  text_.select(0, -1);
}

void MuSuperboxWvw::setTip(const char* tip) {
  for (wvw::Widget* w : {static_cast<wvw::Widget*>(&text_), static_cast<wvw::Widget*>(&button_)})
    if (!plat::String::equal(w->getTipText(), tip)) w->setTipText(tip);
}

void MuSuperboxWvw::setLabelSplit(int labelSplit, int childSplit) {
  labelWidget_.setSplit(labelSplit, childSplit);
}

int MuSuperboxWvw::getLabelMinUnwrappedWidth() { return labelWidget_.getMinWidth(0); }

const char* MuSuperboxWvw::getText() const { return text_.getText(); }

bool MuSuperboxWvw::setText(const char* text) {
  if (!text) text = "";
  settingText_ = true;
  text_.setText(text, true);
  settingText_ = false;
  text_.select(0, -1);
  // The entry logs a cut itself.
  return std::strlen(text_.getText()) == std::strlen(text);
}

plat::Rect MuSuperboxWvw::getComboboxRect() { return labelWidget_.getChildRect(&row_); }

bool MuSuperboxWvw::handleClick(wvw::Widget* w) {
  if (w != &button_) return false;
  text_.requestFocus();
  dispatchEvent(this, MuEventClicked);
  return true;
}

bool MuSuperboxWvw::handleChanged(wvw::Widget* w) {
  if (w == &text_ && !settingText_) dispatchEvent(this, MuEventChanged);
  return false;
}

bool MuSuperboxWvw::handleResize(wvw::Widget* w) {
  if (w != &row_) return false;
  int width = row_.getSize().x, bw = button_.getSize().x;
  row_.setPos(&text_, plat::Rect(0, 0, std::max(0, width - bw + 4), text_.getSize().y));
  row_.setPos(&button_, plat::Point(width - bw, 0));
  return true;
}

bool MuSuperboxWvw::handleKeyEvent(unsigned int keysym, bool down, wvw::Widget* w) {
  if (w != &text_) return false;
  bool onRelease = keysym == fb::keysym::Escape || keysym == fb::keysym::Return;
  if (down == onRelease) return false;
  return keyPress(int(keysym));
}

bool MuSuperboxWvw::handleEnable(wvw::Widget* w) {
  if (w != &row_) return false;
  text_.setEnabled(row_.isEnabled());
  button_.setEnabled(row_.isEnabled());
  return true;
}

MuSuperbox* muSuperboxWvw(MuContainer* parent, const char* id, const char* label,
                          MuSuperbox::Callback* callback, int popupHeight) {
  return new MuSuperboxWvw(parent, id, label, callback, popupHeight);
}

}  // namespace mui
