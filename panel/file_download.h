// CFileDownload: one file downloaded with the platform's download-to-file
// service, reporting progress through OnProgressEvent. The call returns when
// the download has ended; meanwhile the caller's thread goes on handling its
// window messages (input included, as the service's progress reports let
// them run), and each progress report raises OnProgressEvent on it.
//
// The service runs in a transfer helper (see transfer_helper.h), where this
// same class is its callback (OnProgress and the rest, through
// DownloadInThisProcess): the service may not call back at all while a server
// holds back its answer's headers, and a download given up there must still
// end, connection and all. A download whose server sends none of the file's
// bytes for kDownloadStallMs, from the request on or since the last of them,
// is given up; so is one AbortDownloading stops.
//
// A download counts as done only when the service succeeded, the server
// answered with a 2xx status (the service itself saves an error page as the
// file and reports success), the file holds every byte the server
// announced, and no more than kMaxDownloadBytes came (a larger one is
// stopped as soon as it says so or gets there). Anything else fails, and a
// partial file is deleted. The copy the service keeps in the system's
// Internet cache is removed, its entry and its file, whether the download
// came whole, failed or was given up midway (once the helper is gone, which
// held the file open). The file is the one the service names in a progress
// report as soon as the answer's headers are in: one given up in the instant
// before that report keeps its file.
//
// It is a COM object: the service holds references while it runs, so it is
// made with Create and released, never deleted. Whoever handles
// OnProgressEvent clears it before going away.
#pragma once
#include <windows.h>
#include <urlmon.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/http_bind_callback.h"

namespace panel {

inline constexpr uint64_t kMaxDownloadBytes = uint64_t{64} << 20;
inline constexpr DWORD kDownloadStallMs = 30000;

class CFileDownload final : public foundation::HttpBindCallback {
 public:
  // A new object with one reference (the caller's).
  static CFileDownload* Create();

  // Downloads url into fileName; false at once while another download runs.
  bool StartDownloading(const std::wstring& url, const std::wstring& fileName);
  // Stops the running download (its StartDownloading then fails).
  void AbortDownloading();
  // The service's own download, on this thread, with this object as its
  // callback: what the transfer helper runs.
  bool DownloadInThisProcess(const std::wstring& url, const std::wstring& fileName);
  bool busy() const noexcept { return busy_; }

  // Progress, ProgressMax, StatusCode, StatusText of each report.
  std::function<void(ULONG, ULONG, ULONG, const std::wstring&)> OnProgressEvent;

  // What the last download ended with.
  HRESULT last_result() const noexcept { return lastResult_; }
  DWORD last_http_status() const noexcept { return lastHttpStatus_; }

  // The NUL-terminated text at pointer: UTF-16 when unicode, else ANSI; ""
  // for a null pointer.
  static std::wstring StrFromPtr(const void* pointer, bool unicode);

  // IUnknown
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IBindStatusCallback
  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD reserved, IBinding* binding) override;
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode,
                                       LPCWSTR statusText) override;
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR error) override;

 private:
  CFileDownload() = default;
  ~CFileDownload() override;
  void ReleaseBinding();
  // The start and the end every download shares: one at a time, and a failed
  // one leaves nothing (no file, no cache entry).
  bool BeginDownload();
  bool EndDownload(const std::wstring& url, const std::wstring& fileName, bool ok);
  bool DownloadInHelper(const std::wstring& url, const std::wstring& fileName);
  // A file the service reports as its copy in the Internet cache.
  void NoteCacheFile(const std::wstring& path);

  LONG refs_ = 1;
  bool busy_ = false;
  IBinding* binding_ = nullptr;
  bool abortRequested_ = false;
  HRESULT stopResult_ = S_OK;
  HRESULT lastResult_ = S_OK;
  DWORD lastHttpStatus_ = 0;
  ULONG lastProgress_ = 0, lastProgressMax_ = 0;
  std::vector<std::wstring> cacheFiles_;
};

// Releases a COM reference when the owner goes.
struct ComRelease {
  void operator()(CFileDownload* object) const noexcept {
    if (object) object->Release();
  }
};
using FileDownloadRef = std::unique_ptr<CFileDownload, ComRelease>;

}  // namespace panel
