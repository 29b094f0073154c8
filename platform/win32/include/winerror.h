/* Error codes and HRESULT helpers (subset of winerror.h). */
#pragma once

#define ERROR_SUCCESS                 0L
#define NO_ERROR                      0L
#define ERROR_INVALID_FUNCTION        1L
#define ERROR_FILE_NOT_FOUND          2L
#define ERROR_PATH_NOT_FOUND          3L
#define ERROR_ACCESS_DENIED           5L
#define ERROR_INVALID_HANDLE          6L
#define ERROR_NOT_ENOUGH_MEMORY       8L
#define ERROR_INVALID_DATA            13L
#define ERROR_OUTOFMEMORY             14L
#define ERROR_NOT_READY               21L
#define ERROR_NOT_SUPPORTED           50L
#define ERROR_INVALID_PARAMETER       87L
#define ERROR_CALL_NOT_IMPLEMENTED    120L
#define ERROR_INSUFFICIENT_BUFFER     122L
#define ERROR_INVALID_NAME            123L
#define ERROR_MOD_NOT_FOUND           126L
#define ERROR_NO_MORE_ITEMS           259L
#define ERROR_INVALID_FLAGS           1004L
#define ERROR_NO_UNICODE_TRANSLATION  1113L
#define ERROR_CANCELLED               1223L
#define ERROR_INVALID_WINDOW_HANDLE   1400L
#define ERROR_INVALID_ICON_HANDLE     1414L
#define ERROR_INVALID_CURSOR_HANDLE   1402L
#define ERROR_CANNOT_FIND_WND_CLASS   1407L
#define ERROR_WINDOW_OF_OTHER_THREAD  1408L
#define ERROR_CLASS_ALREADY_EXISTS    1410L
#define ERROR_CLASS_DOES_NOT_EXIST    1411L
#define ERROR_CLASS_HAS_WINDOWS       1412L
#define ERROR_INVALID_INDEX           1413L
#define ERROR_CONTROL_ID_NOT_FOUND    1421L
#define ERROR_NOT_CHILD_WINDOW        1442L
#define ERROR_TLW_WITH_WSCHILD        1406L
#define ERROR_INVALID_DWP_HANDLE      1405L
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#define ERROR_RESOURCE_LANG_NOT_FOUND 1815L

#define SEVERITY_SUCCESS 0
#define SEVERITY_ERROR   1
#define FACILITY_NULL    0
#define FACILITY_WIN32   7

#ifdef RC_INVOKED
#define _HRESULT_TYPEDEF_(sc) sc
#else
#define _HRESULT_TYPEDEF_(sc) ((HRESULT)(sc))
#endif

#define S_OK           ((HRESULT)0L)
#define S_FALSE        ((HRESULT)1L)
#define E_NOTIMPL      _HRESULT_TYPEDEF_(0x80004001L)
#define E_NOINTERFACE  _HRESULT_TYPEDEF_(0x80004002L)
#define E_POINTER      _HRESULT_TYPEDEF_(0x80004003L)
#define E_ABORT        _HRESULT_TYPEDEF_(0x80004004L)
#define E_FAIL         _HRESULT_TYPEDEF_(0x80004005L)
#define E_UNEXPECTED   _HRESULT_TYPEDEF_(0x8000FFFFL)
#define E_ACCESSDENIED _HRESULT_TYPEDEF_(0x80070005L)
#define E_HANDLE       _HRESULT_TYPEDEF_(0x80070006L)
#define E_OUTOFMEMORY  _HRESULT_TYPEDEF_(0x8007000EL)
#define E_INVALIDARG   _HRESULT_TYPEDEF_(0x80070057L)

#define SUCCEEDED(hr)        (((HRESULT)(hr)) >= 0)
#define FAILED(hr)           (((HRESULT)(hr)) < 0)
#define IS_ERROR(Status)     (((unsigned long)(Status)) >> 31 == SEVERITY_ERROR)
#define HRESULT_CODE(hr)     ((hr)&0xFFFF)
#define HRESULT_FACILITY(hr) (((hr) >> 16) & 0x1fff)
#define HRESULT_SEVERITY(hr) (((hr) >> 31) & 0x1)
#define MAKE_HRESULT(sev, fac, code) \
    ((HRESULT)(((unsigned long)(sev) << 31) | ((unsigned long)(fac) << 16) | ((unsigned long)(code))))
#define HRESULT_FROM_WIN32(x) \
    ((HRESULT)(x) <= 0 ? ((HRESULT)(x)) : ((HRESULT)(((x)&0x0000FFFF) | (FACILITY_WIN32 << 16) | 0x80000000)))
