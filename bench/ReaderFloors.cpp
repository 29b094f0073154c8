// Floors of the two stack-up readers on SQLite and inih, reading their files as the least reader
// does: the design database through the floors' file layer (FloorVfs.h), the job-preferences file
// in one read.
#include "ReaderFloors.h"

#include <commctrl.h>
#include <ini.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "FloorVfs.h"

namespace bench {
namespace {

class Rows {
public:
    explicit Rows(HWND list) : m_list(list) { ::SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0); }

    void Append(const char* name, const char* usage)
    {
        char number[16];
        std::snprintf(number, sizeof number, "%d", m_count + 1);
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = m_count;
        item.pszText = number;
        ::SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SetText(1, name);
        SetText(2, usage);
        ++m_count;
    }

    int Count() const { return m_count; }

private:
    void SetText(int column, const char* text)
    {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text);
        ::SendMessageA(m_list, LVM_SETITEMTEXTA, m_count, reinterpret_cast<LPARAM>(&item));
    }

    HWND m_list;
    int m_count = 0;
};

const char kConductors[] =
    "SELECT l.name, c.value FROM snapshot AS s"
    " JOIN trel_config AS f ON f.snapshot_id = s.id AND f.name = 'PCB'"
    " JOIN trel_design AS d ON d.config_id = f.id"
    " JOIN trel_layer AS l ON l.design_id = d.id AND l.type = 0"
    " LEFT JOIN trel_constraint AS c ON c.layer_id = l.id AND c.name = 'LAYER_USAGE'"
    " WHERE s.name = 'PCB' ORDER BY l.metal_number, l.position";

struct Layer2005 {
    int type = -1;
    int number = -1;
};

struct Parsed2005 {
    int layerCount = 0;
    std::vector<Layer2005> layers;
};

int OnIniValue(void* user, const char* section, const char* name, const char* value)
{
    Parsed2005& parsed = *static_cast<Parsed2005*>(user);
    if (strcasecmp(section, "Corvane") == 0) {
        if (strcasecmp(name, "LayerCount") == 0) {
            parsed.layerCount = std::atoi(value);
            parsed.layers.resize(static_cast<std::size_t>(parsed.layerCount) + 1);
        }
        return 1;
    }
    if (strncasecmp(section, "Layer ", 6) != 0)
        return 1;
    const int index = std::atoi(section + 6);
    if (index < 1 || index > parsed.layerCount)
        return 1;
    if (strcasecmp(name, "Type") == 0)
        parsed.layers[static_cast<std::size_t>(index)].type = std::atoi(value);
    else if (strcasecmp(name, "Number") == 0)
        parsed.layers[static_cast<std::size_t>(index)].number = std::atoi(value);
    return 1;
}

// The least a reader of the whole file does: open, its size, one read, close.
bool ReadWhole(const std::string& path, std::string& text)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat status {};
    bool read = false;
    if (::fstat(descriptor, &status) == 0) {
        text.resize(static_cast<std::size_t>(status.st_size));
        read = ::read(descriptor, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }
    ::close(descriptor);
    return read;
}

}  // namespace

int Floor2007Read(const std::string& nativeDesignDb, HWND list)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(ImmutableUri(nativeDesignDb).c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                        FloorVfsName()) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return -1;
    }
    sqlite3_stmt* query = nullptr;
    int rows = -1;
    if (sqlite3_prepare_v2(db, kConductors, -1, &query, nullptr) == SQLITE_OK) {
        Rows shown(list);
        while (sqlite3_step(query) == SQLITE_ROW) {
            const unsigned char* usage = sqlite3_column_text(query, 1);
            shown.Append(reinterpret_cast<const char*>(sqlite3_column_text(query, 0)),
                         usage != nullptr ? reinterpret_cast<const char*>(usage) : "");
        }
        rows = shown.Count();
    }
    sqlite3_finalize(query);
    sqlite3_close_v2(db);
    return rows;
}

int Floor2005Read(const std::string& nativeCorvane, HWND list)
{
    std::string text;
    if (!ReadWhole(nativeCorvane, text))
        return -1;
    Parsed2005 parsed;
    if (ini_parse_string(text.c_str(), OnIniValue, &parsed) != 0)
        return -1;

    Rows shown(list);
    for (int index = 1; index <= parsed.layerCount; ++index) {
        const Layer2005& layer = parsed.layers[static_cast<std::size_t>(index)];
        if ((layer.type != 0 && layer.type != 1) || layer.number < 0)
            continue;
        char name[32];
        std::snprintf(name, sizeof name, "%s_%d", layer.type == 0 ? "PLANE" : "SIGNAL", layer.number);
        shown.Append(name, layer.type == 0 ? "Plane" : "Signal");
    }
    return shown.Count();
}

}  // namespace bench
