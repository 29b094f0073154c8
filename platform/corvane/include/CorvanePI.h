// CorvanePI: client of the job-preferences database of a "2005" layout template (Layout\Corvane.cvn).
//
// Usage: construct a CCorvane, Init(), Load(path, 1), GetLayerCount(&n), then FindLayer(&record, i) for
// i = 1..n and ask the record for its kind and number; Close() after every successful Init().
// Every status is a long: CORVANE_S_OK (0) on success, one of the CORVANE_E_* codes below on failure.
// Out-values are passed by pointer; a null out pointer is a failure (CORVANE_E_NULL_ARGUMENT), and a
// failed call leaves its out-value unwritten, except GetLayerCount, which writes 0 (see there).
// No call throws.
//
// The file (an INI file): section and key names match ignoring ASCII case, section names also
// ignoring blanks around them; values are trimmed; a ';' after a blank starts a comment. Integers
// are decimal with an optional sign and nothing else, and must fit an int. The layer of index i is
// the section "Layer i": one space, i without sign or leading zeros. Unknown sections and keys are
// ignored, but no section and no key within a section may appear twice.
#pragma once

#include <memory>

#if defined(_WIN32) && defined(CORVANE_BUILDING_LIBRARY)
#define CORVANE_API __declspec(dllexport)
#elif defined(_WIN32)
#define CORVANE_API __declspec(dllimport)
#else
#define CORVANE_API __attribute__((visibility("default")))
#endif

// clang-format off
#define CORVANE_S_OK                      0L
// Order of calls
#define CORVANE_E_NOT_INITIALISED         1L   // Load on an object that is not initialised (new or closed)
#define CORVANE_E_ALREADY_INITIALISED     2L   // Init on an object that is initialised or loaded
#define CORVANE_E_ALREADY_LOADED          3L   // Load on an object that has loaded a file
#define CORVANE_E_NOT_LOADED              4L   // GetLayerCount / FindLayer without a successful Load
// Arguments
#define CORVANE_E_NULL_ARGUMENT           5L   // a pointer argument is null
#define CORVANE_E_BAD_MODE                6L   // Load mode other than 1 (read only)
// The file
#define CORVANE_E_FILE_NOT_FOUND         10L   // no such file (also: unmapped drive, a path component that is no folder)
#define CORVANE_E_FILE_UNREADABLE        11L   // the file exists but cannot be opened or read
#define CORVANE_E_NOT_A_FILE             12L   // the path names a folder, device or pipe
#define CORVANE_E_FILE_TOO_LARGE         13L   // larger than CORVANE_MAX_FILE_SIZE bytes
// INI syntax
#define CORVANE_E_SYNTAX                 20L   // a line that is no comment, [section] or name = value; empty name
#define CORVANE_E_LINE_TOO_LONG          21L   // a line longer than CORVANE_MAX_LINE bytes
#define CORVANE_E_BAD_BYTE               22L   // NUL or another control byte (tab and CR LF line ends are fine)
#define CORVANE_E_NAME_TOO_LONG          23L   // a section name longer than CORVANE_MAX_SECTION_NAME bytes
#define CORVANE_E_DUPLICATE_SECTION      24L   // a section header repeated (names compared ignoring ASCII case)
#define CORVANE_E_DUPLICATE_KEY          25L   // a key repeated within a section (ignoring ASCII case)
// Contents
#define CORVANE_E_NO_CORVANE_SECTION     30L   // no [Corvane] section
#define CORVANE_E_VERSION_INVALID        31L   // [Corvane] has no Version, or it is no integer
#define CORVANE_E_VERSION_UNSUPPORTED    32L   // Version is an integer other than 1
#define CORVANE_E_LAYER_COUNT_MISSING    40L   // [Corvane] has no LayerCount
#define CORVANE_E_LAYER_COUNT_MALFORMED  41L   // LayerCount is no integer
#define CORVANE_E_LAYER_COUNT_NEGATIVE   42L   // LayerCount < 0
#define CORVANE_E_LAYER_COUNT_TOO_LARGE  43L   // LayerCount > CORVANE_MAX_LAYER_COUNT
#define CORVANE_E_INDEX_OUT_OF_RANGE     44L   // FindLayer index outside 1..LayerCount
#define CORVANE_E_NO_SUCH_LAYER          45L   // no [Layer i] section for an index within range
// Layer records
#define CORVANE_E_LAYER_EMPTY            50L   // the record holds no layer (never filled, or its last FindLayer failed)
#define CORVANE_E_KEY_MISSING            51L   // the layer has no Type / Number
#define CORVANE_E_KEY_MALFORMED          52L   // its Type / Number is no integer
// Other
#define CORVANE_E_OUT_OF_MEMORY          90L
#define CORVANE_E_INTERNAL               91L   // an unexpected internal failure
#define CORVANE_E_INJECTED               99L   // default status of a failure injected by <standin/corvane.h>

// Limits of the file format.
#define CORVANE_MAX_FILE_SIZE            16777216L  // 16 MiB; a file of exactly this size is read
#define CORVANE_MAX_LINE                 198        // bytes of a line, without its line end
#define CORVANE_MAX_SECTION_NAME         48         // bytes between [ and ], blanks included
#define CORVANE_MAX_LAYER_COUNT          100000
// clang-format on

class CCorvaneLayer;
struct CorvaneDocument;

// The job-preferences database of one template.
class CORVANE_API CCorvane {
public:
    CCorvane();
    ~CCorvane();
    CCorvane(const CCorvane&) = delete;
    CCorvane& operator=(const CCorvane&) = delete;

    // Readies the object. Fails with CORVANE_E_ALREADY_INITIALISED when it is initialised or loaded.
    long Init();
    // Reads the job-preferences file `path` (a Windows path, backslashes and an optional drive).
    // `mode` must be 1 (read only). The file is opened for reading only, never created, changed or
    // locked. On failure the object stays initialised and Load may be tried again.
    long Load(const char* path, int mode);
    // The LayerCount of [Corvane]. On failure *count is set to 0, so that a loop over 1..count does
    // nothing when the status is not looked at.
    long GetLayerCount(int* count);
    // Fills `layer` with the section [Layer index]. On failure the record is emptied.
    long FindLayer(CCorvaneLayer* layer, int index);
    // Ends the use of the loaded file and returns the object to its just-constructed state: only
    // Init works afterwards. Harmless on an object that is not initialised, and when repeated.
    void Close();

private:
    int m_state;
    std::unique_ptr<CorvaneDocument> m_document;
};

// One layer of the database: a copy of what FindLayer read; it stays valid after the CCorvane it
// came from is closed or destroyed.
class CORVANE_API CCorvaneLayer {
public:
    // Any int is a possible stored value, hence the fixed underlying type.
    enum eLayerType : int {
        eLayerPlane = 0,
        eLayerSignal = 1,
        eLayerDielectric = 2,
    };

    CCorvaneLayer();
    ~CCorvaneLayer();
    CCorvaneLayer(const CCorvaneLayer&) = default;
    CCorvaneLayer& operator=(const CCorvaneLayer&) = default;

    // The layer's Type, stored as is (any int).
    long GetLayerTypeValue(eLayerType* type);
    // The layer's Number; it need not equal the layer's index.
    long GetLayerNumber(int* number);

private:
    friend class CCorvane;

    long m_typeStatus;  // CORVANE_S_OK when m_type holds the Type
    int m_type;
    long m_numberStatus;  // CORVANE_S_OK when m_number holds the Number
    int m_number;
};
