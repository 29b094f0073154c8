// ASSERT and TRACE of the class library: reports go to stderr, the debug
// output of this platform.

#include <afx.h>

#include <cstdio>
#include <cstdlib>

void AFXAPI AfxAssertFailedLine(const char* lpszFileName, int nLine)
{
	std::fprintf(stderr, "%s(%d): assertion failed\n", lpszFileName, nLine);
	std::fflush(stderr);
	std::abort();
}

void AFX_CDECL AfxTrace(const char* lpszFormat, ...)
{
	va_list args;
	va_start(args, lpszFormat);
	std::vfprintf(stderr, lpszFormat, args);
	va_end(args);
}
