#include "tests/support/FakeMui.h"

#include <memory>

namespace gwtest {

namespace {

template <class E>
E* withFake(E* e) {
  e->setImpl(std::make_unique<FakeCommon>());
  return e;
}

mui::MuDialog* fakeDialog(const char* id, const char* title, const plat::Point& size, int flags,
                          mui::MuDialog* parentDialog, TXWindow* owner) {
  auto* d = withFake(new FakeDialog(id, title, size, flags, parentDialog, owner));
  d->setSize(size);
  if (flags & mui::MuDialog::CodeModal) {
    FakeCommon& common = fake(d);
    common.onShown = [d] {
      if (FakeDialog::modalRun) FakeDialog::modalRun(*d);
    };
  }
  return d;
}

mui::MuFrame* fakeFrame(mui::MuContainer* parent, const char* id, const char* label,
                        mui::MuFrame::Type type) {
  return withFake(new mui::MuFrame(parent, id, label, type));
}

mui::MuLayout* fakeLayout(mui::MuContainer* parent, const char* id, mui::MuLayout::Type type) {
  return withFake(new mui::MuLayout(parent, id, type));
}

mui::MuButton* fakeButton(mui::MuContainer* parent, const char* id, const char* label,
                          mui::MuButton::Type type, int flags, const plat::Point&) {
  return withFake(new mui::MuButton(parent, id, label, type, flags));
}

mui::MuStatic* fakeStatic(mui::MuContainer* parent, const char* id, const char* text,
                          mui::MuStatic::Type type) {
  auto* s = withFake(new FakeStatic(parent, id, type));
  s->setText(text, false, false);
  return s;
}

mui::MuImage* fakeImage(mui::MuContainer* parent, const char* id, const char*, const plat::Point&) {
  return withFake(new FakeImage(parent, id));
}

mui::MuEdit* fakeEdit(mui::MuContainer* parent, const char* id, const char* label,
                      mui::MuEdit::Type type) {
  return withFake(new FakeEdit(parent, id, label, type));
}

mui::MuCheck* fakeCheck(mui::MuContainer* parent, const char* id, const char* label,
                        mui::MuCheck::Type type, mui::MuCheck* groupWith, const char*) {
  return withFake(new FakeCheck(parent, id, label, type, groupWith));
}

mui::MuChoice* fakeChoice(mui::MuContainer* parent, const char* id, const char* label, int) {
  return withFake(new FakeChoice(parent, id, label));
}

mui::MuList* fakeList(mui::MuContainer* parent, const char* id, int flags,
                      mui::MuList::Callback* callback) {
  return withFake(new FakeList(parent, id, flags, callback));
}

mui::MuPager* fakePager(mui::MuContainer* parent, const char* id, mui::MuPager::Type type) {
  return withFake(new mui::MuPager(parent, id, type));
}

mui::MuScroll* fakeScroll(mui::MuContainer* parent, const char* id, int style) {
  return withFake(new mui::MuScroll(parent, id, style));
}

mui::MuSlider* fakeSlider(mui::MuContainer* parent, const char* id, int flags) {
  return withFake(new FakeSlider(parent, id, flags));
}

mui::MuSuperbox* fakeSuperbox(mui::MuContainer* parent, const char* id, const char* label,
                              mui::MuSuperbox::Callback* callback, int popupHeight) {
  return withFake(new FakeSuperbox(parent, id, label, callback, popupHeight));
}

mui::MuAutoHider* fakeAutoHider(const char* id, const plat::Point& size, ui::AutoHider::Edge edge,
                                int visible, ui::AutoHider::Callback* callback) {
  return new FakeAutoHider(id, size, edge, visible, callback);
}

}  // namespace

std::function<void(FakeDialog&)> FakeDialog::modalRun;

FakeCommon& fake(const mui::MuElement* e) { return *static_cast<FakeCommon*>(e->getImpl()); }

mui::MuElement* fakeLeaf(mui::MuContainer* parent, const char* id, int minWidth, int minHeight,
                         const char* label) {
  auto* e = withFake(new mui::MuElement(parent, id, label));
  fake(e).minWidth = [minWidth](int) { return minWidth; };
  fake(e).minHeight = [minHeight](int) { return minHeight; };
  parent->childAdded(e);
  return e;
}

FakeMui::FakeMui() {
  mui::Mui::set(this);
  mui::muDialogFactory = fakeDialog;
  mui::muFrameFactory = fakeFrame;
  mui::muLayoutFactory = fakeLayout;
  mui::muButtonFactory = fakeButton;
  mui::muStaticFactory = fakeStatic;
  mui::muImageFactory = fakeImage;
  mui::muEditFactory = fakeEdit;
  mui::muCheckFactory = fakeCheck;
  mui::muChoiceFactory = fakeChoice;
  mui::muListFactory = fakeList;
  mui::muPagerFactory = fakePager;
  mui::muScrollFactory = fakeScroll;
  mui::muSliderFactory = fakeSlider;
  mui::muSuperboxFactory = fakeSuperbox;
  mui::muAutoHiderFactory = fakeAutoHider;
}

FakeMui::~FakeMui() { mui::clearFactories(); }

void FakeCheck::click() {
  state = state == 1 ? 0 : 1;
  dispatchEvent(this, mui::MuEventChanged);
}

void FakeChoice::setSelection(int id) {
  auto at = items.find(id);
  text = at == items.end() ? "" : at->second;
}

int FakeChoice::getSelection() const {
  for (const auto& [id, t] : items)
    if (t == text) return id;
  return -1;
}

void FakeChoice::setText(const char* t) {
  std::string now = t ? t : "";
  if (now == text) return;
  text = now;
  dispatchEvent(this, mui::MuEventChanged);
}

void FakeList::setSelectedRow(int row) {
  bool ok = isValidRow(row) && (!getCallback() || getCallback()->isRowSelectable(this, row));
  selected = ok ? row : -1;
}

FakeAutoHider::Animator::Animator(Edge edge, int visible, Callback* callback, mui::MuDialog* shown)
    : AutoHider(edge, visible, callback), dialog(shown) {
  widget_ = this;
}

FakeAutoHider::FakeAutoHider(const char* id, const plat::Point& size, ui::AutoHider::Edge edge,
                             int visible, ui::AutoHider::Callback* callback)
    : MuAutoHiderDlgBase(id, size, callback), animator(edge, visible, notifyTarget(), get()) {
  setHider(&animator);
}

void FakeAutoHider::attachToParent(TXWindow* parent) {
  parentWin = parent;
  get()->update();
  get()->show(true);
  animator.reposition();
}

}  // namespace gwtest
