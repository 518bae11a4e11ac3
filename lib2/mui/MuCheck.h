// mui::MuCheck: a check box with a label, either a Normal box or a Radio
// button in a Group. A person's click sends MuEventChanged; what the program
// sets (setChecked, setIndeterminate) sends nothing. A box can also show a
// third, indeterminate state, which the next click turns into checked.
//
// A Group is an observer of its members: when one of them changes it checks
// that one and clears all the others, so the last one clicked is the one
// checked even when the click had cleared it. It registers with a member as
// the member is built, so it hears the click before any observer the
// application adds, and what it sets sends no further events. The members
// share the group: it goes with the last of them.
//
// Invariants: a Radio always has a group and is one of its members; a Normal
// box has none.
#pragma once

#include <memory>
#include <vector>

#include "lib2/mui/MuElement.h"

namespace mui {

class MuCheck : public MuElement {
 public:
  enum Type { Normal = 0, Radio = 1 };

  class Group : public MuObserver {
   public:
    // add true makes check a member (once) and the group one of its
    // observers; false undoes both.
    void registerCheck(MuCheck* check, bool add);
    // Checks element when it is a member and clears the others.
    void elementChanged(MuElement* element) override;

    // In the order they joined.
    const std::vector<MuCheck*>& members() const { return members_; }

   private:
    std::vector<MuCheck*> members_;
  };

  // A Radio joins the group of groupWith, or a new one when groupWith is
  // null or has none; a Normal box ignores groupWith.
  MuCheck(MuContainer* parent, const char* id, const char* label, Type type, MuCheck* groupWith);
  // Leaves the group first.
  ~MuCheck() override;

  virtual void setChecked(bool checked) = 0;
  // False while indeterminate.
  virtual bool isChecked() const = 0;
  virtual void setIndeterminate() = 0;
  virtual bool isIndeterminate() const = 0;
  // Only recorded: the box keeps the style's font.
  virtual void setFontSize(int size) { fontSize_ = size; }

  Type getCheckType() const { return type_; }
  // Null for a Normal box.
  Group* getGroup() const { return group_.get(); }
  int getFontSize() const { return fontSize_; }
  const char* getType() const override { return "check"; }
  plat::DString getState() override;

 private:
  Type type_;
  std::shared_ptr<Group> group_;
  int fontSize_ = 0;
};

}  // namespace mui
