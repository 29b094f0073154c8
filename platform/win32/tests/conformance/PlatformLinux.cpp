// The conformance program on Linux: the stand-ins of platform/win32, which
// follow Windows, never Wine.
#include "Conformance.h"

namespace conformance {

bool RunningOnWine() { return false; }

}  // namespace conformance
