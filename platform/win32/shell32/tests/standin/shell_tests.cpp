// The shell, what only the stand-in has (what Win32 does: ../shell_tests.cpp):
// the counts of live id lists and references, the paths only the stand-in
// parses (its drive map, native paths) and its choices where Wine differs or
// Windows would look beyond the file system, its encoding of id lists, its
// failures on demand.
#include "shell_test_support.h"

#include <gmock/gmock.h>

#include <cstring>

using namespace shelltest;

namespace {

class ShellTest : public MappedDrive {};

TEST_F(ShellTest, AllocatorIsOneCountedObject)
{
    IMalloc* first = nullptr;
    IMalloc* second = nullptr;
    ASSERT_EQ(S_OK, SHGetMalloc(&first));
    ASSERT_EQ(S_OK, SHGetMalloc(&second));
    EXPECT_EQ(first, second);
    EXPECT_EQ(2, standin::ShellAllocatorReferences());

    void* block = first->Alloc(10);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(10u, first->GetSize(block));
    EXPECT_EQ(1, first->DidAlloc(block));
    block = first->Realloc(block, 1000);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(1000u, first->GetSize(block));
    second->Free(block);
    EXPECT_EQ(0, first->DidAlloc(block));

    EXPECT_EQ(nullptr, first->Realloc(first->Alloc(3), 0));  // a zero size frees
    EXPECT_EQ(static_cast<SIZE_T>(-1), first->GetSize(nullptr));
    EXPECT_EQ(-1, first->DidAlloc(nullptr));

    const std::size_t invalidBefore = standin::InvalidShellFrees();
    int local = 0;
    first->Free(&local);
    first->Free(nullptr);
    EXPECT_EQ(invalidBefore + 1, standin::InvalidShellFrees());

    IUnknown* unknown = nullptr;
    EXPECT_EQ(S_OK, first->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(static_cast<IUnknown*>(first), unknown);
    void* folder = &local;
    EXPECT_EQ(E_NOINTERFACE, first->QueryInterface(IID_IShellFolder, &folder));
    EXPECT_EQ(nullptr, folder);
    EXPECT_EQ(3, standin::ShellAllocatorReferences());

    EXPECT_EQ(2u, unknown->Release());
    EXPECT_EQ(1u, second->Release());
    EXPECT_EQ(0u, first->Release());
}

// The drives are the run-time's mapped ones ("D:" alone is its root, an
// unmapped drive names nothing); a rooted path without a drive names the
// native folder of that path. Where Wine answers otherwise for names the
// module never makes, and Microsoft says nothing, the stand-in keeps to the
// path rules: a forward slash or a wildcard is refused, "." and an empty name
// name nothing, UNC paths are not parsed, and neither is a URL.
TEST_F(ShellTest, DesktopParsesTheDrivesOfTheRunTime)
{
    Folder("lib/Templates");
    // The drive's folder written without the drive: "\tmp\shell-test-...".
    std::string native = Native();
    for (char& c : native)
        c = c == '/' ? '\\' : c;
    const HRESULT missing = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    struct Case {
        std::string name;
        HRESULT result;
        std::string path;
    };
    const Case cases[] = {
        {"D:", S_OK, "D:\\"},
        {"d:\\lib\\Templates", S_OK, "D:\\lib\\Templates"},
        {native + "\\lib", S_OK, native + "\\lib"},
        {native + "\\lib\\", S_OK, native + "\\lib"},
        {"\\", S_OK, "\\"},
        {"Q:\\lib", missing, ""},
        {"D:\\lib/Templates", E_INVALIDARG, ""},
        {"D:\\lib\\.", missing, ""},
        {"D:\\lib\\\\", missing, ""},
        {"D:\\li*", E_INVALIDARG, ""},
        {"\\\\server\\share", E_INVALIDARG, ""},
        {"http:\\yyy", missing, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed parsed = Parse(c.name);
        EXPECT_EQ(c.result, parsed.result);
        EXPECT_EQ(c.path, parsed.path);
    }
}

// What ParseDisplayName cannot read fails cleanly; the folder's other methods
// are not implemented.
TEST_F(ShellTest, ParseRefusesWhatItCannotRead)
{
    IShellFolder* desktop = nullptr;
    ASSERT_EQ(S_OK, SHGetDesktopFolder(&desktop));
    EXPECT_EQ(1, standin::ShellFolderReferences());
    WideString name = Wide("D:\\lib");
    EXPECT_EQ(E_INVALIDARG, desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, nullptr, nullptr));
    LPITEMIDLIST list = nullptr;
    EXPECT_EQ(E_INVALIDARG, desktop->ParseDisplayName(nullptr, nullptr, nullptr, nullptr, &list, nullptr));
    WCHAR loneSurrogate[] = {u'D', u':', u'\\', 0xD800, 0};
    EXPECT_EQ(E_INVALIDARG, desktop->ParseDisplayName(nullptr, nullptr, loneSurrogate, nullptr, &list, nullptr));
    IEnumIDList* items = reinterpret_cast<IEnumIDList*>(1);
    EXPECT_EQ(E_NOTIMPL, desktop->EnumObjects(nullptr, SHCONTF_FOLDERS, &items));
    EXPECT_EQ(nullptr, items);
    desktop->Release();
}

TEST_F(ShellTest, IdListsAreCountedUntilFreed)
{
    Folder("lib");
    IMalloc* allocator = nullptr;
    ASSERT_EQ(S_OK, SHGetMalloc(&allocator));
    const std::size_t before = standin::LiveItemIdLists();
    LPITEMIDLIST lists[3] = {};
    for (LPITEMIDLIST& list : lists) {
        list = IdListOf("D:\\lib");
        ASSERT_NE(nullptr, list);
    }
    EXPECT_EQ(before + 3, standin::LiveItemIdLists());
    EXPECT_EQ(1, allocator->DidAlloc(lists[0]));
    for (LPITEMIDLIST list : lists)
        allocator->Free(list);
    allocator->Free(nullptr);
    EXPECT_EQ(before, standin::LiveItemIdLists());
    allocator->Release();
}

// The desktop has no path here (Windows gives its Desktop folder's), and
// what is not an id list of the stand-in's reads as no item.
TEST_F(ShellTest, PathFromIdListFailsWithEmptyBufferForNonFileSystemItems)
{
    char path[MAX_PATH];

    // The desktop: the empty list.
    const SHITEMID desktop = {0, {0}};
    std::memset(path, 'x', sizeof(path));
    EXPECT_FALSE(SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(&desktop), path));
    EXPECT_STREQ("", path);

    // A list of ours whose bytes were changed: not readable as an item.
    Folder("lib");
    const LPITEMIDLIST list = IdListOf("D:\\lib");
    ASSERT_NE(nullptr, list);
    list->mkid.abID[0] = 'Z';
    std::memset(path, 'x', sizeof(path));
    EXPECT_FALSE(SHGetPathFromIDListA(list, path));
    EXPECT_STREQ("", path);
    list->mkid.cb = 2000;  // runs past the block
    EXPECT_FALSE(SHGetPathFromIDListA(list, path));
    FreeIdList(list);
}

TEST_F(ShellTest, PathFromIdListNeverTruncates)
{
    // "D:\" + 200 + "\" + k characters: 259 bytes fit MAX_PATH with the terminator, 260 do not.
    const std::string parent(200, 'a');
    const std::string fits = parent + "/" + std::string(55, 'b');
    const std::string tooLong = parent + "/" + std::string(56, 'c');
    Folder(fits);
    Folder(tooLong);

    const Parsed longest = Parse("D:\\" + parent + "\\" + std::string(55, 'b'));
    EXPECT_EQ(S_OK, longest.result);
    EXPECT_EQ(MAX_PATH - 1, static_cast<int>(longest.path.size()));

    const Parsed over = Parse("D:\\" + parent + "\\" + std::string(56, 'c'));
    EXPECT_EQ(S_OK, over.result);  // parses, but has no MAX_PATH path
    EXPECT_EQ("<none>", over.path);
}

}  // namespace

