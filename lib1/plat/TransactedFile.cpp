#include "lib1/plat/TransactedFile.h"

#include <fcntl.h>

#include <cerrno>

#include "lib1/plat/DString.h"
#include "lib1/plat/Descriptor.h"
#include "lib1/plat/Dir.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/File.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/StrUtil.h"

namespace plat {

PLAT_LOG_WRITER(vlog, "TransactedFile");

const char* TransactedFile::suffix = ".tmp";

namespace {

// Created 0600 from the start, so that no other user can open it before it
// is made private; a stale one from an earlier run is replaced, not reused.
FILE* openPrivate(const char* tmp, bool binary) {
  fileRemoveNoThrow(tmp);
  int fd = fileOpenFdNoThrow(tmp, O_WRONLY | O_CREAT | O_EXCL, 0600);
  FILE* f = fd < 0 ? nullptr : fdopen(fd, binary ? "wb" : "w");
  if (!f) {
    int err = errno;
    if (fd >= 0) {
      fdClose(fd);
      fileRemoveNoThrow(tmp);
    }
    throw SystemExceptionFmt("fileOpen(%s)", err, tmp);
  }
  return f;
}

}  // namespace

TransactedFile::TransactedFile(const char* path, bool binary, bool priv) : path_(strDup(path)) {
  DString tmp;
  tmp.prf("%s%s", path, suffix);
  if (priv)
    replacePtr(openPrivate(tmp, binary), true);
  else
    open(tmp, Write, binary);
  tmpPath_.reset(strDup(tmp));
  try {
    fileCopyPerms(path, tmp);
  } catch (Exception& e) {
    vlog().error("%s", e.str());
  }
  if (priv) {
    try {
      fileMakePrivate(tmp);
    } catch (...) {
      discard();
      throw;
    }
  }
}

TransactedFile::~TransactedFile() { discard(); }

void TransactedFile::discard() {
  replacePtr(nullptr, own);
  if (tmpPath_) fileRemoveNoThrow(tmpPath_.get());
  tmpPath_.reset();
}

void TransactedFile::commit() {
  if (!file) return;
  flush();
  replacePtr(nullptr, own);
  fileRename(tmpPath_.get(), path_.get());
  tmpPath_.reset();
}

}  // namespace plat
