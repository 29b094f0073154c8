/* IShellFolder, the interface of a shell folder (subset of shobjidl.h).
 *
 * Not implemented: IEnumIDList and IShellView (declared only), IShellItem,
 * IShellFolder2, the file dialogs.
 */
#pragma once

#include <objbase.h>
#include <shtypes.h>

#define SFGAO_CANCOPY         0x00000001L
#define SFGAO_CANMOVE         0x00000002L
#define SFGAO_CANLINK         0x00000004L
#define SFGAO_STORAGE         0x00000008L
#define SFGAO_CANRENAME       0x00000010L
#define SFGAO_CANDELETE       0x00000020L
#define SFGAO_HASPROPSHEET    0x00000040L
#define SFGAO_DROPTARGET      0x00000100L
#define SFGAO_CAPABILITYMASK  0x00000177L
#define SFGAO_LINK            0x00010000L
#define SFGAO_SHARE           0x00020000L
#define SFGAO_READONLY        0x00040000L
#define SFGAO_HIDDEN          0x00080000L
#define SFGAO_STREAM          0x00400000L
#define SFGAO_STORAGEANCESTOR 0x00800000L
#define SFGAO_VALIDATE        0x01000000L
#define SFGAO_REMOVABLE       0x02000000L
#define SFGAO_BROWSABLE       0x08000000L
#define SFGAO_FILESYSANCESTOR 0x10000000L
#define SFGAO_FOLDER          0x20000000L
#define SFGAO_FILESYSTEM      0x40000000L
#define SFGAO_HASSUBFOLDER    0x80000000L

#define SHCONTF_FOLDERS       0x0020
#define SHCONTF_NONFOLDERS    0x0040
#define SHCONTF_INCLUDEHIDDEN 0x0080

#define SHGDN_NORMAL        0x0000
#define SHGDN_INFOLDER      0x0001
#define SHGDN_FOREDITING    0x1000
#define SHGDN_FORADDRESSBAR 0x4000
#define SHGDN_FORPARSING    0x8000

#ifndef RC_INVOKED

typedef ULONG SFGAOF;
typedef DWORD SHCONTF;
typedef DWORD SHGDNF;

#ifdef __cplusplus

struct IEnumIDList;
typedef IEnumIDList* LPENUMIDLIST;

EXTERN_C DECLSPEC_IMPORT const IID IID_IShellFolder;

struct IShellFolder : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND hwnd, IBindCtx* pbc, LPWSTR pszDisplayName, ULONG* pchEaten,
                                                       PIDLIST_RELATIVE* ppidl, ULONG* pdwAttributes) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumObjects(HWND hwnd, SHCONTF grfFlags, IEnumIDList** ppenumIDList) = 0;
    virtual HRESULT STDMETHODCALLTYPE BindToObject(PCUIDLIST_RELATIVE pidl, IBindCtx* pbc, REFIID riid, void** ppv) = 0;
    virtual HRESULT STDMETHODCALLTYPE BindToStorage(PCUIDLIST_RELATIVE pidl, IBindCtx* pbc, REFIID riid,
                                                    void** ppv) = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM lParam, PCUIDLIST_RELATIVE pidl1, PCUIDLIST_RELATIVE pidl2) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateViewObject(HWND hwndOwner, REFIID riid, void** ppv) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT cidl, PCUITEMID_CHILD_ARRAY apidl, SFGAOF* rgfInOut) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND hwndOwner, UINT cidl, PCUITEMID_CHILD_ARRAY apidl, REFIID riid,
                                                    UINT* rgfReserved, void** ppv) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD pidl, SHGDNF uFlags, STRRET* pName) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetNameOf(HWND hwnd, PCUITEMID_CHILD pidl, LPCWSTR pszName, SHGDNF uFlags,
                                                PITEMID_CHILD* ppidlOut) = 0;
};
typedef IShellFolder* LPSHELLFOLDER;

#endif /* __cplusplus */
#endif /* RC_INVOKED */
