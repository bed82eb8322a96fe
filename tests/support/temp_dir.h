// A fresh folder under the temporary folder, removed with everything in it.
#pragma once
#include <string>
#include <vector>

namespace testing_support {

class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  // The folder with one trailing "\".
  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + name; }

 private:
  std::wstring path_;
};

// Whole-file helpers for tests.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);
void RemoveTree(const std::wstring& path);
// The file names of a folder (no sub-folders), sorted; none when it is missing.
std::vector<std::wstring> FilesIn(const std::wstring& folder);
// The sub-folder names of a folder, sorted.
std::vector<std::wstring> FoldersIn(const std::wstring& folder);
// The complete lines of a log another process is still writing (shared
// read), without their line ends; none when the file does not exist.
std::vector<std::string> ReadLogLines(const std::wstring& path);

}  // namespace testing_support
