// The About box of X programs built on these libraries: an optional
// application image beside the version and product texts, and an OK button
// below them. Written straight on the widget set.
//
// The texts are composed once, when the dialog is built. Where a desktop URL
// opener can be used they carry two links, the web site (1) and the
// acknowledgements (2); elsewhere (for the superuser, or with no opener
// installed) the plain version text, which spells the addresses out, is shown
// instead. Carets of the version texts are shown as they are, never read as
// mark-up. OK and the window manager's close hide the dialog; it can be shown
// again any number of times.
#pragma once

#include "lib1/plat/MarkUp.h"
#include "lib2/tx/TXDialog.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WImage.h"
#include "lib2/wvw/WLabelButton.h"
#include "lib2/wvw/WLabelMarkedUp.h"

namespace ui {

class AboutDialog : public tx::TXDialog, private plat::MarkUp::LinkCallback {
 public:
  // title null: "<long application name> - About", localised. imageName
  // null: no image; imageSize (0, 0) keeps the image's own size.
  AboutDialog(const char* title, TXWindow* owner, const char* imageName, plat::Point imageSize);
  ~AboutDialog() override;

  // Places the widgets (the text wraps at 500 pixels) and sizes the dialog.
  void layoutWidgets();

 private:
  bool handleStart(wvw::Widget* w) override;
  bool handleClick(wvw::Widget* w) override;
  void linkClicked(int link) override;

  wvw::WChild<wvw::WImage> image_;
  wvw::WChild<wvw::WLabelMarkedUp> text_;
  wvw::WChild<wvw::WLabelButton> ok_;
  bool hasImage_;
};

}  // namespace ui
