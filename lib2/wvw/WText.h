// The single-line text entry field: UTF-8 text under a byte limit, a cursor
// and a selection, keyboard input through the dead-key composer, selection by
// pointer, copy and paste through the hosting window's cut text, a masked
// mode that shows every character as "*", and an optional filter that may
// veto each change.
//
// Invariants: cursor_ and cursor_ + selLength_ always lie on character
// boundaries inside the text, and the text is never longer than maxLen bytes.
// Nothing is ever cut silently: a keystroke or a paste that does not fit is
// refused with a bell (a paste with a log message too), and the text already
// there is never pushed out. A masked field never hands its text to the cut
// buffer and never writes it to the log.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "lib2/fb/DeadKeyUtil.h"
#include "lib2/wvw/WEditMenu.h"
#include "lib2/wvw/Widget.h"

namespace wvw {

class WText : public Widget, public WEditMenu::Callback {
 public:
  class Filter {
   public:
    // newText: the whole text after the change; ch: the typed character, or
    // -1 for a deletion or a paste. True accepts the change.
    virtual bool wtextFilter(WText* text, const char* newText, int ch) = 0;
    virtual ~Filter() = default;
  };

  // Placement of a text that fits, and in the text area's height.
  enum HAlign { Left = 0, Centre = 1, Right = 2 };
  enum VAlign { Bottom = 0, Middle = 1, Top = 2 };
  // Edit commands, the codes the edit menu sends.
  enum Command { Copy = 1, Paste = 2, SelectAll = 4 };

  WText(int maxLen, const char* text, bool editMenuEnabled);
  ~WText() override;

  bool handlePtrMove(const plat::Point& pos, Widget* w) override;
  bool handlePtrPress(unsigned char button, Widget* w) override;
  bool handlePtrRelease(unsigned char button, Widget* w) override;
  bool handlePtrLeave(Widget* w) override;
  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;
  bool handleFocus(bool reverse, Widget* w) override;
  bool handleEnable(Widget* w) override;
  bool handlePasteText(Widget* w) override;
  bool handleCopyText(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override;
  bool acceptsFocus() const override;
  void editCommand(int code) override;

  const char* getText() const { return text_.c_str(); }
  int getCursor() const { return cursor_; }
  int getSelLength() const { return selLength_; }
  int getMaxLen() const { return maxLen_; }
  bool isEditMenuEnabled() const { return editMenuEnabled_; }
  // Made on the first third-button release, when the menu is enabled.
  WEditMenu* getEditMenu() const { return editMenu_.get(); }

  // Cut to the limit at a character boundary without the filter; reports a
  // change.
  void setText(const char* text, bool cursorAtEnd);
  // A shorter limit cuts the text and pulls the cursor and selection in.
  void setMaxLen(int n);
  // end < 0: to the end of the text. The cursor ends at the selection's end.
  void select(int start, int end);
  // False when the filter refused; the field is then unchanged. What does
  // not fit is cut from s, with an error logged, never from the text there.
  bool replaceSel(const char* s, int ch);
  // extend keeps the selection's anchor. False when the cursor stays.
  bool setCursorPos(int pos, bool extend);
  bool leftOneChar(bool extend);
  bool rightOneChar(bool extend);
  bool leftOneWord(bool extend);
  bool rightOneWord(bool extend);
  bool deleteCharForward();
  bool deleteCharBackward();

  int textWidth(const char* from, const char* to = nullptr) const;
  void drawText(fb::WritablePixelBuffer* pb, const char* from, const plat::Point& at,
                unsigned pixel, const char* to = nullptr) const;
  const char* pixelPosToChar(int px, const char* from, const char* to = nullptr) const;
  int nearestPosToMouse() const;

  // Set by the owner; the filter is not owned.
  bool masked = false;
  bool focusable = true;
  // Whether the owner lets the user edit the text; a choice that is not
  // editable clears it and then leaves its text unselected after a pick.
  bool editable = true;
  Filter* filter = nullptr;
  int hAlign = Left;
  int vAlign = Middle;

 protected:
  void keyPress(unsigned int keysym);

 private:
  int selLow() const { return std::min(cursor_, cursor_ + selLength_); }
  int selHigh() const { return std::max(cursor_, cursor_ + selLength_); }
  // Cuts s to max bytes at a character boundary; true when it cut.
  static bool cutToMax(std::string* s, int max);
  // The bytes that may go in place of the selection.
  int room() const { return maxLen_ - ((int)text_.size() - (selHigh() - selLow())); }
  // The byte offset of the character before / after pos.
  int prevPos(int pos) const;
  int nextPos(int pos) const;
  bool isWordCharAt(int pos) const;

  std::string text_;
  fb::DeadKeyUtil deadKeys_;
  int maxLen_;
  int cursor_ = 0;
  int selLength_ = 0;
  int scroll_ = 0;
  bool dragging_ = false;
  bool editMenuEnabled_;
  std::unique_ptr<WEditMenu> editMenu_;
};

}  // namespace wvw
