// The part of a URL-service bind callback every caller of ours needs: both
// interfaces answered, the server's HTTP status kept (the service keeps it to
// itself and reports success for an error page), and the callbacks nobody
// uses answered neutrally. Kinds add their own reference counting, progress
// and bind options.
#pragma once
#include <windows.h>
#include <urlmon.h>

namespace foundation {

class HttpBindCallback : public IBindStatusCallback, public IHttpNegotiate {
 public:
  // The status of the server's last answer; 0 before any answer.
  DWORD http_status() const noexcept { return httpStatus_; }
  bool http_error() const noexcept { return httpStatus_ >= 400; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR url, LPCWSTR headers, DWORD reserved,
                                                 LPWSTR* additionalHeaders) override;
  HRESULT STDMETHODCALLTYPE OnResponse(DWORD status, LPCWSTR responseHeaders, LPCWSTR requestHeaders,
                                       LPWSTR* additionalHeaders) override;

 protected:
  HttpBindCallback() = default;
  virtual ~HttpBindCallback() = default;
  void ResetHttpStatus() noexcept { httpStatus_ = 0; }

 private:
  DWORD httpStatus_ = 0;
};

}  // namespace foundation
