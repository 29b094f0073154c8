// Injected failures and call counters of the run-time stand-in.
//
// Failures let tests produce what root cannot produce with permissions: a folder whose status or
// listing cannot be read. Counters let tests and benchmarks see how many queries a caller makes.
#include "hooks.h"

#include "drives.h"

#include <standin/crt.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <mutex>
#include <string>
#include <vector>

namespace crt {
namespace {

// Paths are compared with '\' as '/' and the drive letter upper-cased: "d:\t" equals "D:/t".
std::string FaultKey(std::string_view windowsPath)
{
    std::string key(windowsPath);
    std::replace(key.begin(), key.end(), '\\', '/');
    if (HasDriveDesignator(key))
        key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
    return key;
}

// A folder key without its trailing slashes, unless nothing but slashes or a bare drive would
// remain: "D:/t/" => "D:/t", "D:/" => "D:", "/" => "/".
std::string FolderKey(std::string key)
{
    const std::size_t minimum = HasDriveDesignator(key) ? 2 : 1;
    while (key.size() > minimum && key.back() == '/')
        key.pop_back();
    return key;
}

// The folder that a pattern key searches: "D:/t/*.*" => "D:/t/", "D:*" => "D:", "*.*" => "".
std::string PatternFolder(const std::string& patternKey)
{
    const std::size_t start = HasDriveDesignator(patternKey) ? 2 : 0;
    const std::size_t slash = patternKey.rfind('/');
    if (slash == std::string::npos || slash < start)
        return patternKey.substr(0, start);
    return patternKey.substr(0, slash + 1);
}

struct Fault {
    std::string key;
    int error;
};

class FaultList {
public:
    void Add(std::string_view windowsPath, int error)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_faults.push_back({FaultKey(windowsPath), error});
        m_empty.store(false);
    }

    void Clear()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_faults.clear();
        m_empty.store(true);
    }

    // Every query asks; without a fault registered the answer needs no lock.
    bool Empty() const { return m_empty.load(); }

    template <typename Matches>
    std::optional<int> Find(Matches matches) const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (const Fault& fault : m_faults) {
            if (matches(fault.key))
                return fault.error;
        }
        return std::nullopt;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Fault> m_faults;
    std::atomic<bool> m_empty{true};
};

FaultList& StatFaults()
{
    static FaultList faults;
    return faults;
}

FaultList& FindFirstFaults()
{
    static FaultList faults;
    return faults;
}

struct CountedFault {
    std::size_t succeedingCalls = 0;
    int error = 0;
    standin::FaultSpan span = standin::FaultSpan::Once;
};

// One slot per kind of call that can fail by count (_findclose cannot).
class CountedFaults {
public:
    void Set(standin::CrtCall call, const CountedFault& fault)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_faults[Slot(call)] = fault;
        m_any.store(true);
    }

    void Clear()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (std::optional<CountedFault>& fault : m_faults)
            fault.reset();
        m_any.store(false);
    }

    std::optional<int> Take(Call call)
    {
        if (!m_any.load() || call == Call::FindClose)
            return std::nullopt;
        const std::lock_guard<std::mutex> lock(m_mutex);
        std::optional<CountedFault>& fault = m_faults[static_cast<std::size_t>(call)];
        if (!fault)
            return std::nullopt;
        if (fault->succeedingCalls > 0) {
            --fault->succeedingCalls;
            return std::nullopt;
        }
        const int error = fault->error;
        if (fault->span == standin::FaultSpan::Once)
            fault.reset();
        return error;
    }

private:
    static std::size_t Slot(standin::CrtCall call)
    {
        switch (call) {
        case standin::CrtCall::Stat: return static_cast<std::size_t>(Call::Stat);
        case standin::CrtCall::FindFirst: return static_cast<std::size_t>(Call::FindFirst);
        case standin::CrtCall::FindNext: return static_cast<std::size_t>(Call::FindNext);
        }
        return static_cast<std::size_t>(Call::Stat);
    }

    std::mutex m_mutex;
    std::optional<CountedFault> m_faults[3];
    std::atomic<bool> m_any{false};
};

CountedFaults& ByCount()
{
    static CountedFaults faults;
    return faults;
}

struct Counters {
    std::atomic<std::size_t> stat{0};
    std::atomic<std::size_t> findfirst{0};
    std::atomic<std::size_t> findnext{0};
    std::atomic<std::size_t> findclose{0};
};

Counters& CallCounters()
{
    static Counters counters;
    return counters;
}

class PathRecorder {
public:
    void Record(Call call, const char* path)
    {
        if (!m_on.load())
            return;
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_on.load())
            m_entries.push_back((call == Call::Stat ? "_stat " : "_findfirst ") + std::string(path));
    }
    void Start()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_entries.clear();
        m_on.store(true);
    }
    void Stop()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_on.store(false);
        std::vector<std::string>().swap(m_entries);
    }
    std::vector<std::string> Entries()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_entries;
    }

private:
    std::mutex m_mutex;
    std::atomic<bool> m_on{false};
    std::vector<std::string> m_entries;
};

PathRecorder& Paths()
{
    static PathRecorder recorder;
    return recorder;
}

}  // namespace

void LogPath(Call call, const char* path) { Paths().Record(call, path); }

std::optional<int> StatFault(std::string_view windowsPath)
{
    if (StatFaults().Empty())
        return std::nullopt;
    const std::string path = FaultKey(windowsPath);
    return StatFaults().Find([&](const std::string& key) { return key == path; });
}

std::optional<int> FindFirstFault(std::string_view windowsPattern)
{
    if (FindFirstFaults().Empty())
        return std::nullopt;
    const std::string pattern = FaultKey(windowsPattern);
    const std::string folder = FolderKey(PatternFolder(pattern));
    return FindFirstFaults().Find(
        [&](const std::string& key) { return key == pattern || (!key.empty() && FolderKey(key) == folder); });
}

std::optional<int> CountCall(Call call)
{
    Counters& counters = CallCounters();
    switch (call) {
    case Call::Stat: ++counters.stat; break;
    case Call::FindFirst: ++counters.findfirst; break;
    case Call::FindNext: ++counters.findnext; break;
    case Call::FindClose: ++counters.findclose; break;
    }
    return ByCount().Take(call);
}

}  // namespace crt

namespace standin {

void FailStat(const std::string& windowsPath, int error) { crt::StatFaults().Add(windowsPath, error); }

void FailFindFirst(const std::string& windowsPathOrPattern, int error)
{
    crt::FindFirstFaults().Add(windowsPathOrPattern, error);
}

void FailCallAfter(CrtCall call, std::size_t succeedingCalls, int error, FaultSpan span)
{
    crt::ByCount().Set(call, crt::CountedFault{succeedingCalls, error, span});
}

void ClearFaults()
{
    crt::StatFaults().Clear();
    crt::FindFirstFaults().Clear();
    crt::ByCount().Clear();
}

void StartPathLog() { crt::Paths().Start(); }

void StopPathLog() { crt::Paths().Stop(); }

std::vector<std::string> PathLog() { return crt::Paths().Entries(); }

CrtCallCounts CallCounts()
{
    const crt::Counters& counters = crt::CallCounters();
    CrtCallCounts counts;
    counts.stat = counters.stat;
    counts.findfirst = counters.findfirst;
    counts.findnext = counters.findnext;
    counts.findclose = counters.findclose;
    return counts;
}

void ResetCallCounts()
{
    crt::Counters& counters = crt::CallCounters();
    counters.stat = 0;
    counters.findfirst = 0;
    counters.findnext = 0;
    counters.findclose = 0;
}

}  // namespace standin
