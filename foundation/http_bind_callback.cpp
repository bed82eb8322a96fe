#include "foundation/http_bind_callback.h"

namespace foundation {

HRESULT HttpBindCallback::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IBindStatusCallback) {
    *object = static_cast<IBindStatusCallback*>(this);
  } else if (riid == IID_IHttpNegotiate) {
    *object = static_cast<IHttpNegotiate*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  static_cast<IBindStatusCallback*>(this)->AddRef();
  return S_OK;
}

HRESULT HttpBindCallback::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additionalHeaders) {
  if (additionalHeaders) *additionalHeaders = nullptr;
  return S_OK;
}

HRESULT HttpBindCallback::OnResponse(DWORD status, LPCWSTR, LPCWSTR, LPWSTR* additionalHeaders) {
  if (additionalHeaders) *additionalHeaders = nullptr;
  httpStatus_ = status;
  return S_OK;
}

}  // namespace foundation
