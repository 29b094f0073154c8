/* Master include of the Win32 stand-in: base types, kernel, window manager and
 * code-page conversion.  Safe under RC_INVOKED (only macros remain), so resource
 * scripts may include it.
 */
#pragma once

#include <winnt.h>
#include <windef.h>
#include <winerror.h>
#include <winbase.h>
#include <winuser.h>
#include <wingdi.h>
#include <winnls.h>
