// Extensions of the class library. Of them this stand-in has only what
// extension modules need, the AFX_EXT_* export macros, which <afx.h> defines.
#pragma once

#include <afxwin.h>
