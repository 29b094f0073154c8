// Core of the class library stand-in: configuration macros, diagnostics,
// CObject with run-time class information, and CString.
//
// Not implemented: serialisation (CArchive, DECLARE_SERIAL), dynamic creation
// (DECLARE_DYNCREATE), collections, exceptions, CTime, CFile, Unicode strings.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

// ---- Configuration ------------------------------------------------------

// On Windows the class library is a DLL and an extension module another:
// classes and functions cross between them through dllexport/dllimport. On
// Linux both are shared libraries built with hidden visibility, which export
// what carries default visibility.
#if defined(_WIN32)
#define AFX_CLASS_EXPORT __declspec(dllexport)
#define AFX_CLASS_IMPORT __declspec(dllimport)
#define AFX_API_EXPORT   __declspec(dllexport)
#define AFX_API_IMPORT   __declspec(dllimport)
#define AFX_DATA_EXPORT  __declspec(dllexport)
#define AFX_DATA_IMPORT  __declspec(dllimport)
#else
#define AFX_CLASS_EXPORT __attribute__((visibility("default")))
#define AFX_CLASS_IMPORT __attribute__((visibility("default")))
#define AFX_API_EXPORT   __attribute__((visibility("default")))
#define AFX_API_IMPORT   __attribute__((visibility("default")))
#define AFX_DATA_EXPORT  __attribute__((visibility("default")))
#define AFX_DATA_IMPORT  __attribute__((visibility("default")))
#endif

// The class library's own classes and functions: exported while the library
// itself is built (AFX_BUILDING_LIBRARY), imported by everyone else.
#if defined(AFX_BUILDING_LIBRARY)
#define AFX_CORE_CLASS AFX_CLASS_EXPORT
#define AFX_API        AFX_API_EXPORT
#define AFX_DATA       AFX_DATA_EXPORT
#else
#define AFX_CORE_CLASS AFX_CLASS_IMPORT
#define AFX_API        AFX_API_IMPORT
#define AFX_DATA       AFX_DATA_IMPORT
#endif

// What an extension module marks AFX_EXT_CLASS it exports while it is built
// (_AFXEXT); a program or module that uses it imports it.
#if defined(_AFXEXT)
#define AFX_EXT_CLASS AFX_CLASS_EXPORT
#define AFX_EXT_API   AFX_API_EXPORT
#define AFX_EXT_DATA  AFX_DATA_EXPORT
#else
#define AFX_EXT_CLASS AFX_CLASS_IMPORT
#define AFX_EXT_API   AFX_API_IMPORT
#define AFX_EXT_DATA  AFX_DATA_IMPORT
#endif
#define AFX_EXT_DATADEF

// Calling conventions are no-ops on this platform.
#define AFXAPI
#define AFX_CDECL
#define AFX_MSG_CALL
#ifndef PASCAL
#define PASCAL
#endif

#define AFX_NOVTABLE
#define AFX_COMDAT
#define AFX_INLINE inline
#define afx_msg

// ---- Diagnostics ----------------------------------------------------------
// A failed ASSERT reports file and line on stderr and aborts, as the debug
// class library stops in its assertion dialog; TRACE writes to stderr (the
// debugger's output window of this platform). With NDEBUG both vanish, and
// VERIFY still evaluates its expression.

AFX_API void AFXAPI AfxAssertFailedLine(const char* lpszFileName, int nLine);
AFX_API void AFX_CDECL AfxTrace(const char* lpszFormat, ...) __attribute__((format(printf, 1, 2)));

#ifndef NDEBUG
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#define TRACE     AfxTrace
#else
#define ASSERT(f)  ((void)0)
#define VERIFY(f)  ((void)(f))
#define TRACE(...) ((void)0)
#endif
#define ASSERT_VALID(pOb) ((void)0)
#define DEBUG_NEW         new

// ---- Run-time class information -------------------------------------------

class CObject;
struct CRuntimeClass;

// The record of one class. Every record is a constant-initialised static, so
// records of classes in different shared libraries are usable before any
// dynamic initialiser has run.
struct AFX_CORE_CLASS CRuntimeClass
{
	LPCSTR m_lpszClassName;
	int m_nObjectSize;
	UINT m_wSchema;                               // 0xFFFF: not serialisable
	CObject*(PASCAL* m_pfnCreateObject)();        // NULL: not creatable by name
	CRuntimeClass*(PASCAL* m_pfnGetBaseClass)();  // NULL for CObject

	// NULL when the class has no creation function.
	CObject* CreateObject() const;
	// TRUE when this class is pBaseClass or derives from it.
	BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
	// The record of a class registered with AFX_CLASSINIT: the application's
	// classes first, then those of each extension module; NULL if none.
	static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
};

// Registers a class by name in the current module state (see AfxClassInit).
// A static object of this type lives in the module that registers the class
// and is the link of the registration list.
struct AFX_CORE_CLASS AFX_CLASSINIT
{
	explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);

	CRuntimeClass* m_pClass;
	AFX_CLASSINIT* m_pNext;
};

#define _RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))
#define RUNTIME_CLASS(class_name)  (class_name::GetThisClass())

// The class library's layout of these macros.
// clang-format off
#define DECLARE_DYNAMIC(class_name) \
protected: \
	static CRuntimeClass* PASCAL _GetBaseClass(); \
