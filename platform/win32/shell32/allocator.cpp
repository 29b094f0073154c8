// Shell allocator: SHGetMalloc's IMalloc, one table of live blocks.
//
// On Windows the shell allocator is the COM task allocator: a process-wide
// object that is never destroyed, whatever its reference count.  Here its
// references are counted anyway, and every block remembers its size and
// whether it holds an item id list, so tests can prove that nothing leaks.
// A free of a pointer that is not a live block corrupts the heap on Windows;
// here it is ignored and counted.
//
// Not implemented: IMallocSpy, per-thread statistics, the task allocator's own
// functions (CoTaskMemAlloc, CoTaskMemRealloc, CoTaskMemFree) and ILFree.
#include "faults.h"
#include "shell32.h"

#include <standin/shell.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <unordered_map>

namespace win32::shell {
using win32::CallFails;
namespace {

struct Block {
    std::size_t size = 0;
    BlockKind kind = BlockKind::Memory;
};

// The heap may be used from any thread, as COM's task allocator may.
class BlockTable {
public:
    void* Allocate(std::size_t size, BlockKind kind)
    {
        if (CallFails(standin::Win32Call::ShellAllocation))
            return nullptr;
        void* block = std::malloc(size ? size : 1);
        if (!block)
            return nullptr;
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_blocks[block] = Block{size, kind};
        if (kind == BlockKind::IdList)
            ++m_idLists;
        return block;
    }

    void* Reallocate(void* block, std::size_t size)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_blocks.find(block);
        if (found == m_blocks.end())
            return nullptr;
        void* moved = std::realloc(block, size);
        if (!moved)
            return nullptr;
        const Block record{size, found->second.kind};
        m_blocks.erase(found);
        m_blocks[moved] = record;
        return moved;
    }

    void Free(void* block)
    {
        if (!block)
            return;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            const auto found = m_blocks.find(block);
            if (found == m_blocks.end()) {
                ++m_invalidFrees;
                return;
            }
            if (found->second.kind == BlockKind::IdList)
                --m_idLists;
            m_blocks.erase(found);
        }
        std::free(block);
    }

    std::optional<std::size_t> Size(const void* block) const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_blocks.find(block);
        if (found == m_blocks.end())
            return std::nullopt;
        return found->second.size;
    }

    std::size_t IdLists() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_idLists;
    }

    std::size_t InvalidFrees() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_invalidFrees;
    }

private:
    mutable std::mutex m_mutex;
    std::unordered_map<const void*, Block> m_blocks;
    std::size_t m_idLists = 0;
    std::size_t m_invalidFrees = 0;
};

BlockTable& Blocks()
{
    static BlockTable table;
    return table;
}

std::atomic<long> allocatorReferences{0};

ULONG AsCount(long references) { return references > 0 ? static_cast<ULONG>(references) : 0; }

class ShellAllocator final : public IMalloc {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IMalloc) {
            *object = static_cast<IMalloc*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AsCount(++allocatorReferences); }
    ULONG STDMETHODCALLTYPE Release() override { return AsCount(--allocatorReferences); }

    void* STDMETHODCALLTYPE Alloc(SIZE_T size) override { return Blocks().Allocate(size, BlockKind::Memory); }

    // A NULL block allocates; a zero size frees and returns NULL.
    void* STDMETHODCALLTYPE Realloc(void* block, SIZE_T size) override
    {
        if (!block)
            return Alloc(size);
        if (size == 0) {
            Free(block);
            return nullptr;
        }
        return Blocks().Reallocate(block, size);
    }

    void STDMETHODCALLTYPE Free(void* block) override { FreeBlock(block); }

    // Windows answers (SIZE_T)-1 for NULL.
    SIZE_T STDMETHODCALLTYPE GetSize(void* block) override
    {
        const auto size = Blocks().Size(block);
        return size ? *size : static_cast<SIZE_T>(-1);
    }

    // 1: ours, 0: not ours, -1: cannot tell (NULL).
    int STDMETHODCALLTYPE DidAlloc(void* block) override
    {
        if (!block)
            return -1;
        return Blocks().Size(block) ? 1 : 0;
    }

    void STDMETHODCALLTYPE HeapMinimize() override {}
};

ShellAllocator& Allocator()
{
    static ShellAllocator allocator;
    return allocator;
}

}  // namespace

void* AllocateBlock(std::size_t size, BlockKind kind) { return Blocks().Allocate(size, kind); }

std::optional<std::size_t> BlockSize(const void* block) { return Blocks().Size(block); }

void FreeBlock(void* block) { Blocks().Free(block); }

}  // namespace win32::shell

extern "C" const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
extern "C" const IID IID_IMalloc = {0x00000002, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

using namespace win32::shell;

HRESULT STDAPICALLTYPE SHGetMalloc(IMalloc** allocator)
{
    if (!allocator)
        return E_INVALIDARG;
    if (CallFails(standin::Win32Call::ShGetMalloc)) {
        *allocator = nullptr;
        return E_OUTOFMEMORY;
    }
    *allocator = &Allocator();
    Allocator().AddRef();
    return S_OK;
}

namespace standin {

std::size_t LiveItemIdLists() { return Blocks().IdLists(); }

long ShellAllocatorReferences() { return allocatorReferences.load(); }

std::size_t InvalidShellFrees() { return Blocks().InvalidFrees(); }

}  // namespace standin
