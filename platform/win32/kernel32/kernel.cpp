// Kernel odds and ends: the thread's last error, MulDiv.
//
// Not implemented: thread and process ids (GetCurrentThreadId, GetCurrentProcessId).
#include <windows.h>

#include <cstdint>

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

DWORD WINAPI GetLastError(void) { return lastError; }

void WINAPI SetLastError(DWORD error) { lastError = error; }

// Windows rounds the 64-bit intermediate to the nearest integer, halves away
// from zero, and answers -1 for a zero denominator or a result beyond 32 bits.
int WINAPI MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    int64_t product = static_cast<int64_t>(number) * numerator;
    int64_t divisor = denominator;
    if (divisor < 0) {
        divisor = -divisor;
        product = -product;
    }
    const int64_t half = divisor / 2;
    const int64_t result = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return static_cast<int>(result);
}
