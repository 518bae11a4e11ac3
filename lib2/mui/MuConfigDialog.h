// mui::MuConfigDialog: the frame of an options dialog. A list of sections
// on the left (or, without one, tabs over the pages), a pager showing the
// current section's page, a policy banner under them and the buttons OK,
// Cancel and Apply. It edits one configuration through its sections
// (MuConfigSection): every change of a control is written into the
// configuration at once, and the dialog compares the configuration with a
// copy taken when it was last saved to decide whether Apply is enabled.
//
// An application derives from it and supplies loadConfig (attach the
// configuration to edit, with setConfig), saveConfig (store it) and finish
// (the dialog has been closed). Cancel restores nothing by itself: the
// edits stay in the configuration under edit, and a finish that wants them
// gone detaches it, so that the next show loads a fresh one.
//
// Invariants:
//  - the dialog owns its dialog element and every section filed with it;
//    pages are the top-level sections in order (equal orders in the order
//    filed), and the list, when there is one, has one row per page, in the
//    same order;
//  - the current section is null exactly when there are no pages (and
//    while the dialog goes); otherwise it is one of the pages, the first
//    one filed until another is shown, and it stays the same section while
//    others are filed or removed, unless it is removed itself;
//  - the changed flag is the enabled state of Apply; once set, it stays set
//    until the configuration is next taken as saved;
//  - a section is removed after every section nested in it.
//
// finish may delete the dialog from inside the click or the close that
// calls it: nothing here touches the dialog afterwards.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "lib1/plat/Configuration.h"
#include "lib1/plat/String.h"
#include "lib2/mui/Forward.h"
#include "lib2/mui/MuButtonBar.h"
#include "lib2/mui/MuDialog.h"
#include "lib2/mui/MuInfoFrame.h"
#include "lib2/mui/MuLayout.h"
#include "lib2/mui/MuList.h"
#include "lib2/mui/MuObserver.h"
#include "lib2/mui/MuPager.h"

class TXWindow;

namespace mui {

class MuConfigDialog : public MuObserver {
 public:
  // size and flags are the dialog element's; size.x is also the width of a
  // page. noList gives tabs instead of the section list.
  MuConfigDialog(const char* id, const char* title, plat::Point size, MuDialog* parent,
                 TXWindow* ownerWin, bool noList, int flags);
  // Removes every section before the dialog element goes.
  ~MuConfigDialog() override;
  MuConfigDialog(const MuConfigDialog&) = delete;
  MuConfigDialog& operator=(const MuConfigDialog&) = delete;

  // A list's double click may have changed something too.
  void elementEvent(MuElement* source, int code) override;
  // OK and Apply save when something changed and every section validates;
  // OK and Cancel then hide the dialog and finish.
  void elementClicked(MuElement* element) override;
  // The list or a tab picks a page; any other change is tracked.
  void elementChanged(MuElement* element) override;
  void dialogClosed(MuDialog* dialog) override;

  // Attaches a configuration when there is none (loadConfig), refreshes the
  // current page's sections (all of them while show runs) and shows the
  // policy banner when one of them holds a locked control.
  virtual void updateUi();
  // Every section stores its controls, in id order.
  virtual void updateConfig();
  // True when every section, in id order, validates; the first refusal
  // ends the walk.
  virtual bool validate();

  // Takes the section; one whose id is filed already takes that id over,
  // the other staying owned (and, at top level, a page) until the end.
  void addSection(MuConfigSection* section);
  // Null when none has the id.
  MuConfigSection* getSection(const char* id) const;
  // Shows the page of the section's top-level section; null is the first
  // page. Nothing while there are no pages.
  void selectSection(MuConfigSection* section);
  // Shows page n; an n out of range is ignored.
  void selectPageNum(int n);
  // Refreshes every section, shows the page of the section sectionId (the
  // first page for null or an id not filed), widens the dialog to the list
  // and shows it.
  void show(const char* sectionId);
  // Removes and deletes the section with that id and every section nested
  // in it, with their pages and list rows; nothing for an id not filed.
  // When the current page goes, the one before it (or the new first)
  // shows.
  void removeSection(const char* id);
  // Removes them all, in id order.
  void removeAllSections();
  // Sets the changed flag when the configuration differs from the saved
  // copy; nothing while the flag is set.
  void checkIfConfigChanged();
  // Takes the configuration as saved: a fresh copy, the flag cleared.
  void configUnchanged();

  // The configuration under edit, or null while none is attached.
  plat::Configuration* getConfig() const { return config_; }
  bool isChanged() const { return changed_; }
  MuDialog* getDialog() const { return dialog_.get(); }
  MuLayout* getMainLayout() const { return main_; }
  // Null for a dialog with tabs.
  MuList* getList() const { return list_; }
  MuPager* getPager() const { return pager_; }
  MuButtonBar& getButtonBar() { return *buttons_; }
  MuInfoFrame& getPolicyBanner() { return *banner_; }
  int getNumPages() const { return int(pages_.size()); }
  // The section of page n, or null.
  MuConfigSection* getPageSection(int n) const;
  // -1 while no page is current.
  int getCurrentPage() const { return indexOfSection(current_); }
  MuConfigSection* getCurrentSection() const { return current_; }

 protected:
  // Attaches a configuration to edit (null detaches) and takes it as
  // saved. It is not owned.
  void setConfig(plat::Configuration* config);

  // Called when the dialog needs a configuration and has none; attaches one
  // with setConfig, or leaves the dialog without.
  virtual void loadConfig() = 0;
  // Stores the edited configuration; called on OK or Apply when something
  // changed and every section validated.
  virtual void saveConfig() = 0;
  // Called after OK or Cancel has hidden the dialog, and when the window
  // manager closed it. May delete the dialog.
  virtual void finish() = 0;

 private:
  // The index of the page of section, or of the page whose element is page;
  // -1 when none.
  int indexOfSection(const MuConfigSection* section) const;
  int indexOfPageElement(const MuElement* page) const;
  // Removes the sections nested in section, then section itself: out of
  // the pages, the list and the map, and deleted.
  void discard(MuConfigSection* section);

  // The dialog element goes last, after the banner and the button bar,
  // whose frames live in it.
  std::unique_ptr<MuDialog> dialog_;
  MuLayout* main_;
  MuLayout* hsplit_;
  MuList* list_ = nullptr;
  MuPager* pager_;
  std::optional<MuInfoFrame> banner_;
  std::optional<MuButtonBar> buttons_;
  plat::Configuration* config_ = nullptr;
  std::unique_ptr<plat::Configuration> saved_;
  bool changed_ = false;
  std::vector<MuConfigSection*> pages_;
  MuConfigSection* current_ = nullptr;
  bool updateAll_ = false;
  // Every section filed, by id; a later one with the same id takes the
  // entry over.
  std::map<plat::String, MuConfigSection*> byId_;
  // Every section filed, also those whose id was taken over.
  std::vector<std::unique_ptr<MuConfigSection>> owned_;
  int pageWidth_;
};

}  // namespace mui
