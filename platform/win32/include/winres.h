/* What resource scripts include for the Windows definitions and IDC_STATIC. */
#pragma once

#include <windows.h>
#include <commctrl.h>

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
