// Bitmaps, as far as GetIconInfo hands them out: each knows its size and
// depth (GetObjectA) until DeleteObject frees it.
//
// Not implemented: pixels (CreateBitmap takes none), device contexts, every
// other kind of GDI object.
#include <windows.h>

#include <cstdint>
#include <map>

namespace {

struct BitmapTable {
    std::map<HBITMAP, BITMAP> bitmaps;
    uintptr_t nextHandle = 0x40010;
};

BitmapTable& Bitmaps()
{
    static BitmapTable table;
    return table;
}

}  // namespace

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const VOID*)
{
    if (width < 0 || height < 0 || planes != 1 || bitsPerPixel == 0 || bitsPerPixel > 32) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    BitmapTable& table = Bitmaps();
    const HBITMAP handle = reinterpret_cast<HBITMAP>(table.nextHandle);
    table.nextHandle += 4;
    BITMAP bitmap{};
    bitmap.bmWidth = width;
    bitmap.bmHeight = height;
    bitmap.bmWidthBytes = ((width * static_cast<int>(bitsPerPixel) + 15) / 16) * 2;  // rows WORD aligned
    bitmap.bmPlanes = 1;
    bitmap.bmBitsPixel = static_cast<WORD>(bitsPerPixel);
    table.bitmaps.emplace(handle, bitmap);
    return handle;
}

// With no buffer the size of the record; else the record, if it fits.
int WINAPI GetObjectA(HANDLE object, int size, LPVOID buffer)
{
    const auto& bitmaps = Bitmaps().bitmaps;
    const auto found = bitmaps.find(static_cast<HBITMAP>(object));
    if (found == bitmaps.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!buffer)
        return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP)))
        return 0;
    *static_cast<BITMAP*>(buffer) = found->second;
    return sizeof(BITMAP);
}

BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    return Bitmaps().bitmaps.erase(static_cast<HBITMAP>(object)) ? TRUE : FALSE;
}
