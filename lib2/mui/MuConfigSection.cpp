#include "lib2/mui/MuConfigSection.h"

#include "AddLocStrings_mui.h"
#include "lib1/plat/Assert.h"
#include "lib2/mui/MuConfigDialog.h"
#include "lib2/mui/MuEnabler.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/MuSyncCheck.h"

static AddLocStrings_mui addLocStrings;

namespace mui {

namespace {

// The page scrolls up and down, keeps room for its bar, and has a border.
constexpr int kPageScrollStyle = MuScroll::ReserveBar | MuScroll::Border;

}  // namespace

MuConfigSection::MuConfigSection(MuConfigDialog* dialog, MuConfigSection* parent, const char* id,
                                 const char* title, int order)
    : dialog_(dialog), parent_(parent), title_(title), id_(id), order_(order) {
  PLAT_ASSERT(dialog);
  PLAT_ASSERT_MSG(id, "A configuration section needs an id");
  // The frame or the scroll container, when the layout needs one.
  MuContainer* holder = nullptr;
  MuContainer* container;
  if (parent) {
    container = parent->getLayout();
    if (title) container = holder = muFrame(container, id, title, MuFrame::Titled);
  } else if (dialog->getList()) {
    container = holder = muScroll(dialog->getPager(), id, kPageScrollStyle);
  } else {
    container = dialog->getPager();
  }
  layout_ = muLayout(container, id, MuLayout::Vertical);
  page_ = holder ? holder : static_cast<MuElement*>(layout_);
  pageAlive_.emplace(page_);
  layoutAlive_.emplace(layout_);
  layout_->registerObserver(this, true);
  if (!parent) dialog->getPager()->setPageTitle(page_, title);
}

MuConfigSection::~MuConfigSection() {
  // A nested page left in its parent's layout would keep naming this
  // section as an observer; one that went with its parent's is gone.
  if (layoutAlive_->alive()) layout_->registerObserver(this, false);
  if (pageAlive_->alive()) page_->getParent()->removeChild(page_);
}

MuConfigSection* MuConfigSection::getTopLevel() {
  MuConfigSection* s = this;
  while (s->parent_) s = s->parent_;
  return s;
}

void MuConfigSection::elementChanged(MuElement* element) {
  if (plat::Configuration* config = dialog_->getConfig()) sync_.updateConfig(*config, element);
}

bool MuConfigSection::hasPolicySettings() const { return layout_->isAnyLocked(); }

void MuConfigSection::updateUi() {
  if (parent_) page_->show(layout_->numChildren() != 0);
  if (plat::Configuration* config = dialog_->getConfig()) sync_.updateUi(*config);
}

void MuConfigSection::updateConfig() {
  if (plat::Configuration* config = dialog_->getConfig()) sync_.updateConfig(*config);
}

MuCheck* MuConfigSection::addCheck(MuLayout* layout, MuConfigSync* sync, const char* id,
                                   const char* label, const char* tip, const char* enablerParam,
                                   bool bind) {
  PLAT_ASSERT(layout && sync);
  MuLayout* row = nullptr;
  if (enablerParam) {
    row = muLayout(layout, id, MuLayout::Horizontal);
    muStatic(row, "indent", nullptr, MuStatic::Text);
  }
  MuCheck* check =
      muCheck(row ? row : layout, row ? "check" : id, label, MuCheck::Normal, nullptr, nullptr);
  if (row) row->resizeChild(check, MuLayout::Weighted, 1);
  if (tip) check->setTip(tip);
  if (enablerParam) sync->addEnabler(check, new MuEnablerBool(enablerParam, false));
  if (bind) sync->addSync(new MuSyncCheck(check, id, "1", "0"));
  return check;
}

MuCheck* MuConfigSection::paramChk(const char* param, const char* label, const char* enablerParam) {
  plat::Configuration* config = dialog_->getConfig();
  PLAT_ASSERT_MSG(config, "No configuration attached for parameter %s", param ? param : "(null)");
  const char* tip = config->getOrThrow(param)->getDescription();
  return addCheck(layout_, &sync_, param, label, tip, enablerParam, true);
}

}  // namespace mui
