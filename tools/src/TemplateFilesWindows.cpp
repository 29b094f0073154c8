// Writing a template into its folder on Windows: DIR and the template's
// folders held open without delete sharing, staging beside the old template,
// then MoveFileEx replacements.

#include <windows.h>

#include <random>
#include <vector>

#include "Interruption.h"
#include "TemplateFiles.h"
#include "TemplateParts.h"
#include "WindowsText.h"

namespace layouttool {
namespace {

constexpr wchar_t kStagingPrefix[] = L".layout-template-tool-";
// The lock of a staging folder: open without sharing while its run lives,
// deleted by the system when the run ends, however it ends.
constexpr wchar_t kLockName[] = L".lock";

std::wstring Join(const std::wstring& folder, const std::wstring& name)
{
    return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}
std::wstring Join(const std::wstring& folder, const char* name) { return Join(folder, WideFromAnsi(name)); }

std::string LastError() { return SystemMessage(::GetLastError()); }

// An owned handle, closed on destruction.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { Close(); }
    Handle(Handle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = INVALID_HANDLE_VALUE; }
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_handle = other.m_handle;
            other.m_handle = INVALID_HANDLE_VALUE;
        }
        return *this;
    }
    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    void Close()
    {
        if (Valid())
            ::CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

// A folder held open: readable, its entries may change, but it cannot be
// renamed or removed (no delete sharing) while the handle lives. With
// `itself`, a reparse point is opened as itself, not followed.
Handle HoldFolder(const std::wstring& path, bool itself)
{
    return Handle(::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | (itself ? FILE_FLAG_OPEN_REPARSE_POINT : 0), nullptr));
}

// Whether `path` names something that is there but cannot be reached: a
// link to nothing (a reparse point whose target is missing).
bool ReachesNothing(const std::wstring& path)
{
    return !Handle(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr))
                .Valid();
}

// The root of a full path: "D:\" or "\\server\share\".
std::size_t RootLength(const std::wstring& full)
{
    if (full.size() >= 3 && full[1] == L':')
        return 3;
    if (full.compare(0, 2, L"\\\\") == 0) {
        std::size_t end = full.find(L'\\', 2);
        if (end != std::wstring::npos)
            end = full.find(L'\\', end + 1);
        return end == std::wstring::npos ? full.size() : end + 1;
    }
    return 0;
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(length, L'\0');
    if (length == 0 || ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr) == 0)
        return std::wstring();
    full.resize(full.find(L'\0'));
    return full;
}

// Removes the staging folder `staging`: the files this tool writes in it,
// their folders and the folder itself, each only when that leaves nothing
// else behind.
void RemoveStaging(const std::wstring& staging)
{
    for (const TemplatePart* part : {&k2007Part, &k2005Part}) {
        const std::wstring folder = Join(staging, part->folder);
        for (const char* file : part->files)
            ::DeleteFileW(Join(folder, file).c_str());
        for (const char* file : part->extras)
            ::DeleteFileW(Join(folder, file).c_str());
        ::RemoveDirectoryW(folder.c_str());
    }
    ::RemoveDirectoryW(staging.c_str());
}

bool IsStagingName(const std::wstring& name)
{
    const std::size_t prefix = sizeof kStagingPrefix / sizeof kStagingPrefix[0] - 1;
    return name.compare(0, prefix, kStagingPrefix) == 0 && name.size() == prefix + kStagingSuffixLength;
}

