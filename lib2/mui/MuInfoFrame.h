// mui::MuInfoFrame: a banner a dialog shows above or beside its content, a
// bordered frame with a pale background, a status icon on the left and a
// text on the right, optionally followed by a hyperlink. It is a plain
// object, not an element: it builds its elements in the container it is
// given, which owns them.
//
// Invariants: the frame is hidden until update gives it a text (or show
// says so); the link and the spacer before it exist together or not at
// all, right after the text. The frame leaves the container when the
// object goes; when the container (and with it the frame) went first, as
// when a dialog is torn down before the page object that built the banner,
// the object goes without touching either.
#pragma once

#include "lib2/fb/Colour.h"
#include "lib2/mui/MuButton.h"
#include "lib2/mui/MuFrame.h"
#include "lib2/mui/MuImage.h"
#include "lib2/mui/MuLayout.h"
#include "lib2/mui/MuStatic.h"

namespace mui {

class MuInfoFrame {
 public:
  // Any value outside 1 to 6 is shown as Notify.
  enum Style {
    Success = 1,
    Warning = 2,
    Error = 3,
    Locked = 4,
    Default = 5,
    Preference = 6,
    Notify = 7,
  };

  // The frame's id is id.
  MuInfoFrame(MuContainer* parent, const char* id);
  ~MuInfoFrame();
  MuInfoFrame(const MuInfoFrame&) = delete;
  MuInfoFrame& operator=(const MuInfoFrame&) = delete;

  // Shows the style's look with text and, unless linkText is null, a link
  // after it; a null text hides the frame. Lays the parent out again.
  void update(Style style, const char* text, const char* linkText);
  void show(bool shown);
  // True for the link update made last; a click on it reaches the dialog's
  // observers as a click like any button's.
  bool isLink(const MuElement* element) const { return element && element == link_; }

  static const char* getIconForStyle(Style style);
  static fb::Colour getBgColourForStyle(Style style);

  MuFrame* getFrame() const { return frame_; }

 private:
  MuContainer* parent_;
  MuFrame* frame_;
  // Whether frame_, and so parent_ that owns it, still stands.
  MuElement::Guard frameAlive_;
  MuLayout* split_;
  MuImage* icon_;
  MuLayout* textLayout_;
  MuStatic* text_;
  MuStatic* linkSpacer_ = nullptr;
  MuButton* link_ = nullptr;
};

}  // namespace mui
