#include "panel/file_download.h"

#include <shlobj.h>
#include <wininet.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/ansi_text.h"
#include "foundation/file_ops.h"
#include "foundation/helper_process.h"
#include "panel/transfer_helper.h"

namespace panel {

namespace {

// What the helper tells the panel: a fixed header, then textChars UTF-16
// characters.
enum RecordKind : uint32_t {
  kProgressRecord = 1,  // a = progress, b = progress max, c = status code, text = status text
  kResultRecord = 2,    // a = the service's result, b = HTTP status, c = 1 when the file is whole
};
struct RecordHeader {
  uint32_t kind, a, b, c, textChars;
};
struct Record {
  RecordHeader header;
  std::wstring text;
};
constexpr uint32_t kMaxRecordText = 2048;

bool WriteRecord(RecordKind kind, uint32_t a, uint32_t b, uint32_t c, const std::wstring& text) {
  const std::wstring shown = text.substr(0, kMaxRecordText);
  const RecordHeader header{kind, a, b, c, static_cast<uint32_t>(shown.size())};
  return foundation::WriteToParent(&header, sizeof(header)) &&
         foundation::WriteToParent(shown.data(), shown.size() * sizeof(wchar_t));
}

// Moves the whole records at the front of bytes into records; false on
// bytes no helper of ours writes.
bool TakeRecords(std::string& bytes, std::vector<Record>& records) {
  size_t at = 0;
  while (bytes.size() - at >= sizeof(RecordHeader)) {
    RecordHeader header;
    memcpy(&header, bytes.data() + at, sizeof(header));
    if ((header.kind != kProgressRecord && header.kind != kResultRecord) || header.textChars > kMaxRecordText) {
      return false;
    }
    const size_t textBytes = header.textChars * sizeof(wchar_t);
    if (bytes.size() - at - sizeof(header) < textBytes) break;
    std::wstring text(header.textChars, L'\0');
    memcpy(text.data(), bytes.data() + at + sizeof(header), textBytes);
    records.push_back({header, std::move(text)});
    at += sizeof(header) + textBytes;
  }
  bytes.erase(0, at);
  return true;
}

// A file the service named as its copy in the Internet cache, deleted: a
// download ended midway leaves it there with no cache entry that owns it.
// The name came through a helper's record, so only a file inside the cache
// folder is taken for one.
void DeleteInternetCacheFile(const std::wstring& path) {
  wchar_t cache[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_INTERNET_CACHE, nullptr, SHGFP_TYPE_CURRENT, cache))) return;
  if (foundation::IsInsideFolder(path, cache)) ::DeleteFileW(path.c_str());
}

}  // namespace

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

bool CFileDownload::BeginDownload() {
  if (busy_) return false;
  busy_ = true;  // before anything calls back: nothing can start a second one
  abortRequested_ = false;
  stopResult_ = S_OK;
  lastResult_ = S_OK;
  lastHttpStatus_ = 0;
  ResetHttpStatus();
  lastProgress_ = lastProgressMax_ = 0;
  cacheFiles_.clear();
  AddRef();  // the object lives through the whole call, whoever releases it meanwhile
  return true;
}

bool CFileDownload::EndDownload(const std::wstring& url, const std::wstring& fileName, bool ok) {
  busy_ = false;
  // The service keeps what it fetched in the Internet cache whatever the
  // bind flags say (Wine does): a refused pack of 64 MiB would stay there.
  ::DeleteUrlCacheEntryW(url.c_str());
  for (const std::wstring& file : cacheFiles_) DeleteInternetCacheFile(file);
  cacheFiles_.clear();
  if (!ok) ::DeleteFileW(fileName.c_str());
  Release();
  return ok;
}

bool CFileDownload::StartDownloading(const std::wstring& url, const std::wstring& fileName) {
  if (!BeginDownload()) return false;
  return EndDownload(url, fileName, DownloadInHelper(url, fileName));
}