// Removes the staging folders in DIR that no live run holds: their lock is
// gone with the run that made them, or can be deleted. One that holds
// anything else stays.
void RemoveStaleStaging(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileW(Join(folder, std::wstring(kStagingPrefix) + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::wstring> stale;
    do {
        const std::wstring staging = Join(folder, entry.cFileName);
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
            (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || !IsStagingName(entry.cFileName))
            continue;
        const std::wstring lock = Join(staging, kLockName);
        if (::DeleteFileW(lock.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND)
            stale.push_back(staging);
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    for (const std::wstring& staging : stale)
        RemoveStaging(staging);
}

// Whether DIR holds anything; false with *error when it cannot be listed.
bool HoldsAnything(const std::wstring& folder, bool& holds, std::string& error)
{
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileW(Join(folder, L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        error = LastError();
        return false;
    }
    holds = false;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") {
            holds = true;
            break;
        }
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    return true;
}

class WindowsTemplateWrite : public TemplateWrite {
public:
    static std::unique_ptr<WindowsTemplateWrite> Begin(const std::string& folder, const std::string& shownFolder,
                                                       TemplateFormat format, bool replace, std::string& error);
    ~WindowsTemplateWrite() override;

    bool InStaging(const std::function<bool(const std::string& stagingFolder)>& step) override
    {
        return step(AnsiFromWideLossy(m_staging));
    }
    std::string AsWrittenInFolder(std::string message) const override;
    bool Commit(std::string& error) override;

private:
    // Opens or makes every folder of DIR's full path; records those it made.
    bool OpenFolder(const std::string& folder, std::string& error);
    // Holds keyin.oskel or Layout when it is there, a folder and no link.
    bool HoldPart(const TemplatePart& part, Handle& handle, std::string& error);
    // What keeps the files of `part` from being replaced or removed.
    bool CheckReplaceable(const TemplatePart& part, std::string& error) const;
    // `path` (in DIR) as DIR names it in messages.
    std::string Shown(const std::string& inFolder) const { return m_shownFolder + "\\" + inFolder; }

    TemplateFormat m_format = TemplateFormat::k2007;
    std::string m_shownFolder;
    std::wstring m_folder;             // DIR, full
    std::vector<std::wstring> m_made;  // the folders Begin made, outermost first
    Handle m_folderHandle;
    Handle m_keyinOskel;  // DIR\keyin.oskel when it exists
    Handle m_layout;      // DIR\Layout when it exists
    std::wstring m_staging;
    Handle m_lock;
    bool m_committed = false;
};

bool WindowsTemplateWrite::OpenFolder(const std::string& folder, std::string& error)
{
    m_folder = FullPath(WideFromAnsi(folder));
    while (m_folder.size() > RootLength(m_folder) && m_folder.back() == L'\\')
        m_folder.pop_back();
    if (m_folder.empty()) {
        error = m_shownFolder + ": cannot be resolved: " + LastError();
        return false;
    }
    const std::size_t root = RootLength(m_folder);
    for (std::size_t end = m_folder.find(L'\\', root);; end = m_folder.find(L'\\', end + 1)) {
        const std::wstring part = m_folder.substr(0, end);
        const bool last = end == std::wstring::npos;
        const std::string shownPart = last ? m_shownFolder : AnsiFromWideLossy(part);
        if (part.size() > root) {
            const DWORD attributes = ::GetFileAttributesW(part.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) {
                const DWORD lookup = ::GetLastError();
                if (lookup != ERROR_FILE_NOT_FOUND && lookup != ERROR_PATH_NOT_FOUND) {
                    error = m_shownFolder + ": cannot be queried: " + SystemMessage(lookup);
                    return false;
                }
                if (!::CreateDirectoryW(part.c_str(), nullptr)) {
                    const DWORD made = ::GetLastError();
                    // Not found, yet there: an entry Windows cannot open,
                    // such as a link to nothing.
                    error = made == ERROR_ALREADY_EXISTS
                                ? m_shownFolder + ": cannot create the folder: " + shownPart +
                                      " is there but cannot be opened (a link to nothing?)"
                                : m_shownFolder + ": cannot create the folder: " + SystemMessage(made);
                    return false;
                }
                m_made.push_back(part);
            } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                error = last ? m_shownFolder + ": exists and is not a folder"
                             : m_shownFolder + ": cannot create the folder: " + shownPart + " is not a folder";
                return false;
            } else if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && ReachesNothing(part)) {
                error = last ? m_shownFolder + ": is a junction or symbolic link to nothing"
                             : m_shownFolder + ": cannot create the folder: " + shownPart +
                                   " is a junction or symbolic link to nothing";
                return false;
            }
        }
        if (last)
            break;
    }
    m_folderHandle = HoldFolder(m_folder, false);
    if (!m_folderHandle.Valid()) {
        error = m_shownFolder + ": cannot be opened: " + LastError();
        return false;
    }
    return true;
}

bool WindowsTemplateWrite::HoldPart(const TemplatePart& part, Handle& handle, std::string& error)
{
    const std::wstring path = Join(m_folder, part.folder);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (::GetLastError() == ERROR_FILE_NOT_FOUND)
            return true;
        error = Shown(part.folder) + ": cannot be queried: " + LastError();
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        error = Shown(part.folder) +
                ": is a junction or symbolic link; --force writes nothing through a link (remove it first)";
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        error = Shown(part.folder) + ": exists and is not a folder";
        return false;
    }
    handle = HoldFolder(path, true);
    if (!handle.Valid()) {
        error = Shown(part.folder) + ": cannot be opened: " + LastError();
        return false;
    }
    return true;
}

bool WindowsTemplateWrite::CheckReplaceable(const TemplatePart& part, std::string& error) const
{
    std::vector<const char*> names = part.files;
    names.insert(names.end(), part.extras.begin(), part.extras.end());
    for (const char* name : names) {
        const std::wstring path = Join(Join(m_folder, part.folder), name);
        const std::string shown = Shown(std::string(part.folder) + "\\" + name);
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            continue;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            error = shown + ": is a folder; cannot replace it";
            return false;
        }
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            error = shown + ": is read-only; --force replaces no read-only file (clear its read-only attribute first)";
            return false;
        }
        // Replacing a file needs it opened for deletion: one held open
        // without sharing cannot be.
        const Handle deletable(::CreateFileW(path.c_str(), DELETE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!deletable.Valid() && ::GetLastError() == ERROR_SHARING_VIOLATION) {
            error = shown + ": is open in another program, which shares it with nobody; it cannot be replaced now";
            return false;
        }
    }
    return true;
}

