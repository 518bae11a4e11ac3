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
  return d;
}

mui::MuFrame* fakeFrame(mui::MuContainer* parent, const char* id, const char* label,
                        mui::MuFrame::Type type) {
  return withFake(new mui::MuFrame(parent, id, label, type));
}

mui::MuLayout* fakeLayout(mui::MuContainer* parent, const char* id, mui::MuLayout::Type type) {
  return withFake(new mui::MuLayout(parent, id, type));
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

}  // namespace

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
  mui::muPagerFactory = fakePager;
  mui::muScrollFactory = fakeScroll;
  mui::muSliderFactory = fakeSlider;
}

FakeMui::~FakeMui() {
  mui::muDialogFactory = nullptr;
  mui::muFrameFactory = nullptr;
  mui::muLayoutFactory = nullptr;
  mui::muPagerFactory = nullptr;
  mui::muScrollFactory = nullptr;
  mui::muSliderFactory = nullptr;
}

}  // namespace gwtest
