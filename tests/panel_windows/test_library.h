// A library in a temporary folder and the panel as the library maintenance
// sees it: category lists and the emoticon last pressed set by the test,
// reloads recorded.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "panel/library_host.h"
#include "support/temp_dir.h"

namespace panel_windows_test {

class TestLibrary : public panel::LibraryHost {
 public:
  TestLibrary();

  // The library folder and paths in it.
  std::wstring Root() const { return root_; }
  // Taken literally: "x." is that folder, not "x" (LiteralPath).
  std::wstring PathOf(const std::wstring& relative) const;
  void AddFolder(const std::wstring& relative) const;
  // A small picture file of its own content (the content tells copies apart).
  void AddFile(const std::wstring& relative, const std::string& content = "picture") const;
  std::string Content(const std::wstring& relative) const;
  bool HasFile(const std::wstring& relative) const;
  bool HasFolder(const std::wstring& relative) const;
  // A folder outside the library, for files to add or import.
  std::wstring Outside() const { return outside_; }

  // What the panel would show.
  std::vector<std::wstring> categories{L"默认表情"};
  std::wstring combo1 = L"默认表情", combo3 = L"默认表情";
  std::wstring currentFace;
  // The reloads, in order: "LoadType", "LoadFace:<name>", "LoadFace2:<name>".
  std::vector<std::wstring> reloads;

  HWND PanelWindow() const override { return nullptr; }
  std::wstring LibraryRoot() const override { return root_; }
  std::vector<std::wstring> Categories() const override { return categories; }
  std::wstring Combo1Text() const override { return combo1; }
  std::wstring Combo3Text() const override { return combo3; }
  std::wstring CurrentFacePath() const override { return currentFace; }
  void LoadType() override { reloads.push_back(L"LoadType"); }
  void LoadFace(const std::wstring& category) override { reloads.push_back(L"LoadFace:" + category); }
  void LoadFace2(const std::wstring& category) override { reloads.push_back(L"LoadFace2:" + category); }

 private:
  testing_support::TempDir dir_;
  std::wstring root_;
  std::wstring outside_;
};

// A file opened so that it can be read but neither written nor deleted while this lives.
class LockedFile {
 public:
  explicit LockedFile(const std::wstring& path);
  ~LockedFile();
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// Dispatches every message waiting for this thread (keys are translated).
void PumpPending();
// Types text into a control as keys would (WM_CHAR each).
void TypeInto(HWND control, const std::wstring& text);
// A left press and release on a control.
void ClickOn(HWND control);
// The Esc key pressed on a control.
void PressEscapeOn(HWND control);
std::wstring WindowText(HWND window);

}  // namespace panel_windows_test
