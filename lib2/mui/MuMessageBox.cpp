#include "lib2/mui/MuMessageBox.h"

#include "lib1/os/AppInfo.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Log.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/MuFactories.h"

namespace mui {

PLAT_LOG_WRITER(vlog, "MuMessageBox");

namespace {

// Logical units in pixels at the present density, as the dialog model
// converts its own sizes.
int pixels(int units) { return (units * gfxutil::ppmm.getValue() + 4) / 8; }

bool isEmpty(const char* s) { return !s || !*s; }

}  // namespace

MuMessageBox::MuMessageBox(MuDialog* parentDialog, const char* message, int flags,
                           const char* caption, const char* detail, bool codeModal,
                           TXWindow* ownerWindow) {
  int buttonSet = flags & ButtonsMask;
  if (buttonSet != OkButtons && buttonSet != OkCancelButtons && buttonSet != YesNoButtons) {
    // A box without buttons could not be answered: a code-modal one would
    // hold the program for good.
    vlog().error("no button set %d: showing OK", buttonSet);
    buttonSet = OkButtons;
  }

  const char* name = os::getLongAppName();
  plat::DString title;
  title.prf("%s", name ? name : "");
  if (caption) title.prf("%s%s", isEmpty(name) ? "" : " - ", caption);

  int dialogFlags = MuDialog::FixedSize | MuDialog::NoHide | MuDialog::FitHeight;
  if (codeModal) {
    dialogFlags |= MuDialog::CodeModal;
  } else if (parentDialog || ownerWindow) {
    dialogFlags |= MuDialog::Modal;
  }
  if (buttonSet == YesNoButtons) dialogFlags |= MuDialog::DisableClose;

  const bool withIcon = !(flags & NoIcon);
  plat::Point size(withIcon ? pixels(960) : pixels(960) - pixels(150), 0);
  dialog_.reset(muDialog("messagebox", title.get(), size, dialogFlags, parentDialog, ownerWindow));
  dialog_->registerObserver(this, true);

  MuLayout* main = muLayout(dialog_.get(), "main", MuLayout::Vertical);
  MuFrame* frame = muFrame(main, "frame", nullptr, MuFrame::Plain);
  frame->setMargin(plat::Point(pixels(16), pixels(16)));
  MuLayout* info;
  if (withIcon) {
    MuLayout* split = muLayout(frame, "split", MuLayout::Horizontal);
    split->setSpacing(pixels(32));
    MuImage* icon =
        muImage(split, "icon", getIconForFlags(flags), plat::Point(pixels(96), pixels(96)));
    split->resizeChild(icon, MuLayout::Natural | MuLayout::AlignCentre, 0);
    info = muLayout(split, "info", MuLayout::Vertical);
    split->resizeChild(info, MuLayout::Weighted | MuLayout::AlignCentre, 1);
  } else {
    info = muLayout(frame, "info", MuLayout::Vertical);
  }
  if (!isEmpty(message))
    muStatic(info, "msg", nullptr, MuStatic::Text)->setText(message, !isEmpty(detail), false);
  if (!isEmpty(detail)) muStatic(info, "detail", detail, MuStatic::Detail);

  const bool negative = flags & NegativeDefault;
  int buttons = MuButtonBar::Ok;
  MuButtonBar::ButtonId defaultId = MuButtonBar::Ok;
  if (buttonSet == OkCancelButtons) {
    buttons = MuButtonBar::Ok | MuButtonBar::Cancel;
    defaultId = negative ? MuButtonBar::Cancel : MuButtonBar::Ok;
  } else if (buttonSet == YesNoButtons) {
    buttons = MuButtonBar::Yes | MuButtonBar::No;
    defaultId = negative ? MuButtonBar::No : MuButtonBar::Yes;
  }
  buttonBar_ = std::make_unique<MuButtonBar>(main, buttons, false);
  MuButton* defaultButton = buttonBar_->lookupButton(defaultId);
  dialog_->setActionKeyButton(ActionKeyReturn, defaultButton);
  defaultButton->focus();
}

MuMessageBox::~MuMessageBox() {
  buttonBar_.reset();
  dialog_.reset();
}

bool MuMessageBox::show() {
  result_ = false;
  dialog_->show(true);
  return result_;
}

const char* MuMessageBox::getIconForFlags(int flags) {
  switch (flags & IconMask) {
    case ErrorIcon:
      return "statusError";
    case QuestionIcon:
      return "statusQuestion";
    case WarningIcon:
      return "statusWarning";
    default:
      return "statusInfo";
  }
}

void MuMessageBox::elementClicked(MuElement* element) {
  int id = buttonBar_->isButton(element);
  if (!id) return;
  result_ = id == MuButtonBar::Ok || id == MuButtonBar::Yes;
  dialog_->show(false);
}

void MuMessageBox::dialogClosed(MuDialog*) {
  if (buttonBar_->lookupButton(MuButtonBar::Cancel)) {
    result_ = false;
  } else if (buttonBar_->lookupButton(MuButtonBar::Ok)) {
    result_ = true;
  }
}

}  // namespace mui
