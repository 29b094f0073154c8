/* IMalloc, the task allocator's interface (subset of objidl.h).
 *
 * Not implemented: IBindCtx (declared only, for parameters that take NULL),
 * IStream, IStorage, IMoniker and the other object interfaces.
 */
#pragma once

#include <unknwn.h>

#ifndef RC_INVOKED
#ifdef __cplusplus

struct IBindCtx;
typedef IBindCtx* LPBC;
typedef IBindCtx* LPBINDCTX;

EXTERN_C DECLSPEC_IMPORT const IID IID_IMalloc;

struct IMalloc : public IUnknown {
    virtual void* STDMETHODCALLTYPE Alloc(SIZE_T cb) = 0;
    virtual void* STDMETHODCALLTYPE Realloc(void* pv, SIZE_T cb) = 0;
    virtual void STDMETHODCALLTYPE Free(void* pv) = 0;
    virtual SIZE_T STDMETHODCALLTYPE GetSize(void* pv) = 0;
    virtual int STDMETHODCALLTYPE DidAlloc(void* pv) = 0;
    virtual void STDMETHODCALLTYPE HeapMinimize(void) = 0;
};
typedef IMalloc* LPMALLOC;

#endif /* __cplusplus */
#endif /* RC_INVOKED */
