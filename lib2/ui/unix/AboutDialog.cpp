#include "lib2/ui/unix/AboutDialog.h"

#include <algorithm>
#include <cstring>

#include "AddLocStrings_ui.h"
#include "lib1/loc/LString.h"
#include "lib1/loc/Localize.h"
#include "lib1/os/AppInfo.h"
#include "lib1/os/OpenUrl.h"
#include "lib2/gfxutil/VersionInfo.h"

namespace ui {

namespace {

// Registers the layer's texts, the title and OK among them, before main runs.
AddLocStrings_ui addLocStrings;

constexpr int kWrapWidth = 500;
constexpr int kMargin = 10;
constexpr plat::Point kOkSize(60, 25);

// text with every caret doubled, so that mark-up shows it literally.
void appendLiteral(plat::DString* out, const char* text) {
  for (const char* caret; (caret = strchr(text, '^')); text = caret + 1) {
    out->append(text, int(caret - text));
    out->append("^^");
  }
  out->append(text);
}

}  // namespace

AboutDialog::AboutDialog(const char* title, TXWindow* owner, const char* imageName,
                         plat::Point imageSize)
    : tx::TXDialog(owner, "", true),
      image_(imageName, imageSize),
      text_(this, nullptr, plat::ALIGN_LEFT),
      ok_(loc::localize(loc::msgid_t("ui_button_ok")), true),
      hasImage_(imageName != nullptr) {
  if (title) {
    setWindowName(title);
  } else {
    loc::LString name;
    name.xprintf(loc::localize(loc::msgid_t("ui_aboutdialog_title_fmt"), __FILE__, __LINE__, true),
                 os::getLongAppName());
    setWindowName(name.get());
  }
  wvw::WCanvas* canvas = getCanvas();
  if (hasImage_) canvas->add(&image_, nullptr);

  const gfxutil::VersionInfo& info = gfxutil::versionInfo;
  plat::DString composed;
  if (os::isOpenUrlSupported()) {
    appendLiteral(&composed, info.buildString.get());
    composed.append("\n\n");
    composed.append(info.aboutText.get());
  } else {
    appendLiteral(&composed, info.versionText.get());
  }
  text_.setLabel(composed.get());
  text_.setAlignment(hasImage_ ? plat::ALIGN_LEFT : plat::ALIGN_CENTRE, plat::ALIGN_CENTRE);
  text_.setPadding(kMargin);
  text_.setSelectable(true);
  canvas->add(&text_, nullptr);
  canvas->add(&ok_, nullptr);
  layoutWidgets();
}

AboutDialog::~AboutDialog() {
  // Hidden first, so that the widgets leave a canvas the window has already
  // stopped, as a whole, rather than each being stopped and repainted on its
  // way out.
  if (isMapped()) show(false);
}

void AboutDialog::layoutWidgets() {
  wvw::WCanvas* canvas = getCanvas();
  text_.setSize(plat::Point(kWrapWidth, 0));
  plat::Point t = text_.getMinSize();
  text_.setSize(t);
  plat::Point content = t;
  if (hasImage_) {
    plat::Point i = image_.getSize();
    if (t.y > i.y) {
      canvas->setPos(&image_, plat::Point(kMargin, kMargin + (t.y - i.y) / 2));
      canvas->setPos(&text_, plat::Point(i.x + 12, kMargin));
    } else {
      canvas->setPos(&image_, plat::Point(kMargin, kMargin));
      canvas->setPos(&text_, plat::Point(i.x + 12, kMargin + (i.y - t.y) / 2));
    }
    content = plat::Point(t.x + i.x + 2, std::max(t.y, i.y));
  } else {
    canvas->setPos(&text_, plat::Point(kMargin, kMargin));
  }
  // Centred under the content, a gap of 10 below it.
  plat::Point okPos((content.x - kOkSize.x) / 2 + kMargin, content.y + 2 * kMargin);
  canvas->setPos(&ok_, plat::Rect(okPos.x, okPos.y, okPos.x + kOkSize.x, okPos.y + kOkSize.y));
  setSize(plat::Point(content.x + 2 * kMargin, okPos.y + kOkSize.y + kMargin));
}

bool AboutDialog::handleStart(wvw::Widget* w) {
  if (w == getCanvas()) layoutWidgets();
  return false;
}

bool AboutDialog::handleClick(wvw::Widget* w) {
  if (w != &ok_) return false;
  dismiss(true);
  return true;
}

void AboutDialog::linkClicked(int link) {
  const gfxutil::VersionInfo& info = gfxutil::versionInfo;
  const char* url = link == 2 ? info.ackUrl.get() : info.productUrl.get();
  if (url) os::openUrl(url);
}

}  // namespace ui
