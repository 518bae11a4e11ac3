// The Copy / Paste / Select All popup that text widgets open with the third
// pointer button. It owns a root menu holding the items its mask asks for,
// hears their clicks, hands the chosen command to the widget's callback and
// hides again. The item texts come from this library's message table.
#pragma once

#include <memory>

#include "lib1/plat/Geometry.h"
#include "lib2/wvw/Forward.h"
#include "lib2/wvw/WInputHandler.h"

namespace wvw {

class WMenuItem;
class WRootMenu;

class WEditMenu : public WInputHandler {
 public:
  // The command codes, which are also the bits of the item mask.
  static constexpr int Copy = 1;
  static constexpr int Paste = 2;
  static constexpr int SelectAll = 4;

  class Callback {
   public:
    virtual void editCommand(int code) = 0;
    virtual ~Callback();
  };

  // items: an or of the codes; the items follow in the order of the codes.
  WEditMenu(Callback* cb, int items);
  // Takes a shown menu down before its items go; they leave it by themselves.
  ~WEditMenu() override;

  // At point p of w, on w's root, grabbing pointer and keyboard.
  void show(const plat::Point& p, Widget* w);
  void hide();
  // Runs the command of a chosen item, then hides; never consumes.
  bool handleClick(Widget* w) override;

  WRootMenu* menu() const { return menu_.get(); }

 private:
  Callback* callback_;
  std::unique_ptr<WRootMenu> menu_;
  // After the menu, which each leaves as it goes.
  std::unique_ptr<WMenuItem> copyItem_;
  std::unique_ptr<WMenuItem> pasteItem_;
  std::unique_ptr<WMenuItem> selectAllItem_;
};

}  // namespace wvw
