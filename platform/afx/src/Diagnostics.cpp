// ASSERT and TRACE of the class library: a failed assertion is reported on
// stderr and aborts; traces go to the debugger's output (OutputDebugString)
// on Windows and to stderr, this platform's debug output, on Linux.

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
#if defined(_WIN32)
	char message[1024];
	std::vsnprintf(message, sizeof message, lpszFormat, args);
	::OutputDebugStringA(message);
#else
	std::vfprintf(stderr, lpszFormat, args);
#endif
	va_end(args);
}
