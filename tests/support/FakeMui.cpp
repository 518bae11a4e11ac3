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

mui::MuCheck* fakeCheck(mui::MuContainer* parent, const char* id, const char* label,
                        mui::MuCheck::Type type, mui::MuCheck* groupWith, const char*) {
  return withFake(new FakeCheck(parent, id, label, type, groupWith));
}

mui::MuChoice* fakeChoice(mui::MuContainer* parent, const char* id, const char* label, int) {
  return withFake(new FakeChoice(parent, id, label));
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
  mui::muCheckFactory = fakeCheck;
  mui::muChoiceFactory = fakeChoice;
}

FakeMui::~FakeMui() {
  mui::muDialogFactory = nullptr;
  mui::muFrameFactory = nullptr;
  mui::muLayoutFactory = nullptr;
  mui::muCheckFactory = nullptr;
  mui::muChoiceFactory = nullptr;
}

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

}  // namespace gwtest
