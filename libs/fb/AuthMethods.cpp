#include "libs/fb/AuthMethods.h"

#include <strings.h>

#include <cstdio>
#include <memory>

#include "lib1/plat/Exception.h"
#include "lib1/rdr/InStream.h"
#include "lib1/rdr/OutStream.h"

namespace fb {

namespace {

struct MethodName {
  int num;
  const char* name;
};

// Number 4 comes first under the name it is given back as.
const MethodName kMethods[] = {
    {1, "UserPasswd"},          {4, "GssApi"}, {4, "SingleSignOn"},
    {2, "KeyboardInteractive"}, {3, "RsaKey"},
};

const unsigned kFieldMax = 0xffff;

char unknownName[48];

}  // namespace

int authMethodNum(const char* name) {
  for (const MethodName& m : kMethods)
    if (strcasecmp(name, m.name) == 0) return m.num;
  return 0;
}

const char* authMethodName(int n) {
  for (const MethodName& m : kMethods)
    if (m.num == n) return m.name;
  snprintf(unknownName, sizeof unknownName, "[unknown authMethod %d]", n);
  return unknownName;
}

AuthMethod::AuthMethod(rdr::InStream* in) {
  num = int(in->readU16());
  int length = int(in->readU16());
  auto bytes = std::make_unique<unsigned char[]>(length);
  in->readBytes(bytes.get(), length);
  data.replace(bytes.release(), length);
}

void AuthMethod::checkFits() const {
  if (num < 0 || unsigned(num) > kFieldMax)
    throw plat::Exception(1, "Authentication method number %d does not fit its record", num);
  if (data.length < 0 || unsigned(data.length) > kFieldMax)
    throw plat::Exception(1, "Data of authentication method %d is too long to send (%d bytes)", num,
                          data.length);
}

void AuthMethod::serializeOut(rdr::OutStream* out) const {
  checkFits();
  out->writeU16(unsigned(num));
  out->writeU16(unsigned(data.length));
  if (data.length) out->writeBytes(data.data, data.length);
}

AuthMethods::AuthMethods(rdr::InStream* in) {
  unsigned count = in->readU16();
  reserve(count);
  for (unsigned i = 0; i < count; i++) emplace_back(in);
}

void AuthMethods::serializeOut(rdr::OutStream* out) const {
  if (size() > kFieldMax)
    throw plat::Exception(1, "Too many authentication methods to send (%zu)", size());
  for (const AuthMethod& m : *this) m.checkFits();
  out->writeU16(unsigned(size()));
  for (const AuthMethod& m : *this) m.serializeOut(out);
}

const AuthMethod* AuthMethods::find(int n) const {
  for (const AuthMethod& m : *this)
    if (m.num == n) return &m;
  return nullptr;
}

}  // namespace fb
