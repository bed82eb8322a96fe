#include "panel/file_download.h"

#include <wininet.h>

#include "foundation/ansi_text.h"
#include "foundation/message_pump.h"

namespace panel {

CFileDownload* CFileDownload::Create() { return new CFileDownload(); }

CFileDownload::~CFileDownload() {
  ReleaseBinding();
  busy_ = false;
}

void CFileDownload::ReleaseBinding() {
  if (binding_) binding_->Release();
  binding_ = nullptr;
}

std::wstring CFileDownload::StrFromPtr(const void* pointer, bool unicode) {
  if (!pointer) return {};
  if (unicode) return static_cast<const wchar_t*>(pointer);
  return foundation::FromAnsi(static_cast<const char*>(pointer));
}

bool CFileDownload::StartDownloading(const std::wstring& url, const std::wstring& fileName) {
  if (busy_) return false;
  busy_ = true;  // before the service calls back: nothing can start a second one
  abortRequested_ = false;
  stopResult_ = S_OK;
  ResetHttpStatus();
  lastProgress_ = lastProgressMax_ = 0;
  AddRef();  // the object lives through the whole call, whoever releases it meanwhile
  const HRESULT hr = ::URLDownloadToFileW(nullptr, url.c_str(), fileName.c_str(), 0, this);
  busy_ = false;
  ReleaseBinding();
  // The service keeps what it fetched in the Internet cache whatever the
  // bind flags say (Wine does): a refused pack of 64 MiB would stay there.
  ::DeleteUrlCacheEntryW(url.c_str());
  lastResult_ = FAILED(hr) ? hr : stopResult_;
  bool ok = SUCCEEDED(lastResult_) && !abortRequested_ && http_status() >= 200 && http_status() <= 299;
  if (ok) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ok = ::GetFileAttributesExW(fileName.c_str(), GetFileExInfoStandard, &data) != FALSE;
    const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    // A connection dropped halfway still ends "successfully".
    ok = ok && size <= kMaxDownloadBytes && (lastProgressMax_ == 0 || size == lastProgressMax_);
  }
  if (!ok) ::DeleteFileW(fileName.c_str());
  Release();
  return ok;
}

void CFileDownload::AbortDownloading() {
  abortRequested_ = true;
  if (binding_) binding_->Abort();
}

ULONG CFileDownload::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }

ULONG CFileDownload::Release() {
  const LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT CFileDownload::OnStartBinding(DWORD, IBinding* binding) {
  busy_ = true;
  ReleaseBinding();
  binding_ = binding;
  if (binding_) binding_->AddRef();
  // An abort asked for before the binding existed takes effect now.
  if (abortRequested_ && binding_) binding_->Abort();
  return S_OK;
}

HRESULT CFileDownload::OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode, LPCWSTR statusText) {
  lastProgress_ = progress;
  lastProgressMax_ = progressMax;
  // Refused as soon as the announced size or the bytes so far are over the
  // bound: nothing of it is kept.
  if (progress > kMaxDownloadBytes || progressMax > kMaxDownloadBytes) {
    AbortDownloading();
    return E_ABORT;
  }
  // A copy: the handler may clear or replace the event while it runs.
  if (auto handler = OnProgressEvent) handler(progress, progressMax, statusCode, StrFromPtr(statusText, true));
  foundation::PumpPendingMessages();
  return abortRequested_ ? E_ABORT : S_OK;
}

HRESULT CFileDownload::OnStopBinding(HRESULT result, LPCWSTR) {
  stopResult_ = result;
  ReleaseBinding();
  return S_OK;
}

}  // namespace panel
