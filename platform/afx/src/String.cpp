// CString: the class library's narrow string, over std::string.
//
// Not implemented: the Unicode and code-page conversions, Tokenize, Replace,
// Trim and the other editing members nothing here calls.

#include <afx.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

std::string FromPointer(LPCSTR lpsz)
{
	return lpsz != nullptr ? std::string(lpsz) : std::string();
}

// nFirst and nCount clamped to [0, length], as the class library does.
std::string Slice(const std::string& s, int nFirst, int nCount)
{
	const int length = static_cast<int>(s.size());
	nFirst = std::clamp(nFirst, 0, length);
	nCount = std::clamp(nCount, 0, length - nFirst);
	return s.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount));
}

// Appends the formatted text; on an encoding error nothing is appended.
void AppendFormatted(std::string& s, LPCSTR lpszFormat, va_list args)
{
	if (lpszFormat == nullptr)
		return;
	va_list measure;
	va_copy(measure, args);
	const int length = std::vsnprintf(nullptr, 0, lpszFormat, measure);
	va_end(measure);
	if (length <= 0)
		return;
	std::string formatted(static_cast<size_t>(length), '\0');
	std::vsnprintf(formatted.data(), formatted.size() + 1, lpszFormat, args);
	s += formatted;
}

}  // namespace

CString::CString() = default;
CString::CString(const CString& stringSrc) = default;
CString::CString(CString&& stringSrc) noexcept = default;
CString::CString(LPCSTR lpsz) : m_data(FromPointer(lpsz)) {}

CString::CString(LPCSTR lpch, int nLength)
{
	if (lpch != nullptr && nLength > 0)
		m_data.assign(lpch, static_cast<size_t>(nLength));
}

CString::CString(char ch, int nRepeat)
{
	if (nRepeat > 0)
		m_data.assign(static_cast<size_t>(nRepeat), ch);
}

CString::~CString() = default;

CString& CString::operator=(const CString& stringSrc) = default;
CString& CString::operator=(CString&& stringSrc) noexcept = default;

CString& CString::operator=(LPCSTR lpsz)
{
	// lpsz may point into this string; assign copes with that.
	if (lpsz == nullptr)
		m_data.clear();
	else
		m_data.assign(lpsz);
	return *this;
}

CString& CString::operator=(char ch)
{
	m_data.assign(1, ch);
	return *this;
}

CString& CString::operator+=(const CString& string)
{
	m_data += string.m_data;
	return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
	if (lpsz != nullptr)
		m_data.append(lpsz);
	return *this;
}

CString& CString::operator+=(char ch)
{
	m_data += ch;
	return *this;
}

char CString::GetAt(int nIndex) const
{
	if (nIndex < 0 || nIndex >= GetLength())
		return '\0';
	return m_data[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, char ch)
{
	if (nIndex >= 0 && nIndex < GetLength())
		m_data[static_cast<size_t>(nIndex)] = ch;
}

int CString::Compare(LPCSTR lpsz) const
{
	return std::strcmp(m_data.c_str(), lpsz != nullptr ? lpsz : "");
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
	const unsigned char* a = reinterpret_cast<const unsigned char*>(m_data.c_str());
	const unsigned char* b = reinterpret_cast<const unsigned char*>(lpsz != nullptr ? lpsz : "");
	for (;; ++a, ++b)
	{
		const int ca = std::tolower(*a);
		const int cb = std::tolower(*b);
		if (ca != cb || ca == 0)
			return ca - cb;
	}
}

int CString::Find(char ch, int nStart) const
{
	if (nStart < 0 || nStart > GetLength())
		return -1;
	const size_t at = m_data.find(ch, static_cast<size_t>(nStart));
	return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
	if (lpszSub == nullptr || nStart < 0 || nStart > GetLength())
		return -1;
	const size_t at = m_data.find(lpszSub, static_cast<size_t>(nStart));
	return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int nCount) const
{
	const std::string part = Slice(m_data, 0, nCount);
	return CString(part.data(), static_cast<int>(part.size()));
}

CString CString::Mid(int nFirst) const
{
	return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
	const std::string part = Slice(m_data, nFirst, nCount);
	return CString(part.data(), static_cast<int>(part.size()));
}

CString CString::Right(int nCount) const
{
	nCount = std::clamp(nCount, 0, GetLength());
	return Mid(GetLength() - nCount, nCount);
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
	if (nMinBufLength > GetLength())
		m_data.resize(static_cast<size_t>(nMinBufLength));
	return m_data.data();
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
	m_data.resize(static_cast<size_t>(std::max(nNewLength, 0)));
	return m_data.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
	size_t length = nNewLength < 0 ? ::strnlen(m_data.c_str(), m_data.size()) : static_cast<size_t>(nNewLength);
	m_data.resize(std::min(length, m_data.size()));
}

void CString::Format(LPCSTR lpszFormat, ...)
{
	va_list args;
	va_start(args, lpszFormat);
	FormatV(lpszFormat, args);
	va_end(args);
}

void CString::AppendFormat(LPCSTR lpszFormat, ...)
{
	va_list args;
	va_start(args, lpszFormat);
	AppendFormatV(lpszFormat, args);
	va_end(args);
}

void CString::FormatV(LPCSTR lpszFormat, va_list args)
{
	// Arguments may point into this string: format into a fresh one first.
	std::string formatted;
	AppendFormatted(formatted, lpszFormat, args);
	m_data = std::move(formatted);
}

void CString::AppendFormatV(LPCSTR lpszFormat, va_list args)
{
	std::string formatted;
	AppendFormatted(formatted, lpszFormat, args);
	m_data += formatted;
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
	CString result(string1);
	result += string2;
	return result;
}

CString AFXAPI operator+(const CString& string, LPCSTR lpsz)
{
	CString result(string);
	result += lpsz;
	return result;
}

CString AFXAPI operator+(LPCSTR lpsz, const CString& string)
{
	CString result(lpsz);
	result += string;
	return result;
}

CString AFXAPI operator+(const CString& string, char ch)
{
	CString result(string);
	result += ch;
	return result;
}

CString AFXAPI operator+(char ch, const CString& string)
{
	CString result(ch);
	result += string;
	return result;
}
