#include "lib2/mui/MuFactories.h"

#include <type_traits>

#include "lib1/plat/Assert.h"

namespace mui {

MuDialogFactory muDialogFactory = nullptr;
MuFrameFactory muFrameFactory = nullptr;
MuLayoutFactory muLayoutFactory = nullptr;
MuButtonFactory muButtonFactory = nullptr;
MuStaticFactory muStaticFactory = nullptr;
MuImageFactory muImageFactory = nullptr;
MuEditFactory muEditFactory = nullptr;
MuCheckFactory muCheckFactory = nullptr;
MuChoiceFactory muChoiceFactory = nullptr;
MuListFactory muListFactory = nullptr;
MuPagerFactory muPagerFactory = nullptr;
MuScrollFactory muScrollFactory = nullptr;
MuSliderFactory muSliderFactory = nullptr;
MuSuperboxFactory muSuperboxFactory = nullptr;
MuAutoHiderFactory muAutoHiderFactory = nullptr;

void clearFactories() {
  muDialogFactory = nullptr;
  muFrameFactory = nullptr;
  muLayoutFactory = nullptr;
  muButtonFactory = nullptr;
  muStaticFactory = nullptr;
  muImageFactory = nullptr;
  muEditFactory = nullptr;
  muCheckFactory = nullptr;
  muChoiceFactory = nullptr;
  muListFactory = nullptr;
  muPagerFactory = nullptr;
  muScrollFactory = nullptr;
  muSliderFactory = nullptr;
  muSuperboxFactory = nullptr;
  muAutoHiderFactory = nullptr;
}

namespace {

// The assertion names the empty slot, as "muLayoutFactory".
template <class Factory>
Factory slot(Factory factory, const char* name) {
  if (!factory) plat::assertFatal_(plat::AssertionFail(name, __FILE__, __LINE__));
  return factory;
}

// Builds a child element through its factory and hands it to the parent.
template <class Element, class... Args>
Element* addChild(Element* (*factory)(MuContainer*, Args...), const char* name, MuContainer* parent,
                  std::type_identity_t<Args>... args) {
  auto make = slot(factory, name);
  PLAT_ASSERT(parent);
  Element* e = make(parent, args...);
  parent->childAdded(e);
  return e;
}

}  // namespace

MuDialog* muDialog(const char* id, const char* title, const plat::Point& size, int flags,
                   MuDialog* parentDialog, TXWindow* ownerWin) {
  return slot(muDialogFactory, "muDialogFactory")(id, title, size, flags, parentDialog, ownerWin);
}

MuFrame* muFrame(MuContainer* parent, const char* id, const char* label, MuFrame::Type type) {
  return addChild(muFrameFactory, "muFrameFactory", parent, id, label, type);
}

MuLayout* muLayout(MuContainer* parent, const char* id, MuLayout::Type type) {
  return addChild(muLayoutFactory, "muLayoutFactory", parent, id, type);
}

MuButton* muButton(MuContainer* parent, const char* id, const char* label, MuButton::Type type,
                   int flags, const plat::Point& size) {
  return addChild(muButtonFactory, "muButtonFactory", parent, id, label, type, flags, size);
}

MuStatic* muStatic(MuContainer* parent, const char* id, const char* text, MuStatic::Type type) {
  return addChild(muStaticFactory, "muStaticFactory", parent, id, text, type);
}

MuImage* muImage(MuContainer* parent, const char* id, const char* name, const plat::Point& size) {
  return addChild(muImageFactory, "muImageFactory", parent, id, name, size);
}

MuEdit* muEdit(MuContainer* parent, const char* id, const char* label, MuEdit::Type type) {
  return addChild(muEditFactory, "muEditFactory", parent, id, label, type);
}

MuCheck* muCheck(MuContainer* parent, const char* id, const char* label, MuCheck::Type type,
                 MuCheck* groupWith, const char* markImage) {
  return addChild(muCheckFactory, "muCheckFactory", parent, id, label, type, groupWith, markImage);
}

MuChoice* muChoice(MuContainer* parent, const char* id, const char* label, int flags) {
  return addChild(muChoiceFactory, "muChoiceFactory", parent, id, label, flags);
}

MuList* muList(MuContainer* parent, const char* id, int flags, MuList::Callback* callback) {
  return addChild(muListFactory, "muListFactory", parent, id, flags, callback);
}

MuPager* muPager(MuContainer* parent, const char* id, MuPager::Type type) {
  return addChild(muPagerFactory, "muPagerFactory", parent, id, type);
}

MuScroll* muScroll(MuContainer* parent, const char* id, int style) {
  return addChild(muScrollFactory, "muScrollFactory", parent, id, style);
}

MuSlider* muSlider(MuContainer* parent, const char* id, int flags) {
  return addChild(muSliderFactory, "muSliderFactory", parent, id, flags);
}

MuSuperbox* muSuperbox(MuContainer* parent, const char* id, const char* label,
                       MuSuperbox::Callback* callback, int popupHeight) {
  return addChild(muSuperboxFactory, "muSuperboxFactory", parent, id, label, callback, popupHeight);
}

MuAutoHider* muAutoHider(const char* id, const plat::Point& size, ui::AutoHider::Edge edge,
                         int visible, ui::AutoHider::Callback* callback) {
  return slot(muAutoHiderFactory, "muAutoHiderFactory")(id, size, edge, visible, callback);
}

}  // namespace mui
