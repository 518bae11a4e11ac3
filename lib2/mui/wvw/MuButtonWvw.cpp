#include "lib2/mui/wvw/MuButtonWvw.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib1/plat/DString.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/mui/wvw/MuiWvw.h"
#include "lib2/wvw/WImageBorder.h"
#include "lib2/wvw/WImageButton.h"

namespace mui {

// One state's picture, framed as a scalable border, with the label over it.
// The label is declared after the border that lists it, so it leaves first.
struct MuButtonWvw::StateLook {
  wvw::WChild<wvw::WImageBorder> border;
  wvw::WChild<wvw::WLabel> label{nullptr, plat::ALIGN_CENTRE};
};

namespace {

constexpr int kStateBits[wvw::WDynamicButton::NumStates] = {
    MuButton::StateNormal, MuButton::StateHover, MuButton::StatePressed};
constexpr const char* kStateNames[wvw::WDynamicButton::NumStates] = {"%s", "%s_hover",
                                                                     "%s_pressed"};

void relabel(wvw::WLabel* label, const char* text) {
  label->setLabel(text);
  label->processHotkeyText();
}

}  // namespace

MuButtonWvw::MuButtonWvw(MuContainer* parent, const char* id, const char* label, Type type,
                         int flags, const plat::Point& size)
    : MuButton(parent, id, label, type, flags), style_(*getMuiWvw()->getDefaultStyle()) {
  bool takesFocus = !(flags & NoFocus);
  if (type == Text) {
    auto b = std::make_unique<wvw::WLabelButton>(nullptr, takesFocus);
    textButton_ = b.get();
    widget_ = std::move(b);
  } else if (type == Hyperlink) {
    auto b = std::make_unique<WHyperlinkButton>(takesFocus, style_);
    hyperlink_ = b.get();
    widget_ = std::move(b);
  } else if (flags & (StateImages | StateImages2)) {
    auto b = std::make_unique<wvw::WDynamicButton>(takesFocus);
    stateButton_ = b.get();
    widget_ = std::move(b);
  } else {
    widget_ = std::make_unique<wvw::WImageButton>(true, takesFocus);
  }
  if (type == Image) {
    setImage(label, size);
    style_.font = getMuiWvw()->headingFont();
    if (flags & WhiteText) style_.textColour = wvw::Widget::White;
  } else {
    setText(label);
  }
  widget_->setInputHandler(this);
  widget_->setStyle(&style_);
  setImpl(std::make_unique<MuCommonWvw>(widget_.get()));
}

MuButtonWvw::~MuButtonWvw() = default;

wvw::WLabel* MuButtonWvw::findLabel() const {
  if (textButton_) return textButton_->getLabel();
  if (hyperlink_) return hyperlink_->label();
  for (const auto& look : looks_)
    if (look) return &look->label;
  return nullptr;
}

void MuButtonWvw::setText(const char* text) {
  MuButton::setText(text);
  if (getButtonType() == Image) {
    wvw::WDynamicButton* db = stateButton_;
    PLAT_ASSERT_MSG(db, "Not a dynamic button");
    for (const auto& look : looks_)
      if (look) relabel(&look->label, text);
    return;
  }
  relabel(findLabel(), text);
}

void MuButtonWvw::setImage(const char* name, const plat::Point& size) {
  Type type = getButtonType();
  PLAT_ASSERT_MSG(type == Image, "Not an image button");
  if (stateButton_) {
    for (int i = 0; i < wvw::WDynamicButton::NumStates; i++) {
      if (!(getButtonFlags() & kStateBits[i])) continue;
      auto look = std::make_unique<StateLook>();
      // A border fetches its picture at its own size, which is the button's
      // once the button has one.
      look->border.setSize(stateButton_->getSize());
      look->border.load(plat::DPrintf(kStateNames[i], name ? name : "").get(), size);
      look->label.setStyle(&style_);
      look->label.setTransparent(true);
      // A new picture keeps the text the old one showed.
      if (looks_[i]) look->label.setLabel(looks_[i]->label.getLabel());
      look->border.setChild(&look->label);
      stateButton_->setChildForState(&look->border, wvw::WDynamicButton::State(i));
      looks_[i] = std::move(look);
    }
  } else if (auto* plain = dynamic_cast<wvw::WImageButton*>(widget_.get())) {
    auto image = std::make_unique<wvw::WImage>(name, size);
    plain->addImage(image.get(), nullptr);
    image_ = std::move(image);
  }
}

void MuButtonWvw::setImageScaleBorders(int states, int top, int right, int bottom, int left) {
  Type type = getButtonType();
  PLAT_ASSERT_MSG(type == Image, "Not an image button");
  wvw::WDynamicButton* db = stateButton_;
  PLAT_ASSERT_MSG(db, "Not a dynamic button");
  for (int i = 0; i < wvw::WDynamicButton::NumStates; i++)
    if ((states & kStateBits[i]) && looks_[i])
      looks_[i]->border.setBorders(top, right, bottom, left);
}

void MuButtonWvw::setFontSize(int size) {
  MuButton::setFontSize(size);
  MuiWvw* m = getMuiWvw();
  style_.font = getButtonType() == Image ? m->getBoldFont(size) : m->getFont(size);
  // A link draws with a style of its own.
  if (hyperlink_) hyperlink_->linkStyle().font = style_.font;
  restyled();
}

void MuButtonWvw::restyled() {
  if (textButton_) textButton_->getLabel()->wrap();
  if (hyperlink_) hyperlink_->label()->wrap();
  for (const auto& look : looks_)
    if (look) look->label.wrap();
  widget_->invalidate();
}

int MuButtonWvw::getMinWidth(int height) const {
  switch (getButtonType()) {
    case Image:
      return MuButton::getMinWidth(height);
    case Hyperlink:
      return hyperlink_->label()->getMinWidth(height);
    case Text:
      break;
  }
  int margin = (20 * gfxutil::ppmm.getValue() + 4) / 8;
  int label = textButton_->getLabel()->getMinWidth(std::max(height - margin, 1));
  int width = std::max(label, MuButton::getMinWidth(height)) + margin;
  return std::max(width, sizes[MuiSizes::ButtonMinWidth]);
}

int MuButtonWvw::getMinHeight(int width) const {
  switch (getButtonType()) {
    case Image:
      return MuButton::getMinHeight(width);
    case Hyperlink:
      return hyperlink_->label()->getMinHeight(width);
    case Text:
      break;
  }
  int label = textButton_->getLabel()->getMinHeight(width);
  int height = std::max(label, MuButton::getMinHeight(width));
  return std::max(height, sizes[MuiSizes::ButtonMinHeight]);
}

bool MuButtonWvw::handleClick(wvw::Widget* w) {
  if (w == widget_.get()) dispatchEvent(this, MuEventClicked);
  return true;
}

MuButton* muButtonWvw(MuContainer* parent, const char* id, const char* label, MuButton::Type type,
                      int flags, const plat::Point& size) {
  return new MuButtonWvw(parent, id, label, type, flags, size);
}

}  // namespace mui
