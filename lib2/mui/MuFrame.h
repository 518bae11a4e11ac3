// mui::MuFrame: a single-child container drawn with one of five looks. The
// label is the title of a Titled frame.
#pragma once

#include "lib2/mui/MuContainerSingle.h"

namespace mui {

class MuFrame : public MuContainerSingle {
 public:
  enum Type { Plain = 0, Titled = 1, Header = 2, Footer = 3, Bordered = 4 };

  MuFrame(MuContainer* parent, const char* id, const char* label, Type type);

  Type getFrameType() const { return type_; }
  const char* getType() const override { return "frame"; }
  plat::DString getState() override;

 private:
  Type type_;
};

}  // namespace mui
