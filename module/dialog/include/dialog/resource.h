// Resource identifiers of the Import Layout Template module.
// Included by the resource script and by the dialog's code.
#pragma once

#define IDD_IMPORT_LAYOUT_TEMPLATE 2004
#define IDI_IMPORT_LAYOUT_TEMPLATE 2008

#define IDC_COMBO1          2001
#define IDC_STACKUP_LIST    2002
#define IDC_CENTRAL_LIBRARY 2003
#define IDC_CONSTRAINT_SET  2007
#define IDC_LT_FORMAT       2010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
