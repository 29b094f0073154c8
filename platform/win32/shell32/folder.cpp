// The desktop folder: SHGetDesktopFolder and its IShellFolder, of which only
// ParseDisplayName is implemented.
//
// Windows' desktop folder is a process-wide object; SHGetDesktopFolder hands
// out a reference that the caller releases.  ParseDisplayName sets *ppidl to
// NULL on failure.
//
// Not implemented (E_NOTIMPL): EnumObjects, BindToObject, BindToStorage,
// CompareIDs, CreateViewObject, GetAttributesOf, GetUIObjectOf,
// GetDisplayNameOf, SetNameOf; of ParseDisplayName, the bind context and the
// characters eaten and attributes it tells (left as they are).
#include "faults.h"
#include "shell32.h"
#include "text.h"

#include <standin/shell.h>

#include <atomic>

namespace win32::shell {
using win32::CallFails;
namespace {

std::atomic<long> folderReferences{0};

ULONG AsCount(long references) { return references > 0 ? static_cast<ULONG>(references) : 0; }

// Sets an optional out-pointer to NULL, as Windows does before failing.
template <typename T>
HRESULT NotImplemented(T** out)
{
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

class DesktopFolder final : public IShellFolder {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IShellFolder) {
            *object = static_cast<IShellFolder*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AsCount(++folderReferences); }
    ULONG STDMETHODCALLTYPE Release() override { return AsCount(--folderReferences); }

    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR name, ULONG*, PIDLIST_RELATIVE* list,
                                               ULONG*) override
    {
        if (!list)
            return E_INVALIDARG;
        *list = nullptr;
        if (!name)
            return E_INVALIDARG;
        if (CallFails(standin::Win32Call::ParseDisplayName))
            return E_OUTOFMEMORY;
        std::size_t length = 0;
        while (name[length])
            ++length;
        bool invalid = false;
        const std::string text = EncodeUtf8(DecodeUtf16(name, length, &invalid));
        std::string canonical;
        if (invalid)
            return E_INVALIDARG;
        // The empty name is the desktop itself.
        if (text.empty()) {
            *list = MakeIdList(Item{});
            return *list ? S_OK : E_OUTOFMEMORY;
        }
        if (const HRESULT parsed = CanonicalPath(text, canonical); FAILED(parsed))
            return parsed;
        if (Probe(canonical) == Existence::Missing)
            return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        *list = MakeIdList(Item{Item::Kind::FileSystem, canonical});
        return *list ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF, IEnumIDList** list) override { return NotImplemented(list); }
    HRESULT STDMETHODCALLTYPE BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void** object) override
    {
        return NotImplemented(object);
    }
    HRESULT STDMETHODCALLTYPE BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void** object) override
    {
        return NotImplemented(object);
    }
    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void** object) override { return NotImplemented(object); }
    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void** object) override
    {
        return NotImplemented(object);
    }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD* list) override
    {
        return NotImplemented(list);
    }
};

DesktopFolder& Desktop()
{
    static DesktopFolder desktop;
    return desktop;
}

}  // namespace
}  // namespace win32::shell

extern "C" const IID IID_IShellFolder = {0x000214E6, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

HRESULT STDAPICALLTYPE SHGetDesktopFolder(IShellFolder** folder)
{
    if (!folder)
        return E_INVALIDARG;
    if (win32::CallFails(standin::Win32Call::ShGetDesktopFolder)) {
        *folder = nullptr;
        return E_OUTOFMEMORY;
    }
    *folder = &win32::shell::Desktop();
    (*folder)->AddRef();
    return S_OK;
}

long standin::ShellFolderReferences() { return win32::shell::folderReferences.load(); }
