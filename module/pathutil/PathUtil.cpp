// Path helpers: the string rules for backslash-separated paths, and the file-system queries built
// on the C run-time's _stat and _findfirst/_findnext/_findclose.

#include "pathutil/PathUtil.h"

#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Status of a path: false when the query fails, otherwise the mode in mode.
bool QueryMode(const std::string& path, unsigned short& mode)
{
	struct _stat status;
	if (_stat(path.c_str(), &status) != 0)
		return false;
	mode = status.st_mode;
	return true;
}

// The pattern that lists every entry of a folder: "D:\\lib" => "D:\\lib\\*.*".
std::string SearchPattern(const std::string& folder)
{
	std::string pattern = folder;
	if (!pattern.empty() && pattern[pattern.size() - 1] != '\\')
		pattern += '\\';
	pattern += "*.*";
	return pattern;
}

bool ConsistsOfBackslashes(const std::string& path)
{
	return !path.empty() && path.find_first_not_of('\\') == std::string::npos;
}

// A directory search, closed when it goes out of scope.
class CFindSearch
{
public:
	CFindSearch(const std::string& pattern, struct _finddata_t& record) : m_handle(_findfirst(pattern.c_str(), &record))
	{}
	~CFindSearch()
	{
		if (m_handle != -1)
			_findclose(m_handle);
	}
	CFindSearch(const CFindSearch&) = delete;
	CFindSearch& operator=(const CFindSearch&) = delete;

	bool IsOpen() const { return m_handle != -1; }
	bool Next(struct _finddata_t& record) { return _findnext(m_handle, &record) == 0; }

private:
	intptr_t m_handle;
};

}  // namespace

std::string& NormalizePath(std::string& path)
{
	std::replace(path.begin(), path.end(), '/', '\\');
	if (path.empty())
		return path;

	const std::string::size_type last = path.find_last_not_of('\\');
	if (last == std::string::npos || path[last] == ':')
		return path;
	if (path[path.size() - 1] == '\\')
		path.erase(path.size() - 1);
	return path;
}

void SplitPath(const std::string& path, std::string& parent, std::string& name)
{
	// Built apart first: parent or name may be the very string passed as path.
	std::string parentPart;
	std::string namePart;

	const std::string::size_type last = path.find_last_not_of('\\');
	if (last == std::string::npos)
	{
		parentPart = path;
	}
	else
	{
		const std::string::size_type separator = path.find_last_of('\\', last);
		if (separator == std::string::npos)
		{
			namePart = path.substr(0, last + 1);
		}
		else
		{
			namePart = path.substr(separator + 1, last - separator);
			const std::string::size_type parentEnd = path.find_last_not_of('\\', separator);
			// Nothing but backslashes before the name: they are the parent, unchanged.
			parentPart = path.substr(0, parentEnd == std::string::npos ? separator + 1 : parentEnd + 1);
		}
	}
	parent.swap(parentPart);
	name.swap(namePart);
}

std::string JoinPath(const std::string& first, const std::string& second)
{
	// Head: first without its trailing backslashes, unless it has nothing else.
	const std::string::size_type headEnd = first.find_last_not_of('\\');
	const std::string::size_type headLength = headEnd == std::string::npos ? first.size() : headEnd + 1;
	// Tail: second without its leading backslashes, unless it has nothing else.
	const std::string::size_type tailStart = second.find_first_not_of('\\');
	const std::string::size_type tailOffset = tailStart == std::string::npos ? 0 : tailStart;

	if (second.empty())
		return first.substr(0, headLength);
	if (first.empty())
		return second.substr(tailOffset);

	// Built in one piece: the walk joins a path for every entry of a folder.
	std::string joined;
	joined.reserve(headLength + 1 + second.size() - tailOffset);
	joined.append(first, 0, headLength);
	// A part of backslashes only already holds the separator: "\" and "lib" give "\lib", not
	// the network path "\\lib"; "lib" and "\" give "lib\".
	if (headEnd != std::string::npos && tailStart != std::string::npos)
		joined += '\\';
	joined.append(second, tailOffset, std::string::npos);
	return joined;
}

bool IsFile(const std::string& path)
{
	unsigned short mode = 0;
	return QueryMode(path, mode) && (mode & _S_IFREG) != 0;
}

bool IsDirectory(const std::string& path)
{
	unsigned short mode = 0;
	if (QueryMode(path, mode))
		return (mode & _S_IFDIR) != 0;
	// Some run-times answer a folder only with a trailing separator: ask once more with one.
	if (path.empty() || path[path.size() - 1] == '\\')
		return false;
	return QueryMode(path + '\\', mode) && (mode & _S_IFDIR) != 0;
}

bool IsEmptyDirectory(const std::string& path)
{
	// The search stops at the first other entry: on a share, the rest of a
	// large folder's listing would be fetched for nothing.
	struct _finddata_t record;
	CFindSearch search(SearchPattern(path), record);
	if (!search.IsOpen())
		return true;
	do
	{
		if (std::strcmp(record.name, ".") != 0 && std::strcmp(record.name, "..") != 0)
			return false;
	} while (search.Next(record));
	return true;
}

std::vector<std::string> ListDirectory(const std::string& path)
{
	std::vector<std::string> names;
	struct _finddata_t record;
	CFindSearch search(SearchPattern(path), record);
	if (!search.IsOpen())
		return names;
	do
	{
		names.push_back(record.name);
	} while (search.Next(record));
	return names;
}

bool CollectEntries(const std::string& root, std::list<std::string>& folders, std::list<std::string>& files)
{
	// One trailing backslash goes (D:\ becomes D:), unless the root is backslashes only: "\" is a
	// folder, "" names nothing.
	std::string start = root;
	if (!start.empty() && start[start.size() - 1] == '\\' && !ConsistsOfBackslashes(start))
		start.erase(start.size() - 1);

	unsigned short mode = 0;
	if (!QueryMode(start, mode))
		return false;

	if (!IsDirectory(start))
	{
		files.push_back(start);
		return true;
	}

	folders.push_back(start);
	const std::vector<std::string> names = ListDirectory(start);
	for (std::vector<std::string>::const_iterator name = names.begin(); name != names.end(); ++name)
	{
		if (*name == "." || *name == "..")
			continue;
		std::string entry = JoinPath(start, *name);
		if (IsDirectory(entry))
			folders.push_back(std::move(entry));
		else
			files.push_back(std::move(entry));
	}
	return true;
}
