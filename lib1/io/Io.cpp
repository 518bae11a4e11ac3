#include "lib1/io/Io.h"

#include "lib1/plat/Assert.h"

namespace io {

void IoHandler::ioWritable(Io*) {}
void IoHandler::ioShutdown(Io*) {}
IoHandler::~IoHandler() = default;

Io::~Io() = default;

void Io::markReadable() { PLAT_ASSERT_MSG(0, "Io::markReadable() not implemented for this Io"); }

void Io::writeFlags(rdr::OutStream* out, const std::set<plat::String>& flags) {
  PLAT_ASSERT(flags.size() < 256);
  out->writeU8(unsigned(flags.size()));
  for (const plat::String& f : flags) out->writeShortString(f.get());
}

void Io::readFlags(rdr::InStream* in, std::set<plat::String>* flags) {
  int n = int(in->readU8());
  for (int i = 0; i < n; i++) flags->insert(plat::String::adopt(in->readShortString()));
}

}  // namespace io