std::unique_ptr<WindowsTemplateWrite> WindowsTemplateWrite::Begin(const std::string& folder,
                                                                  const std::string& shownFolder, TemplateFormat format,
                                                                  bool replace, std::string& error)
{
    std::unique_ptr<WindowsTemplateWrite> write(new WindowsTemplateWrite);
    write->m_format = format;
    write->m_shownFolder = shownFolder;
    if (!write->OpenFolder(folder, error))
        return nullptr;

    if (write->m_made.empty()) {
        RemoveStaleStaging(write->m_folder);
        bool holds = false;
        std::string reason;
        if (!HoldsAnything(write->m_folder, holds, reason)) {
            error = shownFolder + ": cannot be listed: " + reason;
            return nullptr;
        }
        if (holds && !replace) {
            error = shownFolder + ": already exists and is not empty (--force replaces the template in it)";
            return nullptr;
        }
    }

    if (!write->HoldPart(k2007Part, write->m_keyinOskel, error) || !write->HoldPart(k2005Part, write->m_layout, error))
        return nullptr;
    if ((write->m_keyinOskel.Valid() && !write->CheckReplaceable(k2007Part, error)) ||
        (write->m_layout.Valid() && !write->CheckReplaceable(k2005Part, error)))
        return nullptr;

    // Inside DIR, so that the moves stay on one volume.
    static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters / sizeof kLetters[0] - 2);
    for (int attempt = 0; attempt < 100 && !write->m_lock.Valid(); ++attempt) {
        std::wstring name = kStagingPrefix;
        for (std::size_t i = 0; i < kStagingSuffixLength; ++i)
            name += kLetters[pick(entropy)];
        const std::wstring staging = Join(write->m_folder, name);
        if (!::CreateDirectoryW(staging.c_str(), nullptr)) {
            if (::GetLastError() == ERROR_ALREADY_EXISTS)
                continue;
            break;
        }
        write->m_staging = staging;
        write->m_lock = Handle(::CreateFileW(Join(staging, kLockName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    }
    if (!write->m_lock.Valid()) {
        error = shownFolder + ": cannot make a folder to write the template in: " + LastError();
        return nullptr;
    }
    SetInterruptCleanUp([](const void*) {}, write.get());
    return write;
}

WindowsTemplateWrite::~WindowsTemplateWrite()
{
    m_lock.Close();
    if (!m_staging.empty())
        RemoveStaging(m_staging);
    // Folders made for the template go again when it was not written, the
    // innermost first, each only when empty.
    m_folderHandle.Close();
    if (!m_committed)
        for (auto made = m_made.rbegin(); made != m_made.rend(); ++made)
            ::RemoveDirectoryW(made->c_str());
    SetInterruptCleanUp(nullptr, nullptr);
}

std::string WindowsTemplateWrite::AsWrittenInFolder(std::string message) const
{
    const std::string staging = AnsiFromWideLossy(m_staging);
    for (std::size_t at = message.find(staging); at != std::string::npos; at = message.find(staging, at))
        message.replace(at, staging.size(), m_shownFolder);
    return message;
}

bool WindowsTemplateWrite::Commit(std::string& error)
{
    const TemplatePart& part = PartOf(m_format);
    Handle& existing = m_format == TemplateFormat::k2007 ? m_keyinOskel : m_layout;
    const auto fail = [&](const std::string& what) {
        error = m_shownFolder + ": cannot move the new template into place: " + what;
        return false;
    };

    const std::wstring target = Join(m_folder, part.folder);
    const std::wstring source = Join(m_staging, part.folder);
    if (!existing.Valid()) {
        // The whole folder moves in at once; over anything that has appeared
        // since Begin the move fails.
        if (!::MoveFileExW(source.c_str(), target.c_str(), 0))
            return fail(std::string(part.folder) + ": " + LastError());
    } else {
        for (const char* extra : part.extras)
            if (!::DeleteFileW(Join(target, extra).c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
                return fail(std::string(part.folder) + "\\" + extra + ": cannot remove: " + LastError());
        // A link in place of a file is replaced itself: a rename never
        // follows the name it replaces.
        for (const char* name : part.files)
            if (!::MoveFileExW(Join(source, name).c_str(), Join(target, name).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return fail(std::string(part.folder) + "\\" + name + ": " + LastError());
    }
    m_committed = true;

    // The other format's files go, the marker first; their folder goes when
    // that leaves it empty.
    const TemplatePart& other = OtherPart(m_format);
    Handle& old = m_format == TemplateFormat::k2007 ? m_layout : m_keyinOskel;
    if (old.Valid()) {
        const std::wstring otherFolder = Join(m_folder, other.folder);
        std::vector<const char*> names(other.files.rbegin(), other.files.rend());
        names.insert(names.end(), other.extras.begin(), other.extras.end());
        for (const char* name : names) {
            if (!::DeleteFileW(Join(otherFolder, name).c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
                error = m_shownFolder + "\\" + other.folder + "\\" + name + ": cannot remove: " + LastError();
                return false;
            }
        }
        old.Close();
        ::RemoveDirectoryW(otherFolder.c_str());  // a folder that still holds something stays
    }
    return true;
}

}  // namespace

std::unique_ptr<TemplateWrite> TemplateWrite::Begin(const std::string& folder, const std::string& shownFolder,
                                                    TemplateFormat format, bool replace, std::string& error)
{
    return WindowsTemplateWrite::Begin(folder, shownFolder, format, replace, error);
}

}  // namespace layouttool
