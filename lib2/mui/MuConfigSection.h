// mui::MuConfigSection: one page of a configuration dialog, or a titled
// group nested inside another page. It owns the page's controls, stacked in
// one vertical layout that carries the section's id, and the bindings that
// tie those controls to the parameters of the configuration the dialog
// edits. An application derives from it, builds its controls in its
// constructor and extends the virtual operations, calling this class's
// version for the bound controls.
//
// The section observes its own layout, so every change a person makes to a
// control inside reaches it, and is written into the configuration at once
// (at priority 50). A change inside a nested section reaches that section
// and then its parents; only the section holding the control's bindings
// writes anything.
//
// Where the page goes depends on where the section stands:
//  - nested, with a title: a titled frame in the parent's layout;
//  - nested, without one: the layout straight in the parent's layout;
//  - top level, in a dialog with a section list: a scroll container page;
//  - top level, in a dialog with tabs: the layout itself is the page.
//
// Invariants: the id is never null; the page element and the layout live
// inside the dialog's element tree from construction to destruction, the
// section observing the layout all that time. The section does not file
// itself with the dialog: its creator calls MuConfigDialog::addSection,
// and from then on the dialog owns and deletes it. Deleting a section takes
// its page out of the pager or the parent's layout and stops the
// observing; a page that went already (with a parent's page) is left be.
#pragma once

#include <optional>

#include "lib1/plat/String.h"
#include "lib2/mui/Forward.h"
#include "lib2/mui/MuCheck.h"
#include "lib2/mui/MuConfigSync.h"
#include "lib2/mui/MuLayout.h"
#include "lib2/mui/MuObserver.h"

namespace mui {

class MuConfigSection : public MuObserver {
 public:
  // parent null makes a top-level page, placed among the dialog's pages by
  // order (lower first); title may be null.
  MuConfigSection(MuConfigDialog* dialog, MuConfigSection* parent, const char* id,
                  const char* title, int order);
  ~MuConfigSection() override;
  MuConfigSection(const MuConfigSection&) = delete;
  MuConfigSection& operator=(const MuConfigSection&) = delete;

  // Writes the changed control's parameters and refreshes what depends on
  // them; nothing while the dialog has no configuration.
  void elementChanged(MuElement* element) override;

  // Some control of the page is locked: policy sets one of its parameters.
  virtual bool hasPolicySettings() const;
  // Loads the controls from the configuration: values, locks and enabled
  // states. A nested section shows its page only while it holds controls.
  virtual void updateUi();
  // Stores every control into the configuration.
  virtual void updateConfig();
  // False keeps the dialog from saving.
  virtual bool validate() { return true; }

  // A check box in layout bound to the boolean parameter id ("1" checked,
  // "0" not), filed in sync. With enablerParam it stands in a row id after
  // an empty "indent", as "check", enabled only while that boolean
  // parameter is true. tip and enablerParam may be null; bind false files
  // no binding (the enabler still).
  static MuCheck* addCheck(MuLayout* layout, MuConfigSync* sync, const char* id, const char* label,
                           const char* tip, const char* enablerParam, bool bind);
  // addCheck into this page for the parameter param, its description as
  // the tip. The dialog's configuration must be attached; a parameter it
  // lacks throws "Parameter %s not found" before anything is built.
  MuCheck* paramChk(const char* param, const char* label, const char* enablerParam);

  MuConfigDialog* getConfigDialog() const { return dialog_; }
  // Null for a top-level page.
  MuConfigSection* getParentSection() const { return parent_; }
  // The top-level section whose page holds this one; itself at top level.
  MuConfigSection* getTopLevel();
  const char* getId() const { return id_.get(); }
  const char* getTitle() const { return title_.get(); }
  int getOrder() const { return order_; }
  MuLayout* getLayout() const { return layout_; }
  // The element the section put into its container: a scroll container, a
  // titled frame, or the layout.
  MuElement* getPage() const { return page_; }
  MuConfigSync* getSync() { return &sync_; }

 private:
  MuConfigDialog* dialog_;
  MuConfigSection* parent_;
  plat::String title_;
  plat::String id_;
  MuConfigSync sync_;
  MuElement* page_ = nullptr;
  MuLayout* layout_ = nullptr;
  int order_;
  // Tell whether a parent's page took ours along before we went.
  std::optional<MuElement::Guard> pageAlive_;
  std::optional<MuElement::Guard> layoutAlive_;
};

}  // namespace mui
