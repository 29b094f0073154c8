// Resource ids of the conformance program (conformance.rc).
#pragma once

#define IDD_STACKUP         100  // the module's dialog: OK, Cancel, a drop-down, labels, a disabled list view
#define IDD_STACKUP_VISIBLE 101  // the same with WS_VISIBLE
#define IDD_GATED           102  // OK (default) and Cancel both disabled, a push button between them
#define IDD_NO_DEFAULT      103  // two push buttons, neither the default, and no IDOK or IDCANCEL
#define IDD_MISSING         199  // no such template

#define IDI_CONFORMANCE 200  // 16 x 16 and 32 x 32 images

#define IDR_DATA 300  // RCDATA in English (United States), neutral and German

#define IDC_COMBO  2001
#define IDC_LIST   2002
#define IDC_LABEL  2003
#define IDC_OTHER  2004
#define IDC_FIRST  2005
#define IDC_SECOND 2006

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
