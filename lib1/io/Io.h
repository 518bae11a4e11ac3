// A two-way byte channel: an input stream, an output stream and one event
// handler that the descriptor loop calls when the channel can be read or
// written, or has been shut down. Users read and write through the streams
// directly. A channel ends with shutdown(), after which it deletes itself.
#pragma once

#include <memory>
#include <set>

#include "lib1/plat/String.h"
#include "lib1/rdr/FdInStream.h"
#include "lib1/rdr/FdOutStream.h"

namespace io {

class Io;
class FdIo;

class IoHandler {
 public:
  virtual void ioReadable(Io* io) = 0;
  virtual void ioWritable(Io* io);
  virtual void ioShutdown(Io* io);
  virtual ~IoHandler();
};

class Io {
 public:
  Io() = default;
  virtual ~Io();
  Io(const Io&) = delete;
  Io& operator=(const Io&) = delete;

  // Attaches, replaces or (null) detaches the handler; readable says whether
  // it wants ioReadable.
  virtual void setHandler(IoHandler* handler, bool readable) = 0;
  // Ends the channel; the caller must not use it afterwards.
  virtual void shutdown(bool flush, bool tellHandler) = 0;
  // Calls ioReadable in the next dispatch even without new data.
  virtual void markReadable();
  virtual FdIo* asFdIo() { return nullptr; }
  virtual Io* asTcpIo() { return nullptr; }
  virtual Io* asDgram() { return nullptr; }
  // Texts owned by the channel.
  virtual const char* displayName() = 0;
  virtual const char* peerEndpoint() = 0;
  virtual const char* resolvedPeerEndpoint() { return peerEndpoint(); }
  virtual const char* peerAddress() = 0;
  virtual const char* myEndpoint() = 0;
  // The waiting limit of a blocking read or write.
  virtual void setTimeouts(int ms) = 0;

  // A set of fewer than 256 names: a count byte, then each as a short
  // string, sorted.
  static void writeFlags(rdr::OutStream* out, const std::set<plat::String>& flags);
  // Adds the names read to flags (which is not cleared first).
  static void readFlags(rdr::InStream* in, std::set<plat::String>* flags);

  std::unique_ptr<rdr::FdInStream> in;
  std::unique_ptr<rdr::FdOutStream> out;
};

}  // namespace io
