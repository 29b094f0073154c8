// FileQueryLog: the paths that the program's file-system queries are given, on both builds, in the
// order the queries are made: "_stat <path>" and "_findfirst <pattern>".
//
// On Linux the run-time stand-in records them (<standin/crt.h>). On Windows the log redirects the
// test program's own imports of the C run-time's _stat64 and _findfirst64, which the run-time's
// _stat and _findfirst call with the path they were given; calls made from other modules (the C++
// library's file system, the client DLLs) are not seen. One log at a time.
#pragma once

#include <string>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <memory>
#include <mutex>

#include "importpatch/ImportPatch.h"
#else
#include <standin/crt.h>
#endif

namespace testsupport {

#if defined(_WIN32)

class FileQueryLog {
public:
    FileQueryLog()
    {
        Entries().clear();
        const HMODULE program = GetModuleHandleA(nullptr);
        m_stat = std::make_unique<ilt::win32::ImportPatch>(program, "msvcrt.dll", "_stat64",
                                                           reinterpret_cast<void*>(&LoggedStat));
        m_findFirst = std::make_unique<ilt::win32::ImportPatch>(program, "msvcrt.dll", "_findfirst64",
                                                                reinterpret_cast<void*>(&LoggedFindFirst));
        OriginalStat() = reinterpret_cast<StatFunction>(m_stat->Original());
        OriginalFindFirst() = reinterpret_cast<FindFirstFunction>(m_findFirst->Original());
    }
    FileQueryLog(const FileQueryLog&) = delete;
    FileQueryLog& operator=(const FileQueryLog&) = delete;

    // False when the program does not import what the log redirects.
    bool Working() const { return m_stat->Installed() && m_findFirst->Installed(); }

    std::vector<std::string> Paths() const
    {
        const std::lock_guard<std::mutex> lock(Mutex());
        return Entries();
    }

private:
    using StatFunction = int(__cdecl*)(const char*, struct _stat64*);
    using FindFirstFunction = intptr_t(__cdecl*)(const char*, struct __finddata64_t*);

    static std::mutex& Mutex()
    {
        static std::mutex mutex;
        return mutex;
    }
    static std::vector<std::string>& Entries()
    {
        static std::vector<std::string> entries;
        return entries;
    }
    static StatFunction& OriginalStat()
    {
        static StatFunction original = nullptr;
        return original;
    }
    static FindFirstFunction& OriginalFindFirst()
    {
        static FindFirstFunction original = nullptr;
        return original;
    }
    static void Record(const char* call, const char* path)
    {
        const std::lock_guard<std::mutex> lock(Mutex());
        Entries().push_back(std::string(call) + (path != nullptr ? path : "(null)"));
    }
    static int __cdecl LoggedStat(const char* path, struct _stat64* record)
    {
        Record("_stat ", path);
        return OriginalStat()(path, record);
    }
    static intptr_t __cdecl LoggedFindFirst(const char* pattern, struct __finddata64_t* record)
    {
        Record("_findfirst ", pattern);
        return OriginalFindFirst()(pattern, record);
    }

    std::unique_ptr<ilt::win32::ImportPatch> m_stat;
    std::unique_ptr<ilt::win32::ImportPatch> m_findFirst;
};

#else

class FileQueryLog {
public:
    FileQueryLog() { standin::StartPathLog(); }
    ~FileQueryLog() { standin::StopPathLog(); }
    FileQueryLog(const FileQueryLog&) = delete;
    FileQueryLog& operator=(const FileQueryLog&) = delete;

    bool Working() const { return true; }
    std::vector<std::string> Paths() const { return standin::PathLog(); }
};

#endif

}  // namespace testsupport
