// mui::MuFrameWvw: the frame on the widget set. A Titled frame is a panel
// with the label as its title; the other looks are a container that can
// fill its background and draw a line at its bottom (Header), a line at its
// top (Footer) or a sunken edge (Bordered), or nothing (Plain).
//
// The child sits inside the frame's border (2 pixels for Titled and
// Bordered, else none) and margin, and below the title. A child that is
// replaced or removed leaves the frame widget before it is destroyed.
#pragma once

#include <memory>

#include "lib2/mui/MuFrame.h"
#include "lib2/wvw/WBgLayout.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WInputHandler.h"
#include "lib2/wvw/WLayout.h"

namespace mui {

class MuFrameWvw : public MuFrame, private wvw::WInputHandler {
 public:
  MuFrameWvw(MuContainer* parent, const char* id, const char* label, Type type);
  ~MuFrameWvw() override;

  int getMinWidth(int height) const override;
  int getMinHeight(int width) const override;
  // Fills the background from now on; a Titled frame keeps its look.
  void setBgColour(const fb::Colour& colour) override;
  void childAdded(MuElement* element) override;
  void childRemoved(MuElement* element) override;
  void destroyChildren() override;
  void layoutChildren() override;

 private:
  bool handleResize(wvw::Widget* w) override;
  // Border and margin together, on each side.
  plat::Point inset() const;

  wvw::WChild<std::unique_ptr<wvw::WLayout>> frameWidget_;
  // The same widget as frameWidget_ unless the frame is Titled.
  wvw::WBgLayout* background_ = nullptr;
  plat::Point border_;
  int titleOffset_ = 0;
};

MuFrame* muFrameWvw(MuContainer* parent, const char* id, const char* label, MuFrame::Type type);

}  // namespace mui
