/* IUnknown, the root of every COM interface, and the macros that declare and
 * implement interface methods (subset of unknwn.h / basetyps.h).
 *
 * Interfaces are C++ structs of pure virtual methods, laid out as Windows lays
 * them out; STDMETHODCALLTYPE is empty on this platform.
 *
 * Not implemented: the C bindings (lpVtbl structs, COBJMACROS), IClassFactory.
 */
#pragma once

#include <windef.h>
#include <winerror.h>
#include <guiddef.h>

#ifndef STDMETHOD
#define STDMETHOD(method)        virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODIMP             HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type)      type STDMETHODCALLTYPE
#define PURE                     = 0
#endif

#define STDAPICALLTYPE
#define STDAPI        EXTERN_C HRESULT STDAPICALLTYPE
#define STDAPI_(type) EXTERN_C type STDAPICALLTYPE

#ifndef RC_INVOKED
#ifdef __cplusplus

EXTERN_C DECLSPEC_IMPORT const IID IID_IUnknown;

struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef(void) = 0;
    virtual ULONG STDMETHODCALLTYPE Release(void) = 0;
};
typedef IUnknown* LPUNKNOWN;

#endif /* __cplusplus */
#endif /* RC_INVOKED */
