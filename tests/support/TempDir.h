// A fresh directory under /tmp for one test, removed with everything in it
// (symbolic links removed, never followed) when the test ends.
#pragma once

#include <string>
#include <vector>

namespace gwtest {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path()/name
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Creates path()/name with the given content, bytes as given, and returns
  // its path.
  std::string write(const std::string& name, const std::string& content) const;
  // The names in path(), sorted: what a save left behind beside its file.
  std::vector<std::string> names() const;

 private:
  std::string path_;
};

// The whole content of a file ("(missing)" when it cannot be read).
std::string readFile(const std::string& path);

}  // namespace gwtest
