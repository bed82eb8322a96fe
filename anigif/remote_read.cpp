#include "anigif/remote_read.h"

#include <urlmon.h>

#include <memory>
#include <thread>

#include "anigif/core/gif_stream.h"
#include "foundation/http_bind_callback.h"

namespace anigif {
namespace {

// Takes the cached copy when the network fails and stops at an HTTP error.
class BindCallback : public foundation::HttpBindCallback {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the worker's stack

  HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return http_error() ? E_ABORT : S_OK; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO*) override {
    *flags |= BINDF_GETFROMCACHE_IF_NET_FAIL;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnResponse(DWORD status, LPCWSTR response, LPCWSTR request, LPWSTR* extra) override {
    HttpBindCallback::OnResponse(status, response, request, extra);
    return http_error() ? E_ABORT : S_OK;
  }

 private:
  ULONG refs_ = 1;
};

void ReadAddress(RemoteResult* result, const std::wstring& address) {
  const HRESULT init = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  {
    BindCallback callback;
    IStream* stream = nullptr;
    if (SUCCEEDED(::URLOpenBlockingStreamW(nullptr, address.c_str(), &stream, 0, &callback)) && stream &&
        !callback.http_error()) {
      result->ok = true;
      uint8_t buffer[16384];
      for (;;) {
        ULONG got = 0;
        const HRESULT hr = stream->Read(buffer, sizeof buffer, &got);
        result->bytes.insert(result->bytes.end(), buffer, buffer + got);
        if (result->bytes.size() > kMaxFileBytes) {
          result->ok = false;  // larger than any file the control accepts
          break;
        }
        if (FAILED(hr)) {
          result->ok = false;
          break;
        }
        if (hr == S_FALSE || got == 0) break;
      }
    }
    if (stream) stream->Release();
    if (callback.http_error()) result->ok = false;
  }
  if (SUCCEEDED(init)) ::CoUninitialize();
  if (!result->ok) result->bytes.clear();
}

}  // namespace

bool StartRemoteRead(HWND window, UINT notifyMsg, uint32_t token, const std::wstring& address) {
  try {
    std::thread([window, notifyMsg, token, address] {
      auto result = std::make_unique<RemoteResult>();
      result->token = token;
      try {
        ReadAddress(result.get(), address);
      } catch (...) {
        result->ok = false;
        result->bytes.clear();
      }
      // The window may be gone by now: then the result is simply dropped.
      if (::PostMessageW(window, notifyMsg, 0, reinterpret_cast<LPARAM>(result.get()))) result.release();
    }).detach();
  } catch (...) {
    return false;
  }
  return true;
}

std::unique_ptr<RemoteResult> TakeRemoteResult(LPARAM lParam) {
  return std::unique_ptr<RemoteResult>(reinterpret_cast<RemoteResult*>(lParam));
}

}  // namespace anigif
