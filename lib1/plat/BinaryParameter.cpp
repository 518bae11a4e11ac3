#include "lib1/plat/BinaryParameter.h"

#include <cstring>

#include "lib1/plat/Hex.h"
#include "lib1/plat/SecureMem.h"

namespace plat {

namespace {

MBuf<unsigned char> copyBytes(CBuf<unsigned char> data) {
  if (data.length <= 0 || !data.data) return MBuf<unsigned char>();
  MBuf<unsigned char> bytes(new unsigned char[data.length], data.length);
  memcpy(bytes.data, data.data, data.length);
  return bytes;
}

}  // namespace

BinaryParameter::BinaryParameter(const char* paramName, loc::msgid_t desc,
                                 CBuf<unsigned char> defaultValue, Configuration* config,
                                 bool isAdvanced)
    : TypedParameter<MBuf<unsigned char>>(paramName, nullptr, desc, isAdvanced, config) {
  init(defaultValue);
}

BinaryParameter::BinaryParameter(const char* paramName, const char* desc,
                                 CBuf<unsigned char> defaultValue, Configuration* config,
                                 bool isAdvanced)
    : TypedParameter<MBuf<unsigned char>>(paramName, desc, loc::msgid_t(), isAdvanced, config) {
  init(defaultValue);
}

void BinaryParameter::init(CBuf<unsigned char> defaultValue) {
  setValue(copyBytes(defaultValue), PRIORITY_DEFAULT);
}

bool BinaryParameter::setParam(const char* text, int priority) {
  if (!text) return false;
  MBuf<unsigned char> bytes;
  if (!hexStrToBin(text, &bytes)) return false;
  return setValue(bytes, priority);
}

bool BinaryParameter::setParam(CBuf<unsigned char> data, int priority) {
  return setValue(copyBytes(data), priority);
}

void BinaryParameter::getData(MBuf<unsigned char>* out) const {
  const MBuf<unsigned char>& v = effective().second;
  if (out->data && out->length >= v.length) {
    if (v.length > 0) memcpy(out->data, v.data, v.length);
    if (out->secure) secureZeroMemory(out->data + v.length, out->length - v.length);
    out->length = v.length;
    return;
  }
  MBuf<unsigned char> bytes = copyBytes(v.view());
  out->replace(bytes.takeBuf(), v.length);
}

ConfigParameter* BinaryParameter::clone(Configuration* target) const {
  return new BinaryParameter(*this, target);
}

}  // namespace plat
