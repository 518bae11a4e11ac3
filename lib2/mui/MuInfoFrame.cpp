#include "lib2/mui/MuInfoFrame.h"

#include "lib1/plat/Assert.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/Mui.h"

namespace mui {

namespace {

// Logical units in pixels at the present density, as the dialog model
// converts its own sizes.
int pixels(int units) { return (units * gfxutil::ppmm.getValue() + 4) / 8; }

MuContainer* present(MuContainer* parent) {
  PLAT_ASSERT(parent);
  return parent;
}

}  // namespace

MuInfoFrame::MuInfoFrame(MuContainer* parent, const char* id)
    : parent_(present(parent)),
      frame_(muFrame(parent, id, nullptr, MuFrame::Bordered)),
      frameAlive_(frame_) {
  frame_->setBgColour(getBgColourForStyle(Success));
  frame_->setMargin(plat::Point(pixels(20), pixels(20)));
  split_ = muLayout(frame_, "split", MuLayout::Horizontal);
  split_->setSpacing(pixels(20));
  MuLayout* iconLayout = muLayout(split_, "iconlayout", MuLayout::Vertical);
  iconLayout->setSpacing(0);
  icon_ = muImage(iconLayout, "icon", getIconForStyle(Success), plat::Point());
  iconLayout->resizeChild(icon_, MuLayout::Natural | MuLayout::AlignStart, 0);
  textLayout_ = muLayout(split_, "textLayout", MuLayout::Vertical);
  textLayout_->setSpacing(0);
  split_->resizeChild(textLayout_, MuLayout::Weighted | MuLayout::AlignStart, 1);
  text_ = muStatic(textLayout_, "text", nullptr, MuStatic::Text);
  frame_->show(false);
}

MuInfoFrame::~MuInfoFrame() {
  if (frameAlive_.alive()) parent_->removeChild(frame_);
}

void MuInfoFrame::update(Style style, const char* text, const char* linkText) {
  frame_->setBgColour(getBgColourForStyle(style));
  text_->setText(text, false, false);
  icon_->set(getIconForStyle(style), plat::Point());
  if (link_) {
    textLayout_->removeChild(linkSpacer_);
    textLayout_->removeChild(link_);
    linkSpacer_ = nullptr;
    link_ = nullptr;
  }
  if (linkText) {
    linkSpacer_ = muStatic(textLayout_, "spacer", nullptr, MuStatic::Text);
    textLayout_->reorderChild(linkSpacer_, MuLayout::After, text_);
    textLayout_->resizeChild(linkSpacer_, MuLayout::Fixed, pixels(6));
    link_ = muButton(textLayout_, "link", linkText, MuButton::Hyperlink, 0, plat::Point());
    textLayout_->reorderChild(link_, MuLayout::After, linkSpacer_);
  }
  frame_->show(text != nullptr);
  parent_->update();
}

void MuInfoFrame::show(bool shown) {
  frame_->show(shown);
  parent_->update();
}

const char* MuInfoFrame::getIconForStyle(Style style) {
  switch (style) {
    case Success:
      return "infoframe_success";
    case Warning:
      return "infoframe_warning";
    case Error:
      return "infoframe_error";
    case Locked:
      return "infoframe_locked";
    case Default:
      return "infoframe_default";
    case Preference:
      return "infoframe_preference";
    default:
      return "infoframe_notify";
  }
}

// One look for every style: the banner tells its kind by the icon.
fb::Colour MuInfoFrame::getBgColourForStyle(Style) {
  const MuiRgb& c = sysColours.colour[0];
  return fb::Colour{c.r, c.g, c.b};
}

}  // namespace mui
