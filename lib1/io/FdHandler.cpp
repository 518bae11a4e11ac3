#include "lib1/io/FdHandler.h"

namespace io {

FdHandler::~FdHandler() = default;
void FdHandler::fdWritable() {}
void FdHandler::fdSetConnectStatus(int) {}
void FdHandler::fdAddrChanged() {}
void FdHandler::fdMgrGone() {}

}  // namespace io
