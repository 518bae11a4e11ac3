// plat::BinaryParameter: a setting holding bytes, written as two hexadecimal
// digits per byte (read in either case, written in lower case).
#pragma once

#include "lib1/plat/TypedParameter.h"

namespace plat {

class BinaryParameter : public TypedParameter<MBuf<unsigned char>> {
 public:
  // The default bytes are copied. Note that the configuration comes before
  // the advanced flag here.
  BinaryParameter(const char* name, loc::msgid_t description, CBuf<unsigned char> defaultValue,
                  Configuration* config, bool advanced);
  BinaryParameter(const char* name, const char* description, CBuf<unsigned char> defaultValue,
                  Configuration* config, bool advanced);

  // An even number of hexadecimal digits; the empty text is no bytes.
  bool setParam(const char* text, int priority) override;
  // Stores a copy of data; a negative length counts as 0.
  bool setParam(CBuf<unsigned char> data, int priority);
  bool isBinary() const override { return true; }
  ConfigParameter* clone(Configuration* target) const override;

  // Copies the effective bytes into *out, reusing its array when it is long
  // enough. A secure buffer has every byte it lets go of zeroed.
  void getData(MBuf<unsigned char>* out) const;

  // Valid until the next change of the parameter.
  CBuf<unsigned char> getValue() const { return effective().second.view(); }
  int getLength() const { return effective().second.length; }

 protected:
  BinaryParameter(const BinaryParameter& other, Configuration* target)
      : TypedParameter<MBuf<unsigned char>>(other, target) {}

 private:
  void init(CBuf<unsigned char> defaultValue);
};

}  // namespace plat
