// The panel window as the library maintenance sees it.
#pragma once
#include "panel/library_host.h"

namespace panel {

class Frmmain;

class PanelLibraryHost final : public LibraryHost {
 public:
  explicit PanelLibraryHost(Frmmain& panel) : panel_(panel) {}

  HWND PanelWindow() const override;
  std::wstring LibraryRoot() const override;
  std::vector<std::wstring> Categories() const override;
  std::wstring Combo1Text() const override;
  std::wstring Combo3Text() const override;
  std::wstring CurrentFacePath() const override;
  void LoadType() override;
  void LoadFace(const std::wstring& category) override;
  void LoadFace2(const std::wstring& category) override;

 private:
  Frmmain& panel_;
};

}  // namespace panel
