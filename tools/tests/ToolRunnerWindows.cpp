// Running the tool binary on Windows: CreateProcessW with its standard
// handles sent to files.

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include "ToolRunner.h"

namespace layouttool::testing {

namespace fs = std::filesystem;

namespace {

std::wstring Wide(const std::string& text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage)
{
    if (wide.empty())
        return std::string();
    const int length =
        ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), length, nullptr,
                          nullptr);
    return narrow;
}

// One word of a command line, as CommandLineToArgvW reads it back.
std::wstring Quoted(const std::wstring& word)
{
    if (!word.empty() && word.find_first_of(L" \t\"") == std::wstring::npos)
        return word;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

HANDLE Inheritable(const fs::path& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE handle = ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path.string());
    return handle;
}

// The child's text with CR LF line ends read as LF.
std::string WithoutCarriageReturns(std::string text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            result += text[i];
    return result;
}

}  // namespace

std::string ToolPath()
{
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    return (fs::path(std::wstring(self, length)).parent_path() / L"layout-template-tool.exe").u8string();
}

WorkFolder::WorkFolder()
{
    const char* drive = std::getenv("ILT_TEST_DRIVE");
    if (drive == nullptr || std::string(drive).size() != 1)
        throw std::runtime_error("ILT_TEST_DRIVE must name the drive letter the test run maps");
    static std::atomic<unsigned> made{0};
    const fs::path base = fs::path(std::string(drive) + ":\\");
    for (unsigned attempt = 0; attempt < 10000; ++attempt) {
        const fs::path candidate =
            base / ("work-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(made++));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            m_root = candidate;
            return;
        }
    }
    throw std::runtime_error("no free name for a work folder on drive " + std::string(drive) + ":");
}

namespace {

// Removes `path` with everything in it through the \\?\ form of paths, which
// takes names as they are: a test may leave names that Windows otherwise cuts
// ("7L."), which no ordinary path reaches.
void RemoveTreeExactly(const std::wstring& path)
{
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
                RemoveTreeExactly(child);
            else if (!::DeleteFileW(child.c_str()))
                ::RemoveDirectoryW(child.c_str());
        } while (::FindNextFileW(search, &entry));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
}

}  // namespace

WorkFolder::~WorkFolder() { RemoveTreeExactly(L"\\\\?\\" + fs::absolute(m_root).wstring()); }

ToolProcess::ToolProcess(const std::vector<std::string>& words, const StartFolder& startFolder,
                         const std::string& input, const StandardOutput& output)
    : m_scratch("layout-template-tool"), m_capture(output.path.empty())
{
    const fs::path inputFile = m_scratch.Root() / "stdin";
    const fs::path outFile = output.path.empty() ? m_scratch.Root() / "stdout" : output.path;
    WriteTextFile(inputFile, input);

    std::wstring commandLine;
    for (const std::string& word : words)
        commandLine += (commandLine.empty() ? L"" : L" ") + Quoted(Wide(word, CP_UTF8));
    PROCESS_INFORMATION process{};
    // Wine at times loses a child before it runs any of its code (the
    // loader ends early): CreateProcessW then fails with ERROR_INTERNAL_ERROR.
    // Nothing of the tool ran, so the start is tried again.
    for (int attempt = 1;; ++attempt) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = Inheritable(inputFile, GENERIC_READ, OPEN_EXISTING);
        startup.hStdOutput = Inheritable(outFile, GENERIC_WRITE, CREATE_ALWAYS);
        startup.hStdError = Inheritable(m_scratch.Root() / "stderr", GENERIC_WRITE, CREATE_ALWAYS);
        const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                              nullptr, startFolder.path.c_str(), &startup, &process);
        const DWORD error = ::GetLastError();
        for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
            ::CloseHandle(handle);
        if (started)
            break;
        const std::string failure = "cannot start " + words[0] + " in " + startFolder.path.u8string() + ": error " +
                                    std::to_string(error) + " on attempt " + std::to_string(attempt) +
                                    ", its standard error \"" + ReadTextFile(m_scratch.Root() / "stderr") + "\"";
        if (error != ERROR_INTERNAL_ERROR || attempt == 3)
            throw std::runtime_error(failure);
        std::cerr << failure << ": starting it again\n";
    }
    ::CloseHandle(process.hThread);
    m_child = reinterpret_cast<std::intptr_t>(process.hProcess);
}

ToolProcess::~ToolProcess()
{
    if (!m_ended) {
        ::TerminateProcess(reinterpret_cast<HANDLE>(m_child), 1);
        Wait();
    }
    ::CloseHandle(reinterpret_cast<HANDLE>(m_child));
}

void ToolProcess::Signal(int) const {}

bool ToolProcess::Ended()
{
    if (!m_ended && ::WaitForSingleObject(reinterpret_cast<HANDLE>(m_child), 0) == WAIT_OBJECT_0)
        m_ended = true;
    return m_ended;
}

ToolRun ToolProcess::Wait()
{
    ::WaitForSingleObject(reinterpret_cast<HANDLE>(m_child), INFINITE);
    m_ended = true;
    DWORD code = 0;
    ::GetExitCodeProcess(reinterpret_cast<HANDLE>(m_child), &code);
    ToolRun run;
    run.status = static_cast<int>(code);
    if (m_capture)
        run.out = WithoutCarriageReturns(ReadTextFile(m_scratch.Root() / "stdout"));
    run.err = WithoutCarriageReturns(ReadTextFile(m_scratch.Root() / "stderr"));
    return run;
}

ToolRun RunToolIntoClosedPipe(const std::vector<std::string>& arguments, const fs::path& workingFolder)
{
    HANDLE reader = nullptr;
    HANDLE writer = nullptr;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (!::CreatePipe(&reader, &writer, &inherit, 0))
        throw std::runtime_error("cannot make a pipe");
    ::CloseHandle(reader);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    testsupport::TempFolder files("layout-template-tool");
    WriteTextFile(files.Root() / "stdin", "");
    startup.hStdInput = Inheritable(files.Root() / "stdin", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = writer;
    startup.hStdError = Inheritable(files.Root() / "stderr", GENERIC_WRITE, CREATE_ALWAYS);
    std::wstring commandLine;
    for (const std::string& word : ToolCommand(arguments))
        commandLine += (commandLine.empty() ? L"" : L" ") + Quoted(Wide(word, CP_UTF8));
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                          nullptr, workingFolder.c_str(), &startup, &process);
    for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        ::CloseHandle(handle);
    if (!started)
        throw std::runtime_error("cannot start the tool");
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ToolRun run;
    run.status = static_cast<int>(code);
    run.err = WithoutCarriageReturns(ReadTextFile(files.Root() / "stderr"));
    return run;
}

std::string SystemPathOf(const fs::path& path) { return testsupport::AnsiPath(path); }

std::string AnsiToUtf8(const std::string& text) { return Narrow(Wide(text, CP_ACP), CP_UTF8); }

std::string AsTextShowsIt(const std::string& utf8)
{
    const std::wstring wide = Wide(utf8, CP_UTF8);
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), ansi.data(), length,
                          nullptr, nullptr);
    return AnsiToUtf8(ansi);
}

}  // namespace layouttool::testing
