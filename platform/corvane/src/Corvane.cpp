// CCorvane: the job-preferences database object of CorvanePI.
//
// States and the calls that move between them:
//
//   created --Init--> initialised --Load--> loaded
//      ^                  |                   |
//      +------Close-------+-------Close-------+
//
//   created      Init succeeds; Load fails (NOT_INITIALISED); GetLayerCount and FindLayer fail
//                (NOT_LOADED); Close does nothing. A new object starts here.
//   initialised  Load; a failed Load leaves the object here, so Load may be tried again.
//                Init fails (ALREADY_INITIALISED); GetLayerCount and FindLayer fail (NOT_LOADED).
//   loaded       GetLayerCount and FindLayer answer from the copy of the file read by Load; the
//                file itself is closed again before Load returns. Init fails
//                (ALREADY_INITIALISED), Load fails (ALREADY_LOADED).
// Close drops the loaded contents and returns the object to "created"; closing twice is harmless.
// Layer records own copies of their values, so they outlive Close and the object.
//
// Every call is entered in the stand-in's call log, then an injected failure, if any, is returned
// before anything else happens. No exception leaves a call: running out of memory is a status.

#include <CorvanePI.h>

#include <new>

#include "Document.h"
#include "Hooks.h"

namespace {

enum State { kCreated, kInitialised, kLoaded };

using standin::corvane::Operation;

template <typename Body>
long Guarded(Body body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return CORVANE_E_OUT_OF_MEMORY;
    } catch (...) {
        return CORVANE_E_INTERNAL;
    }
}

long LayerCountOf(const CorvaneDocument& document, int* count)
{
    if (!document.layerCount)
        return CORVANE_E_LAYER_COUNT_MISSING;
    int value = 0;
    if (!corvane::ParseDecimalInt(*document.layerCount, &value))
        return CORVANE_E_LAYER_COUNT_MALFORMED;
    if (value < 0)
        return CORVANE_E_LAYER_COUNT_NEGATIVE;
    // A count of millions would keep a caller looping over absent layers for minutes.
    if (value > CORVANE_MAX_LAYER_COUNT)
        return CORVANE_E_LAYER_COUNT_TOO_LARGE;
    *count = value;
    return CORVANE_S_OK;
}

// Status and value of one key of a layer.
void ReadLayerKey(const std::optional<std::string>& text, long* status, int* value)
{
    *value = 0;
    if (!text) {
        *status = CORVANE_E_KEY_MISSING;
    } else if (!corvane::ParseDecimalInt(*text, value)) {
        *status = CORVANE_E_KEY_MALFORMED;
    } else {
        *status = CORVANE_S_OK;
    }
}

}  // namespace

CCorvane::CCorvane() : m_state(kCreated) { corvane::LogCall("CCorvane"); }

CCorvane::~CCorvane() { corvane::LogCall("~CCorvane"); }

long CCorvane::Init()
{
    corvane::LogCall("Init");
    if (const long injected = corvane::InjectedFailure(Operation::Init))
        return injected;
    if (m_state != kCreated)
        return CORVANE_E_ALREADY_INITIALISED;
    m_state = kInitialised;
    return CORVANE_S_OK;
}

long CCorvane::Load(const char* path, int mode)
{
    corvane::LogCall("Load");
    if (const long injected = corvane::InjectedFailure(Operation::Load))
        return injected;
    if (m_state == kCreated)
        return CORVANE_E_NOT_INITIALISED;
    if (m_state == kLoaded)
        return CORVANE_E_ALREADY_LOADED;
    if (path == nullptr)
        return CORVANE_E_NULL_ARGUMENT;
    if (mode != 1)
        return CORVANE_E_BAD_MODE;
    return Guarded([&] {
        auto document = std::make_unique<CorvaneDocument>();
        const long status = corvane::ReadDocumentFile(path, document.get());
        if (status != CORVANE_S_OK)
            return status;
        m_document = std::move(document);
        m_state = kLoaded;
        return CORVANE_S_OK;
    });
}

long CCorvane::GetLayerCount(int* count)
{
    corvane::LogCall("GetLayerCount");
    if (count != nullptr)
        *count = 0;
    if (const long injected = corvane::InjectedFailure(Operation::GetLayerCount))
        return injected;
    if (m_state != kLoaded)
        return CORVANE_E_NOT_LOADED;
    if (count == nullptr)
        return CORVANE_E_NULL_ARGUMENT;
    return LayerCountOf(*m_document, count);
}

long CCorvane::FindLayer(CCorvaneLayer* layer, int index)
{
    corvane::LogFindLayer(index);
    if (layer != nullptr) {
        layer->m_typeStatus = layer->m_numberStatus = CORVANE_E_LAYER_EMPTY;
        layer->m_type = layer->m_number = 0;
    }
    if (const long injected = corvane::InjectedFailure(Operation::FindLayer, index))
        return injected;
    if (m_state != kLoaded)
        return CORVANE_E_NOT_LOADED;
    if (layer == nullptr)
        return CORVANE_E_NULL_ARGUMENT;

    int count = 0;
    const long countStatus = LayerCountOf(*m_document, &count);
    if (countStatus != CORVANE_S_OK)
        return countStatus;
    if (index < 1 || index > count)
        return CORVANE_E_INDEX_OUT_OF_RANGE;
    const auto found = m_document->layers.find(index);
    if (found == m_document->layers.end())
        return CORVANE_E_NO_SUCH_LAYER;

    ReadLayerKey(found->second.type, &layer->m_typeStatus, &layer->m_type);
    ReadLayerKey(found->second.number, &layer->m_numberStatus, &layer->m_number);
    return CORVANE_S_OK;
}

void CCorvane::Close()
{
    corvane::LogCall("Close");
    m_document.reset();
    m_state = kCreated;
}
