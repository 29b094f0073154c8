// Icons: loading an icon group resource into an icon that owns its pixels.
//
// An RT_GROUP_ICON resource is a GRPICONDIR (reserved, type 1, count) followed by
// 14-byte GRPICONDIRENTRY records (width, height, colours, reserved, planes, bit
// count, bytes, RT_ICON id).  Each RT_ICON image is a BITMAPINFOHEADER with the
// doubled height, the colour table, the XOR bitmap and the AND mask, rows bottom-up
// and DWORD aligned.
//
// Not implemented: bitmaps and cursors (IMAGE_BITMAP, IMAGE_CURSOR), loading from
// files (LR_LOADFROMFILE), shared icons (LR_SHARED, LoadIcon), PNG-compressed
// images, BI_BITFIELDS, system icons, drawing.  LR_VGACOLOR and the colour flags
// are accepted and change nothing: the image is kept as stored.
#include "faults.h"
#include "user32.h"

#include <standin/win32.h>

#include <cstdlib>
#include <cstring>
#include <map>

namespace win32 {
namespace {

struct Icon {
    standin::IconDetails details;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, top row first
};

// The system's icon size, which LR_DEFAULTSIZE asks for.
constexpr int kIconSize = 32;

struct IconTable {
    std::map<HICON, std::unique_ptr<Icon>> icons;
    uintptr_t nextHandle = 0x30010;
};

IconTable& Icons()
{
    static IconTable table;
    return table;
}

// A resource's bytes, found through the module's resources as any program finds them.
struct ResourceData {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

std::optional<ResourceData> LoadResourceBytes(HMODULE module, LPCSTR name, LPCSTR type)
{
    HRSRC resource = FindResourceA(module, name, type);
    if (!resource)
        return std::nullopt;
    const void* data = LockResource(LoadResource(module, resource));
    if (!data)
        return std::nullopt;
    return ResourceData{static_cast<const uint8_t*>(data), SizeofResource(module, resource)};
}

uint16_t Word(const uint8_t* p)
{
    uint16_t value;
    std::memcpy(&value, p, 2);
    return value;
}

uint32_t Dword(const uint8_t* p)
{
    uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
}

struct GroupEntry {
    int width;
    int height;
    int bitCount;
    uint16_t id;
};

std::vector<GroupEntry> ParseGroup(const ResourceData& group)
{
    std::vector<GroupEntry> entries;
    if (group.size < 6 || Word(group.data) != 0 || Word(group.data + 2) != 1)
        return entries;
    const size_t count = Word(group.data + 4);
    if (group.size < 6 + count * 14)
        return entries;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = group.data + 6 + i * 14;
        GroupEntry entry;
        entry.width = e[0] ? e[0] : 256;
        entry.height = e[1] ? e[1] : 256;
        entry.bitCount = Word(e + 6);
        if (entry.bitCount == 0) {
            const int colours = e[2];
            entry.bitCount = colours == 2 ? 1 : colours == 16 ? 4 : colours ? 8 : 0;
        }
        entry.id = Word(e + 12);
        entries.push_back(entry);
    }
    return entries;
}

// The closest size first, then the most colours (fewest for LR_MONOCHROME).
const GroupEntry* Choose(const std::vector<GroupEntry>& entries, int cx, int cy, UINT flags)
{
    const GroupEntry* best = nullptr;
    auto score = [&](const GroupEntry& e) {
        const int distance = std::abs(e.width - cx) + std::abs(e.height - cy);
        const int colours = (flags & LR_MONOCHROME) ? -e.bitCount : e.bitCount;
        return std::make_pair(distance, -colours);
    };
    for (const GroupEntry& entry : entries) {
        if (!best || score(entry) < score(*best))
            best = &entry;
    }
    return best;
}

std::unique_ptr<Icon> Decode(const ResourceData& image)
{
    const uint8_t* p = image.data;
    if (image.size < 40 || (image.size >= 4 && std::memcmp(p, "\x89PNG", 4) == 0))
        return nullptr;
    const uint32_t headerSize = Dword(p);
    int32_t width, doubledHeight;
    std::memcpy(&width, p + 4, 4);
    std::memcpy(&doubledHeight, p + 8, 4);
    const int bitCount = Word(p + 14);
    const uint32_t compression = Dword(p + 16);
    const uint32_t coloursUsed = Dword(p + 32);
    if (headerSize < 40 || headerSize > image.size || Word(p + 12) != 1 || compression != 0 || width < 1 ||
        width > 256 || doubledHeight < 2 || doubledHeight > 512 || (doubledHeight & 1))
        return nullptr;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return nullptr;
    const int height = doubledHeight / 2;
    size_t paletteEntries = 0;
    if (bitCount <= 8) {
        const size_t maximum = size_t{1} << bitCount;
        paletteEntries = coloursUsed ? coloursUsed : maximum;
        if (paletteEntries > maximum)
            return nullptr;
    }
    const size_t xorStride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    const size_t andStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    const size_t paletteOffset = headerSize;
    const size_t xorOffset = paletteOffset + paletteEntries * 4;
    const size_t andOffset = xorOffset + xorStride * height;
    if (andOffset + andStride * height > image.size)
        return nullptr;

    auto icon = std::make_unique<Icon>();
    icon->details.width = width;
    icon->details.height = height;
    icon->details.bitsPerPixel = bitCount;
    icon->details.paletteEntries = static_cast<int>(paletteEntries);
    icon->pixels.resize(static_cast<size_t>(width) * height);
    for (int row = 0; row < height; ++row) {
        const uint8_t* xorRow = p + xorOffset + xorStride * (height - 1 - row);
        const uint8_t* andRow = p + andOffset + andStride * (height - 1 - row);
        for (int x = 0; x < width; ++x) {
            uint32_t bgra = 0;
            if (bitCount <= 8) {
                const size_t bit = static_cast<size_t>(x) * bitCount;
                const unsigned index = (xorRow[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
                bgra = index < paletteEntries ? Dword(p + paletteOffset + index * 4) : 0;
                bgra |= 0xFF000000u;
            } else if (bitCount == 24) {
                const uint8_t* px = xorRow + x * 3;
                bgra = 0xFF000000u | (uint32_t{px[2]} << 16) | (uint32_t{px[1]} << 8) | px[0];
            } else {
                bgra = Dword(xorRow + x * 4);
            }
            const bool transparent = (andRow[x / 8] >> (7 - x % 8)) & 1;
            if (transparent)
                bgra &= 0x00FFFFFFu;
            icon->pixels[static_cast<size_t>(row) * width + x] = bgra;
        }
    }
    return icon;
}

void Scale(Icon& icon, int width, int height)
{
    const int fromWidth = icon.details.width;
    const int fromHeight = icon.details.height;
    if (width == fromWidth && height == fromHeight)
        return;
    std::vector<uint32_t> scaled(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            scaled[static_cast<size_t>(y) * width + x] =
                icon.pixels[static_cast<size_t>(y * fromHeight / height) * fromWidth + x * fromWidth / width];
    }
    icon.pixels = std::move(scaled);
    icon.details.width = width;
    icon.details.height = height;
}

HICON Register(std::unique_ptr<Icon> icon)
{
    IconTable& table = Icons();
    HICON handle = reinterpret_cast<HICON>(table.nextHandle);
    table.nextHandle += 4;
    table.icons.emplace(handle, std::move(icon));
    return handle;
}

}  // namespace
}  // namespace win32

namespace standin {

std::optional<IconDetails> GetIconDetails(HICON icon)
{
    const auto& icons = win32::Icons().icons;
    auto found = icons.find(icon);
    if (found == icons.end())
        return std::nullopt;
    return found->second->details;
}

std::size_t LiveIconCount() { return win32::Icons().icons.size(); }

}  // namespace standin

using namespace win32;

HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags)
{
    if (CallFails(standin::Win32Call::LoadImage)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (type != IMAGE_ICON || (flags & LR_LOADFROMFILE) || !name || cx < 0 || cy < 0) {
        SetLastError(type == IMAGE_ICON ? ERROR_INVALID_PARAMETER : ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    // A size of 0 means the system size with LR_DEFAULTSIZE, else the image's own.
    if (flags & LR_DEFAULTSIZE) {
        if (cx == 0)
            cx = kIconSize;
        if (cy == 0)
            cy = kIconSize;
    }
    auto group = LoadResourceBytes(instance, name, RT_GROUP_ICON);
    if (!group)
        return nullptr;
    const std::vector<GroupEntry> entries = ParseGroup(*group);
    // Neither size given: the group's first image, at its own size.
    const GroupEntry* chosen = cx == 0 && cy == 0 ? (entries.empty() ? nullptr : &entries.front())
                                                  : Choose(entries, cx ? cx : kIconSize, cy ? cy : kIconSize, flags);
    if (!chosen) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    auto image = LoadResourceBytes(instance, MAKEINTRESOURCEA(chosen->id), RT_ICON);
    if (!image)
        return nullptr;
    std::unique_ptr<Icon> icon = Decode(*image);
    if (!icon) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    Scale(*icon, cx ? cx : icon->details.width, cy ? cy : icon->details.height);
    return Register(std::move(icon));
}

// The icon's colour and mask bitmaps, new ones the caller deletes.
BOOL WINAPI GetIconInfo(HICON handle, PICONINFO info)
{
    const auto& icons = Icons().icons;
    const auto found = icons.find(handle);
    if (found == icons.end() || !info) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return FALSE;
    }
    const standin::IconDetails& details = found->second->details;
    info->fIcon = TRUE;
    info->xHotspot = static_cast<DWORD>(details.width / 2);
    info->yHotspot = static_cast<DWORD>(details.height / 2);
    info->hbmColor = CreateBitmap(details.width, details.height, 1, static_cast<UINT>(details.bitsPerPixel), nullptr);
    info->hbmMask = CreateBitmap(details.width, details.height, 1, 1, nullptr);
    return TRUE;
}

BOOL WINAPI DestroyIcon(HICON handle)
{
    if (!Icons().icons.erase(handle)) {
        SetLastError(ERROR_INVALID_ICON_HANDLE);
        return FALSE;
    }
    return TRUE;
}
