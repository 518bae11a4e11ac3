// mui::MuElement: the base of every piece of a dialog in the dialog model,
// toolkit-neutral. It holds identity (a short id and a label), its place in
// the tree, the disabled and locked flags and its observers; whatever
// concerns pixels it forwards to its back-end object (MuCommon), which a
// back-end attaches when it builds the element and which the element owns.
//
// Invariants:
//  - the parent owns the element from childAdded on; a dialog has no parent;
//  - flags hold only Disabled and Locked; the back-end object is told the
//    element is usable exactly when neither is set;
//  - observers are not owned: one that dies first unregisters itself.
//
// An observer may unregister observers, or destroy the element's whole
// dialog, from inside an event: dispatch walks a copy of the observer list,
// skips observers unregistered meanwhile, and stops as soon as the element
// is gone (see Guard).
#pragma once

#include <memory>
#include <vector>

#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Geometry.h"
#include "lib1/plat/String.h"
#include "lib2/mui/Forward.h"
#include "lib2/mui/MuCommon.h"
#include "lib2/mui/MuObserver.h"

namespace fb {
struct Colour;
}

namespace mui {

// When true the widget back-end paints the widgets it styles in random
// colours, to show how a dialog is laid out.
extern plat::BoolParameter debugLayout;

class MuElement {
 public:
  enum Flag { Disabled = 1, Locked = 2 };

  // Tells whether an element still exists, for code that calls out to
  // observers or owners that may destroy it.
  class Guard {
   public:
    explicit Guard(const MuElement* e) : alive_(e->alive_) {}
    bool alive() const { return *alive_; }

   private:
    std::shared_ptr<const bool> alive_;
  };

  // id and label are copied; either may be null. The element is not added
  // to the parent here: the creating functions do that.
  MuElement(MuContainer* parent, const char* id, const char* label);
  MuElement(const MuElement&) = delete;
  MuElement& operator=(const MuElement&) = delete;
  virtual ~MuElement();

  virtual void show(bool shown);
  virtual bool isShown() const;
  // This element and every ancestor are shown.
  bool isShownAndParentShown() const;
  virtual bool isAnyLocked() const;
  void enable(bool enabled);
  void lock(bool locked);
  virtual void focus();
  virtual bool hasFocus() const;
  virtual void setTip(const char* tip);
  virtual void setSize(const plat::Point& size);
  virtual plat::Point getSize() const;
  virtual void setPos(const plat::Point& pos);
  virtual plat::Point getPos() const;
  // The position within the dialog's window; an element without a parent is
  // a broken invariant (the dialog back-ends answer for themselves).
  virtual plat::Point getAbsolutePos() const;
  virtual int getMinWidth(int height) const;
  virtual int getMinHeight(int width) const;
  virtual void setBgColour(const fb::Colour&) {}
  virtual void setLabelSplit(int, int) {}
  // The width of the label unwrapped.
  virtual int getLabelMinUnwrappedWidth() { return getMinWidth(1); }
  virtual const char* getType() const { return "element"; }
  // A diagnostic dump of the state; nothing depends on its text.
  virtual plat::DString getState();
  virtual plat::DString getItems() { return plat::DString(); }
  // Itself for a null path; containers look their descendants up.
  virtual MuElement* lookupElement(const char* path);
  virtual void update() {}
  virtual void updateState() {}

  // The ids from below the dialog down to this one, joined with "."; null
  // without a parent.
  plat::String getFullId() const;
  // add true appends the observer (twice registered, it hears twice); false
  // removes every entry of it.
  void registerObserver(MuObserver* observer, bool add);
  // Delivers code to the observers of this element, then of each ancestor,
  // with source as the element concerned.
  void dispatchEvent(MuElement* source, int code);

  const char* getId() const { return id_.get(); }
  const char* getLabel() const { return label_.get(); }
  MuContainer* getParent() const { return parent_; }
  int getFlags() const { return flags_; }
  MuCommon* getImpl() const { return impl_.get(); }
  // The back-end attaches its object once, when it builds the element.
  void setImpl(std::unique_ptr<MuCommon> impl);

 protected:
  void setLabel(const char* label) { label_ = label; }

 private:
  void setFlag(int flag, bool on);

  std::unique_ptr<MuCommon> impl_;
  std::vector<MuObserver*> observers_;
  plat::String label_;
  plat::String id_;
  MuContainer* parent_;
  int flags_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace mui