#include <standin/faults.h>

namespace {

TEST(ShellFaults, ChosenCallFailsAloneOrFromThenOnAndEveryCallIsCounted)
{
    standin::ResetWin32Calls();
    standin::FailWin32Call(standin::Win32Call::ShGetMalloc, 1, standin::FaultSpan::Once);
    IMalloc* first = nullptr;
    IMalloc* second = reinterpret_cast<IMalloc*>(1);
    IMalloc* third = nullptr;
    EXPECT_EQ(S_OK, SHGetMalloc(&first));
    EXPECT_EQ(E_OUTOFMEMORY, SHGetMalloc(&second));
    EXPECT_EQ(nullptr, second);
    EXPECT_EQ(S_OK, SHGetMalloc(&third));
    first->Release();
    third->Release();
    EXPECT_EQ(3u, standin::Win32Calls(standin::Win32Call::ShGetMalloc));

    standin::FailWin32Call(standin::Win32Call::ShGetDesktopFolder, 0, standin::FaultSpan::FromThenOn);
    IShellFolder* desktop = nullptr;
    EXPECT_EQ(E_OUTOFMEMORY, SHGetDesktopFolder(&desktop));
    EXPECT_EQ(E_OUTOFMEMORY, SHGetDesktopFolder(&desktop));
    EXPECT_EQ(nullptr, desktop);
    standin::ClearWin32Faults();
    ASSERT_EQ(S_OK, SHGetDesktopFolder(&desktop));
    desktop->Release();
    EXPECT_EQ(0, standin::ShellFolderReferences());
    EXPECT_EQ(0, standin::ShellAllocatorReferences());
}

}  // namespace