bool CFileDownload::DownloadInHelper(const std::wstring& url, const std::wstring& fileName) {
  foundation::HelperProcess helper;
  if (!helper.Start(TransferHelperProgram(), kTransferHelperSwitch, {kTransferDownload, url, fileName})) {
    lastResult_ = E_FAIL;
    return false;
  }
  std::string pending;
  std::vector<Record> records;
  bool finished = false, whole = false;
  ULONG bytesSoFar = 0;
  ULONGLONG lastBytesAt = ::GetTickCount64();
  while (!abortRequested_) {
    const ULONGLONG silent = ::GetTickCount64() - lastBytesAt;
    if (silent >= kDownloadStallMs) break;
    // Input goes on too: the window's close and its back button stop it.
    const auto wait = helper.WaitForOutput(pending, static_cast<DWORD>(kDownloadStallMs - silent),
                                           foundation::InputWhileWaiting::kProcessed, [this] { return abortRequested_; });
    if (wait == foundation::HelperProcess::Wait::kStopped) break;
    records.clear();
    if (!TakeRecords(pending, records)) break;
    for (const Record& record : records) {
      const RecordHeader& r = record.header;
      if (r.kind == kResultRecord) {
        finished = true;
        lastResult_ = static_cast<HRESULT>(r.a);
        lastHttpStatus_ = r.b;
        whole = r.c == 1;
        continue;
      }
      if (r.c == BINDSTATUS_CACHEFILENAMEAVAILABLE) NoteCacheFile(record.text);
      if (r.a > bytesSoFar) {
        bytesSoFar = r.a;
        lastBytesAt = ::GetTickCount64();
      }
      // A copy: the handler may clear or replace the event while it runs.
      if (auto handler = OnProgressEvent) handler(r.a, r.b, r.c, record.text);
    }
    if (wait == foundation::HelperProcess::Wait::kEnded) {
      return finished && whole && pending.empty() && !abortRequested_ && helper.exit_code() == kTransferSucceeded;
    }
  }
  // Given up: the helper goes, and its connection with it.
  helper.End();
  if (SUCCEEDED(lastResult_)) lastResult_ = E_ABORT;
  return false;
}

bool CFileDownload::DownloadInThisProcess(const std::wstring& url, const std::wstring& fileName) {
  if (!BeginDownload()) return false;
  const HRESULT hr = ::URLDownloadToFileW(nullptr, url.c_str(), fileName.c_str(), 0, this);
  ReleaseBinding();
  lastResult_ = FAILED(hr) ? hr : stopResult_;
  lastHttpStatus_ = http_status();
  bool ok = SUCCEEDED(lastResult_) && !abortRequested_ && http_status() >= 200 && http_status() <= 299;
  if (ok) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ok = ::GetFileAttributesExW(fileName.c_str(), GetFileExInfoStandard, &data) != FALSE;
    const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    // A connection dropped halfway still ends "successfully".
    ok = ok && size <= kMaxDownloadBytes && (lastProgressMax_ == 0 || size == lastProgressMax_);
  }
  return EndDownload(url, fileName, ok);
}

void CFileDownload::NoteCacheFile(const std::wstring& path) {
  if (!path.empty() && std::find(cacheFiles_.begin(), cacheFiles_.end(), path) == cacheFiles_.end()) {
    cacheFiles_.push_back(path);
  }
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
  const std::wstring text = StrFromPtr(statusText, true);
  if (statusCode == BINDSTATUS_CACHEFILENAMEAVAILABLE) NoteCacheFile(text);
  // Refused as soon as the announced size or the bytes so far are over the
  // bound: nothing of it is kept.
  if (progress > kMaxDownloadBytes || progressMax > kMaxDownloadBytes) {
    AbortDownloading();
    return E_ABORT;
  }
  // A copy: the handler may clear or replace the event while it runs.
  if (auto handler = OnProgressEvent) handler(progress, progressMax, statusCode, text);
  return abortRequested_ ? E_ABORT : S_OK;
}

HRESULT CFileDownload::OnStopBinding(HRESULT result, LPCWSTR) {
  stopResult_ = result;
  ReleaseBinding();
  return S_OK;
}

int RunDownloadHelper(const std::vector<std::wstring>& args) {
  if (args.size() != 2) return kTransferBadArguments;
  FileDownloadRef download(CFileDownload::Create());
  CFileDownload* self = download.get();
  download->OnProgressEvent = [self](ULONG progress, ULONG progressMax, ULONG statusCode, const std::wstring& text) {
    // The panel gone: nobody waits for the file.
    if (!WriteRecord(kProgressRecord, progress, progressMax, statusCode, text)) self->AbortDownloading();
  };
  const bool ok = download->DownloadInThisProcess(args[0], args[1]);
  WriteRecord(kResultRecord, static_cast<uint32_t>(download->last_result()), download->last_http_status(), ok ? 1 : 0,
              L"");
  return ok ? kTransferSucceeded : kTransferFailed;
}

}  // namespace panel
