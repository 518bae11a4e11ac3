// The base of every widget: a retained-mode object with a size, visibility
// and enabled flags, an optional own style and a place in a tree. It draws
// itself in its own coordinates ((0,0) its top-left), reports areas to repaint
// upwards as regions, and turns raw pointer and key input into events that it
// offers to its own input handler first, then to the handler it was started
// with (its container or the hosting window), so unconsumed events bubble up.
//
// Invariants: a widget is started exactly while parent_ is set. parentLayout_
// is independent of that: the container whose list holds the widget. A widget
// must leave its container (and be stopped) before it is destroyed; the
// destructor asserts it, since a dangling entry would be a use after free
// later on. A widget kept in a WChild leaves by itself.
//
// A handler may destroy the widget that offered it an event (the click that
// ends a dialog): code that goes on touching the widget after offering one
// watches it across the offer (Watch) and stops when it went.
#pragma once

#include "lib1/plat/String.h"
#include "lib2/fb/Colour.h"
#include "lib2/fb/Region.h"
#include "lib2/fb/WritablePixelBuffer.h"
#include "lib2/wvw/Forward.h"
#include "lib2/wvw/WInputHandler.h"

namespace wvw {

class WLayout;
class WParent;
struct WStyle;

class Widget : public WInputHandler {
 public:
  // The palette that styles are built from and widgets also use directly.
  static constexpr fb::Colour Black{0, 0, 0};
  static constexpr fb::Colour White{255, 255, 255};
  static constexpr fb::Colour Red{200, 0, 0};
  static constexpr fb::Colour Orange{200, 72, 0};
  static constexpr fb::Colour Blue{56, 56, 200};
  static constexpr fb::Colour Green{0, 200, 0};
  static constexpr fb::Colour TextFg = Black;
  static constexpr fb::Colour TextBg = White;
  static constexpr fb::Colour TextDisabled{112, 112, 112};
  static constexpr fb::Colour BevelBg{216, 216, 216};
  static constexpr fb::Colour BevelBgDark{184, 184, 184};
  static constexpr fb::Colour BevelHigh{238, 238, 238};
  static constexpr fb::Colour BevelLow{165, 165, 165};

  // Made on the stack around a call that may destroy the widget; alive()
  // tells afterwards whether it still stands. Several may watch one widget,
  // and none allocates.
  class Watch {
   public:
    explicit Watch(Widget* w) : w_(w), next_(w->watches_) { w->watches_ = this; }
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;
    bool alive() const { return w_ != nullptr; }

   private:
    friend class Widget;
    Widget* w_;
    Watch* next_;
  };

  // Adds itself to layout at (0,0) when layout is given.
  explicit Widget(WLayout* layout);
  ~Widget() override;
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  // Each offers the event to the own handler, then to the start-time handler.
  bool handlePtrMove(const plat::Point& pos, Widget* w) override;
  // A left press on this widget requests the focus before anyone hears it.
  bool handlePtrPress(unsigned char button, Widget* w) override;
  bool handlePtrRelease(unsigned char button, Widget* w) override;
  bool handlePtrLeave(Widget* w) override;
  // Unconsumed, a key down on this widget may be Ctrl+C, Ctrl+V or a focus key.
  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;
  bool handleFocus(bool reverse, Widget* w) override;
  bool handleClick(Widget* w) override;
  bool handleChanged(Widget* w) override;
  bool handleVisible(Widget* w) override;
  bool handleStart(Widget* w) override;
  bool handleStop(Widget* w) override;
  bool handleEnable(Widget* w) override;
  bool handleResize(Widget* w) override;
  bool handlePasteText(Widget* w) override;
  bool handleCopyText(Widget* w) override;

  virtual void styleChanged();
  // Called by the container or window, never by users of a widget.
  virtual void start(WParent* parent, WInputHandler* handler);
  virtual void stop();
  virtual void pointerEvent(const plat::Point& pos, int buttonMask);
  virtual void pointerLeave();
  virtual void keyEvent(unsigned int keysym, bool down);
  virtual void render(fb::WritablePixelBuffer* pb) = 0;
  virtual void invalidate();
  virtual void invalidate(const fb::Region& region);
  virtual void bell();
  virtual void setSize(const plat::Point& size);
  virtual plat::Point getMinSize() const = 0;
  virtual int getMinWidth(int height) const;
  virtual int getMinHeight(int width) const;
  virtual void setVisible(bool visible);
  virtual bool acceptsFocus() const;
  virtual void setEnabled(bool enabled);
  virtual void setInputHandler(WInputHandler* handler);
  virtual bool isKeyPressed(unsigned int keysym) const;

  // Position in the container; requires one.
  void setPos(const plat::Point& pos);
  plat::Point getPos() const;
  // The root, with this widget's top-left in root coordinates through origin.
  WRoot* getRoot(plat::Point* origin);
  // p in this widget's coordinates, seen from other's; both need one root.
  plat::Point mapPoint(const plat::Point& p, Widget* other);
  static plat::Rect expandRect(const plat::Rect& r, int n);

  bool hasFocus() const;
  void requestFocus();
  bool isShiftPressed() const;
  bool isCtrlPressed() const;
  bool isAltPressed() const;

  const WStyle* getStyle() const;
  // Not owned; null inherits again.
  void setStyle(const WStyle* style);
  static unsigned int toPixel(fb::Colour c, fb::PixelBuffer* pb);
  void drawBoundingRect(fb::WritablePixelBuffer* pb, const plat::Rect& r, bool rounded);
  void drawBevel(fb::WritablePixelBuffer* pb, const plat::Rect& r, bool raised, bool round);

  bool isStarted() const { return parent_ != nullptr; }
  bool isVisible() const { return visible_; }
  bool isEnabled() const { return enabled_; }
  plat::Point getSize() const { return size_; }
  WParent* getParent() const { return parent_; }
  WLayout* getParentLayout() const { return parentLayout_; }
  const char* getTipText() const { return tipText_.get(); }
  // A copy of text (null: no tooltip).
  void setTipText(const char* text);

 protected:
  WParent* parent_ = nullptr;
  WInputHandler* parentHandler_ = nullptr;
  WInputHandler* inputHandler_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  plat::Point size_;
  plat::Point pointerPos_;
  unsigned char buttonMask_ = 0;
  const WStyle* style_ = nullptr;

 private:
  friend class WLayout;  // keeps parentLayout_ in step with its list
  WLayout* parentLayout_ = nullptr;
  plat::String tipText_;
  Watch* watches_ = nullptr;
};

}  // namespace wvw
