// A fresh directory under /tmp for the life of the object, removed with all
// it holds when the object goes, for tests that read and write files.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace gwtest {

class TempDir {
 public:
  TempDir() {
    char name[] = "/tmp/gwtest-XXXXXX";
    if (!mkdtemp(name)) ADD_FAILURE() << "no temporary directory";
    path_ = name;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Writes text, bytes as given, to the file of that name.
  void write(const std::string& name, const std::string& text) const {
    std::ofstream(file(name), std::ios::binary) << text;
  }

 private:
  std::string path_;
};

}  // namespace gwtest
