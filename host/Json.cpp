// JSON text for the transcript.
#include "Json.h"

namespace ilt {

std::string JsonStringArray(const std::vector<std::string>& items)
{
    std::string json = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            json += ',';
        json += JsonString(items[i]);
    }
    return json + "]";
}

}  // namespace ilt
