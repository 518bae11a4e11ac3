// A descriptor registered with the descriptor manager. The owner sets fd and
// keeps it valid while the handler is registered; the manager reads it at
// every wait.
#pragma once

namespace io {

class FdHandler {
 public:
  virtual ~FdHandler();

  // Readable, or an exceptional condition on the descriptor.
  virtual void fdReadable() = 0;
  virtual void fdWritable();
  virtual void fdSetConnectStatus(int status);
  virtual void fdAddrChanged();
  // The manager is being destroyed: forget it. The handler may delete
  // itself here.
  virtual void fdMgrGone();

  int fd = -1;
};

}  // namespace io
