// The set-up of the controls' tests: the widget-set back-end installed, a
// column layout as the root of the elements, shown in an off-screen host,
// and an observer of the root that writes down every event as
// "<source id> <code>". The host is declared after the root, so it stops
// the tree before the tree goes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/mui/wvw/MuLayoutWvw.h"
#include "tests/support/PixelPicture.h"
#include "tests/support/WidgetHost.h"
#include "tests/support/WvwBackEnd.h"

namespace gwtest {

struct EventRecorder : mui::MuObserver {
  void elementEvent(mui::MuElement* source, int code) override {
    events.push_back(std::string(source->getId()) + " " + std::to_string(code));
  }
  std::vector<std::string> events;
};

class ControlsHost : public ::testing::Test {
 protected:
  explicit ControlsHost(plat::Point size = plat::Point(240, 300)) : host(size) {
    root.registerObserver(&recorder, true);
  }

  // Shows the tree, laid out to the window.
  void show() {
    host.host(mui::getWidget(&root));
    host.render();
    host.takeDirty();
  }
  // The middle of e in window coordinates; the root sits at (0,0).
  static plat::Point middle(const mui::MuElement* e) {
    return e->getPos() + plat::Point(e->getSize().x / 2, e->getSize().y / 2);
  }
  // A first-button press and release on e.
  void click(const mui::MuElement* e) {
    host.pointer(middle(e), 0);
    host.pointer(middle(e), 1);
    host.pointer(middle(e), 0);
  }
  // How many pixels of the window show c.
  int countColour(fb::Colour c) {
    fb::ManagedPixelBuffer& pb = host.render();
    unsigned pixel = wvw::Widget::toPixel(c, &pb);
    int n = 0;
    for (int y = 0; y < pb.getHeight(); y++)
      for (int x = 0; x < pb.getWidth(); x++) n += pb.getPixelAt(plat::Point(x, y)) == pixel;
    return n;
  }

  WvwBackEnd backEnd;
  EventRecorder recorder;
  mui::MuLayoutWvw root{nullptr, "root", mui::MuLayout::Vertical};
  WidgetHost host;
};

}  // namespace gwtest
