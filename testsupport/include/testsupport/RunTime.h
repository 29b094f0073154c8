// How the C run-time of this build answers the path queries where the Linux stand-in
// (platform/crt) and the Windows build's run-time give different answers. Tests that run on both
// builds expect these values, so each difference is asserted, never hidden.
#pragma once

namespace testsupport::runtime {

#if defined(_WIN32)
// _stat("X:") fails with ENOENT: a bare drive designator names the drive's current folder, which
// _stat does not look up. Wine's msvcrt conformance test (dlls/msvcrt/tests/file.c, test_stat)
// asserts the same of Windows: stat("c:") returns -1 with ENOENT, stat("c:/") succeeds.
inline constexpr bool kStatAnswersBareDrive = false;
// The build defines __CRT__NO_INLINE, so <sys/stat.h>'s _stat (_stat64i32) is libmingwex's
// copy, which drops one trailing separator before it asks msvcrt.dll's _stat64: a folder and a
// file given with a trailing backslash are both found. (msvcrt.dll's own _stat64 refuses both but
// for a drive root "X:\", as the run-times before the Universal CRT are documented to.)
inline constexpr bool kStatAnswersFolderWithTrailingBackslash = true;
inline constexpr bool kStatAnswersFileWithTrailingBackslash = true;
#else
// The stand-in's choices: a bare "X:" is the root of mapped drive X (there is no current folder
// per drive), and a trailing backslash is accepted on a folder and refused on a file (as by the
// Universal CRT).
inline constexpr bool kStatAnswersBareDrive = true;
inline constexpr bool kStatAnswersFolderWithTrailingBackslash = true;
inline constexpr bool kStatAnswersFileWithTrailingBackslash = false;
#endif

}  // namespace testsupport::runtime
