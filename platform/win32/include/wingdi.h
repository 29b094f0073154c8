/* Graphics objects (subset of wingdi.h): what the icons' bitmaps answer. */
#pragma once

#include <windef.h>

#ifndef RC_INVOKED

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP, *PBITMAP, *LPBITMAP;

#define WINGDIAPI DECLSPEC_IMPORT

WIN32_BEGIN_DECLS

WINGDIAPI HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const VOID* lpBits);
WINGDIAPI int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv);
WINGDIAPI BOOL WINAPI DeleteObject(HGDIOBJ ho);

WIN32_END_DECLS

#define GetObject GetObjectA

#endif /* RC_INVOKED */
