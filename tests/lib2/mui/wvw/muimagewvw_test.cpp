#include "lib2/mui/wvw/MuImageWvw.h"

#include <gtest/gtest.h>

#include <memory>

#include "lib2/fb/Draw.h"
#include "tests/lib2/mui/wvw/ControlsHost.h"

namespace {

using mui::MuImage;

class MuImageWvwTest : public gwtest::ControlsHost {
 protected:
  // A 6x4 buffer of one colour.
  static std::unique_ptr<fb::ManagedPixelBuffer> buffer(fb::Colour c) {
    auto pb = std::make_unique<fb::ManagedPixelBuffer>(fb::PixelFormat::rgb888(), plat::Point(6, 4),
                                                       nullptr);
    fb::fillRect(pb.get(), plat::Rect(0, 0, 6, 4), wvw::Widget::toPixel(c, pb.get()));
    return pb;
  }
};

TEST_F(MuImageWvwTest, AMissingImageShowsNothingAndKeepsItsName) {
  MuImage* image = mui::muImage(&root, "i", "user", {});
  EXPECT_NE(image->getImSize(), plat::Point());
  EXPECT_FALSE(image->set("no-such-image", {}));
  EXPECT_EQ(image->getImSize(), plat::Point());
  EXPECT_STREQ(image->getName(), "no-such-image");
}

// Each row ends showing a buffer or a missing name; a buffer freed while
// shown would be read by the render.
TEST_F(MuImageWvwTest, ABufferIsFreedOnlyOnceNothingShowsIt) {
  std::unique_ptr<fb::ManagedPixelBuffer> callers = buffer(wvw::Widget::Green);
  const struct {
    const char* name;
    void (*steps)(MuImage* image, fb::PixelBuffer* callers);
    bool owned;
    int greenPixels;
  } rows[] = {
      {"owned, then handed back without ownership",
       [](MuImage* i, fb::PixelBuffer*) {
         auto* owned = buffer(wvw::Widget::Green).release();
         i->set(owned, true);
         i->set(owned, false);
       },
       true, 24},
      {"owned, then a missing name",
       [](MuImage* i, fb::PixelBuffer*) {
         i->set(buffer(wvw::Widget::Green).release(), true);
         i->set("no-such-image", {});
       },
       false, 0},
      {"owned, then the caller's",
       [](MuImage* i, fb::PixelBuffer* c) {
         i->set(buffer(wvw::Widget::Red).release(), true);
         i->set(c, false);
       },
       false, 24},
  };
  for (const auto& r : rows) {
    MuImage* image = mui::muImage(&root, "i", "user", {});
    show();
    r.steps(image, callers.get());
    root.update();
    EXPECT_EQ(countColour(wvw::Widget::Green), r.greenPixels) << r.name;
    EXPECT_EQ(image->getOwnedBuffer() != nullptr, r.owned) << r.name;
    host.unhost();
    root.removeChild(image);
  }
}

}  // namespace
