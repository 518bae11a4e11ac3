// A stand-in back-end for the dialog model, with no widget set and no X:
// each element's back-end object only remembers what it was told (shown,
// usable, focus, tip, size, position) and answers minimum sizes from a
// script. Installing a FakeMui fills the factory slots with fake factories
// and empties them again when it goes.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/Mui.h"

namespace gwtest {

struct FakeCommon : mui::MuCommon {
  bool shown = true;
  bool usable = true;
  bool focused = false;
  plat::String tip;
  plat::Point size;
  plat::Point pos;
  // Minimum width at a height, minimum height at a width.
  std::function<int(int)> minWidth = [](int) { return 0; };
  std::function<int(int)> minHeight = [](int) { return 0; };
  mutable int minQueries = 0;
  // Called after each show(true).
  std::function<void()> onShown;

  void show(bool s) override {
    shown = s;
    if (s && onShown) onShown();
  }
  bool isShown() const override { return shown; }
  void enable(bool u) override { usable = u; }
  void focus() override { focused = true; }
  bool hasFocus() const override { return focused; }
  void setTip(const char* t) override { tip = t; }
  void setSize(const plat::Point& s) override { size = s; }
  plat::Point getSize() const override { return size; }
  int getMinWidth(int h) const override {
    minQueries++;
    return minWidth(h);
  }
  int getMinHeight(int w) const override {
    minQueries++;
    return minHeight(w);
  }
  void setPos(const plat::Point& p) override { pos = p; }
  plat::Point getPos() const override { return pos; }
};

// The fake back-end object of e, which must have one.
FakeCommon& fake(const mui::MuElement* e);

// A leaf element with fixed minimum sizes, added to parent (which owns it).
mui::MuElement* fakeLeaf(mui::MuContainer* parent, const char* id, int minWidth = 0,
                         int minHeight = 0, const char* label = nullptr);

class FakeDialog : public mui::MuDialog {
 public:
  using MuDialog::MuDialog;
  // A code-modal dialog's nested run: called when one is shown, as the
  // person who answers it before show() returns. With none set, show()
  // returns at once, as if the dialog had been closed unanswered.
  static std::function<void(FakeDialog&)> modalRun;

  void setTitle(const char* t) override { title = t; }
  plat::Point getPrimaryDesktopSize() const override { return plat::Point(1920, 1080); }
  void onSetFocus(mui::MuElement* e) override { focusedElement = e; }
  // As a window back-end does: the dialog's position is its window's.
  plat::Point getAbsolutePos() const override { return getPos(); }

  plat::String title;
  mui::MuElement* focusedElement = nullptr;
};

struct FakeStatic : mui::MuStatic {
  using MuStatic::MuStatic;
  void setTextColour(const fb::Colour&) override {}
};

// Shows nothing.
struct FakeImage : mui::MuImage {
  using MuImage::MuImage;
  bool set(const char*, const plat::Point&) override { return false; }
  void set(fb::PixelBuffer*, bool) override {}
  plat::Point getImSize() const override { return plat::Point(); }
};

struct FakeEdit : mui::MuEdit {
  using MuEdit::MuEdit;
  // Cut to capacity bytes, false when cut, as a real entry does.
  bool setText(const char* t) override {
    text = t ? t : "";
    if (text.size() <= capacity) return true;
    text.resize(capacity);
    return false;
  }
  const char* getText() const override { return text.c_str(); }
  void setSelection(int, int) override {}
  int getSelection(int* length) const override {
    if (length) *length = 0;
    return 0;
  }
  void setFilter(Filter* f) override { filter = f; }
  std::string text;
  Filter* filter = nullptr;
  size_t capacity = MinCapacity;
};

class FakeMui : public mui::Mui {
 public:
  FakeMui();
  ~FakeMui() override;
};

// A check box's state as a number: 0 unchecked, 1 checked, 2 indeterminate.
class FakeCheck : public mui::MuCheck {
 public:
  using MuCheck::MuCheck;
  void setChecked(bool checked) override { state = checked ? 1 : 0; }
  bool isChecked() const override { return state == 1; }
  void setIndeterminate() override { state = 2; }
  bool isIndeterminate() const override { return state == 2; }
  // A person's click, as a box takes it: it toggles, then tells.
  void click();

  int state = 0;
};

// Items by id and the current text; setText tells of a change as a person's
// pick does, setSelection does not.
class FakeChoice : public mui::MuChoice {
 public:
  using MuChoice::MuChoice;
  void setSelection(int id) override;
  int getSelection() const override;
  int size() const override { return int(items.size()); }
  void setText(const char* t) override;
  const char* getText() const override { return text.c_str(); }
  void addItem(int id, const char* t) override { items[id] = t; }
  void removeItem(int id) override { items.erase(id); }
  void removeAllItems() override { items.clear(); }

  std::map<int, std::string> items;
  std::string text;
};

// The stand-in back-end's list: it keeps the cells in the list and the
// selection as a table would, a row that does not exist or may not be
// selected clearing it.
class FakeList : public mui::MuList {
 public:
  using MuList::MuList;
  void setSelectedRow(int row) override;
  int getSelectedRow() const override { return selected; }
  void setData(int row, int columnId, const char* text) override { storeData(row, columnId, text); }
  int getMaxWidth() override { return 0; }

  int selected = -1;
};

// A slider that only stores what it is told.
class FakeSlider : public mui::MuSlider {
 public:
  using MuSlider::MuSlider;
  void setValue(int v) override { value = v; }
  int getValue() const override { return value; }
  void setRange(int lo, int hi) override { min = lo, max = hi; }
  int getMin() const override { return min; }
  int getMax() const override { return max; }

  int value = 0;
  int min = 0;
  int max = 0;
};

// A super-box whose entry is a string and whose entry row is where the test
// puts it; setText tells of nothing, as the real ones do.
class FakeSuperbox : public mui::MuSuperbox {
 public:
  using MuSuperbox::MuSuperbox;
  const char* getText() const override { return text.c_str(); }
  bool setText(const char* t) override {
    text = t ? t : "";
    return true;
  }
  plat::Rect getComboboxRect() override { return rowRect; }

  std::string text;
  plat::Rect rowRect;
};

// An auto-hiding window whose animator moves nothing but a recorded
// position, against a parent of a size the test sets; attaching records the
// parent window (which it never touches), lays out and shows the dialog and
// places it at its edge.
class FakeAutoHider : public mui::MuAutoHiderDlgBase {
 public:
  FakeAutoHider(const char* id, const plat::Point& size, ui::AutoHider::Edge edge, int visible,
                ui::AutoHider::Callback* callback);
  void attachToParent(TXWindow* parent) override;

  struct Animator : ui::AutoHider, ui::AutoHider::Widget {
    Animator(Edge edge, int visible, Callback* callback, mui::MuDialog* shown);
    void move(const plat::Point& p) override { pos = p; }
    plat::Point size() override { return dialog->getSize(); }
    plat::Point parentSize() override { return parent; }

    mui::MuDialog* dialog;
    plat::Point parent{400, 300};
    plat::Point pos{-999, -999};
  };
  Animator animator;
  TXWindow* parentWin = nullptr;
};

}  // namespace gwtest
