// A symbolic link to a folder made on the Linux side (ln -s), inside a folder
// the program under test sees. It is the only kind of link Wine 8 shows as
// one (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT):
// CreateSymbolicLinkW there reports success and makes nothing, and a junction
// (FSCTL_SET_REPARSE_POINT) is refused as not supported. The link is removed
// on the Linux side again when the object goes, before any folder it sits in.
#pragma once
#include <string>

#include "support/temp_dir.h"

namespace testing_support {

class HostLink {
 public:
  // link and target: Windows paths; target must exist.
  HostLink(const std::wstring& link, const std::wstring& target);
  HostLink(const HostLink&) = delete;
  HostLink& operator=(const HostLink&) = delete;
  ~HostLink();
  // True once the link is there and shows as a link.
  bool ok() const { return ok_; }

 private:
  std::wstring link_;
  TempDir marks_;  // a file here says the Linux command is done
  bool ok_ = false;
};

}  // namespace testing_support
