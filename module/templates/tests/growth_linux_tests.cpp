// Repeated discovery, as the folder browser runs it at each highlight: the
// live heap and the open file descriptors come back to the same level. Its
// own program, so that no test has turned on a client's call log.
#include <gtest/gtest.h>

#include <dirent.h>

#include <cstddef>
#include <filesystem>
#include <string>

#include "standin/corvane.h"
#include "standin/corvane_writer.h"
#include "standin/oskel.h"
#include "standin/oskel_writer.h"
#include "HeapCounter.h"
#include "templates/TemplateDiscovery.h"
#include "testsupport/MappedFolder.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ILT_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ILT_ASAN 1
#endif
#if defined(ILT_ASAN)
// The sanitizer's count of live bytes (its <sanitizer/allocator_interface.h>,
// which not every compiler installs).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

namespace fs = std::filesystem;

// Bytes allocated and not yet freed since the counter began: the sanitizer's
// count, or the benchmarks' replacement of the malloc family (glibc's own
// figures count its per-thread cache of freed blocks as in use).
class LiveHeap {
public:
    std::size_t Growth() const
    {
#if defined(ILT_ASAN)
        const std::size_t now = __sanitizer_get_current_allocated_bytes();
        return now > m_start ? now - m_start : 0;
#else
        return m_window.Live();
#endif
    }

private:
#if defined(ILT_ASAN)
    std::size_t m_start = __sanitizer_get_current_allocated_bytes();
#else
    bench::HeapWindow m_window;
#endif
};

std::size_t OpenDescriptors()
{
    std::size_t count = 0;
    if (DIR* fds = ::opendir("/proc/self/fd")) {
        while (const dirent* entry = ::readdir(fds))
            count += entry->d_name[0] != '.' ? 1 : 0;
        ::closedir(fds);
    }
    return count;
}

TEST(RepeatedDiscovery, AThousandHighlightsOfOneFolderLeaveNothingBehind)
{
    const testsupport::MappedFolder folder("ilt-growth");
    std::string error;
    ASSERT_TRUE(standin::oskel::WriteOskel(
        testsupport::AnsiPath(folder.Native("lib/4L/keyin.oskel")),
        standin::oskel::PcbDescription({standin::oskel::ConductorLayer(1, "TOP", 1, std::string("Signal"))}), &error))
        << error;
    folder.MakeFolder("lib");
    ASSERT_TRUE(standin::corvane::Write2005Template(testsupport::AnsiPath(folder.Native("lib/6L")),
                                                    standin::corvane::Description{}, &error))
        << error;
    folder.MakeFolder("lib/empty");
    const std::string library = folder.Path("lib");

    // The first calls settle what a process sets up once (SQLite's own state).
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(HasLayoutTemplates(library));
    const LiveHeap heap;
    const std::size_t descriptors = OpenDescriptors();

    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(HasLayoutTemplates(library)) << i;

    // A leak of one small block a call would show as 16 KB or more.
    EXPECT_LE(heap.Growth(), 1024u);
    EXPECT_EQ(descriptors, OpenDescriptors());

    // With the clients' call logs on (as tests turn them on), emptying them
    // gives back everything they held.
    standin::oskel::ResetCallLog();
    standin::corvane::ResetCallLog();
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(HasLayoutTemplates(library)) << i;
    EXPECT_GT(standin::oskel::CallLog().size(), 1000u);
    standin::oskel::ResetCallLog();
    standin::corvane::ResetCallLog();
    EXPECT_LE(heap.Growth(), 1024u);
    EXPECT_EQ(descriptors, OpenDescriptors());
}

}  // namespace