public: \
	static const CRuntimeClass class##class_name; \
	static CRuntimeClass* PASCAL GetThisClass(); \
	virtual CRuntimeClass* GetRuntimeClass() const;

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
	CRuntimeClass* PASCAL class_name::_GetBaseClass() \
		{ return RUNTIME_CLASS(base_class_name); } \
	AFX_COMDAT const CRuntimeClass class_name::class##class_name = { \
		#class_name, sizeof(class class_name), wSchema, pfnNew, \
		&class_name::_GetBaseClass }; \
	[[maybe_unused]] CRuntimeClass* PASCAL class_name::GetThisClass() \
		{ return _RUNTIME_CLASS(class_name); } \
	[[maybe_unused]] CRuntimeClass* class_name::GetRuntimeClass() const \
		{ return _RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
	IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)
// clang-format on

// pObject as class_name*, or NULL when it is NULL or not of that class.
#define DYNAMIC_DOWNCAST(class_name, pObject) \
	(static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), pObject)))
#define STATIC_DOWNCAST(class_name, pObject) (static_cast<class_name*>(pObject))

class AFX_CORE_CLASS CObject
{
public:
	virtual CRuntimeClass* GetRuntimeClass() const;
	virtual ~CObject() = 0;

	BOOL IsKindOf(const CRuntimeClass* pClass) const;

	static const CRuntimeClass classCObject;
	static CRuntimeClass* PASCAL GetThisClass();

protected:
	CObject() = default;

private:
	CObject(const CObject&) = delete;
	CObject& operator=(const CObject&) = delete;
};

AFX_API CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);

// ---- CString ----------------------------------------------------------------
// A narrow string with value semantics. A NULL LPCSTR reads as "".

class AFX_CORE_CLASS CString
{
public:
	CString();
	CString(const CString& stringSrc);
	CString(CString&& stringSrc) noexcept;
	CString(LPCSTR lpsz);
	CString(LPCSTR lpch, int nLength);
	CString(char ch, int nRepeat = 1);
	~CString();

	CString& operator=(const CString& stringSrc);
	CString& operator=(CString&& stringSrc) noexcept;
	CString& operator=(LPCSTR lpsz);
	CString& operator=(char ch);

	CString& operator+=(const CString& string);
	CString& operator+=(LPCSTR lpsz);
	CString& operator+=(char ch);

	int GetLength() const { return static_cast<int>(m_data.size()); }
	BOOL IsEmpty() const { return m_data.empty() ? TRUE : FALSE; }
	void Empty() { m_data.clear(); }

	LPCSTR GetString() const { return m_data.c_str(); }
	operator LPCSTR() const { return m_data.c_str(); }

	// Out-of-range indexes read as '\0' and are ignored by SetAt.
	char GetAt(int nIndex) const;
	char operator[](int nIndex) const { return GetAt(nIndex); }
	void SetAt(int nIndex, char ch);

	// Lexical comparison of the bytes (as unsigned char), like strcmp.
	int Compare(LPCSTR lpsz) const;
	int CompareNoCase(LPCSTR lpsz) const;

	// Index of the first occurrence at or after nStart; -1 when there is none.
	int Find(char ch, int nStart = 0) const;
	int Find(LPCSTR lpszSub, int nStart = 0) const;
	// Substrings; counts and positions are clamped to the string.
	CString Left(int nCount) const;
	CString Mid(int nFirst) const;
	CString Mid(int nFirst, int nCount) const;
	CString Right(int nCount) const;

	// A writable buffer of at least nMinBufLength characters plus a
	// terminator, holding the current text. Call ReleaseBuffer before any
	// other member: it takes the length of what was written (up to the first
	// '\0' when nNewLength is -1).
	LPSTR GetBuffer(int nMinBufLength);
	LPSTR GetBufferSetLength(int nNewLength);
	void ReleaseBuffer(int nNewLength = -1);

	// printf-style formatting. The format is the caller's literal; data goes
	// in as arguments, so a '%' in the data is copied like any character.
	void Format(LPCSTR lpszFormat, ...) __attribute__((format(printf, 2, 3)));
	void AppendFormat(LPCSTR lpszFormat, ...) __attribute__((format(printf, 2, 3)));
	void FormatV(LPCSTR lpszFormat, va_list args) __attribute__((format(printf, 2, 0)));
	void AppendFormatV(LPCSTR lpszFormat, va_list args) __attribute__((format(printf, 2, 0)));

private:
	std::string m_data;
};

AFX_API CString AFXAPI operator+(const CString& string1, const CString& string2);
AFX_API CString AFXAPI operator+(const CString& string, LPCSTR lpsz);
AFX_API CString AFXAPI operator+(LPCSTR lpsz, const CString& string);
AFX_API CString AFXAPI operator+(const CString& string, char ch);
AFX_API CString AFXAPI operator+(char ch, const CString& string);

inline bool operator==(const CString& s1, const CString& s2)
{
	return s1.Compare(s2) == 0;
}
inline bool operator==(const CString& s1, LPCSTR s2)
{
	return s1.Compare(s2) == 0;
}
inline bool operator==(LPCSTR s1, const CString& s2)
{
	return s2.Compare(s1) == 0;
}
inline bool operator!=(const CString& s1, const CString& s2)
{
	return s1.Compare(s2) != 0;
}
inline bool operator!=(const CString& s1, LPCSTR s2)
{
	return s1.Compare(s2) != 0;
}
inline bool operator!=(LPCSTR s1, const CString& s2)
{
	return s2.Compare(s1) != 0;
}
inline bool operator<(const CString& s1, const CString& s2)
{
	return s1.Compare(s2) < 0;
}
inline bool operator<(const CString& s1, LPCSTR s2)
{
	return s1.Compare(s2) < 0;
}
inline bool operator<(LPCSTR s1, const CString& s2)
{
	return s2.Compare(s1) > 0;
}
