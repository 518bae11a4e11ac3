// plat::TransactedFile: a file written under a temporary name (the target's
// name followed by `suffix`) and put in place by one rename on commit.
// Readers never see a half-written target; without a commit the target stays
// as it was and the temporary file is removed again.
#pragma once

#include <memory>

#include "lib1/plat/FilePtr.h"

namespace plat {

class TransactedFile : public FilePtr {
 public:
  // Opens the temporary file for writing, with the target's permissions
  // when it exists. A private one is created 0600 and owned by the
  // effective user. Nothing is left behind when this throws.
  TransactedFile(const char* path, bool binary, bool priv);
  ~TransactedFile();

  // Flushes, closes and renames onto the target; a second call does nothing.
  void commit();

  const char* path() const { return path_.get(); }
  const char* tmpPath() const { return tmpPath_.get(); }  // null once committed

  static const char* suffix;  // ".tmp" unless changed

 private:
  void discard();

  std::unique_ptr<char[]> path_;
  std::unique_ptr<char[]> tmpPath_;
};

}  // namespace plat
