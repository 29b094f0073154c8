// CompareStringW: Windows' word sort, which a sorted combo box orders its
// entries by, made of ICU's root collation with a tailoring.
//
// The word sort as Windows has it (and Wine's comctl32 and kernel32 showed it
// on the names of layout templates):
// - blanks and punctuation before digits, digits before letters, digits one by
//   one ("10L" before "4L"); the letters of each script together, Latin, Greek,
//   Cyrillic;
// - ASCII punctuation in the order of the code table, but + < = > after the
//   others (ICU's root order differs: the tailoring below puts them in place);
// - accents after the plain letter, compared from the left; case last, lower
//   case first, or not at all with NORM_IGNORECASE;
// - the hyphen-minus and the apostrophe count only when all else is equal:
//   then the string without them first; of two, the one whose first such
//   character comes later; at the same place the apostrophe first.
//
// Not implemented: locales (every LCID sorts alike), flags other than
// NORM_IGNORECASE, SORT_DIGITSASNUMBERS, special weights of characters other
// than '-' and '\''.
#include <windows.h>

#include <unicode/ucol.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

struct CollatorCloser {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
using Collator = std::unique_ptr<UCollator, CollatorCloser>;

// ASCII punctuation and the blank in Windows' order, all before the digits.
constexpr char kPunctuation[] = " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";

// "&[before 1]0 < ' ' < '!' < ...": each character quoted ('' is none of them).
std::u16string TailoringRules()
{
    std::u16string rules = u"&[before 1]0";
    for (const char* c = kPunctuation; *c; ++c) {
        rules += u"<'";
        rules += static_cast<char16_t>(static_cast<unsigned char>(*c));
        rules += u"'";
    }
    return rules;
}

Collator MakeCollator(UCollationStrength strength)
{
    const std::u16string rules = TailoringRules();
    UErrorCode status = U_ZERO_ERROR;
    UParseError where;
    Collator collator(
        ucol_openRules(rules.data(), static_cast<int32_t>(rules.size()), UCOL_DEFAULT, strength, &where, &status));
    if (U_FAILURE(status))
        collator.reset();
    return collator;
}

UCollator* CollatorFor(bool ignoreCase)
{
    static const Collator withoutCase = MakeCollator(UCOL_SECONDARY);
    static const Collator withCase = MakeCollator(UCOL_TERTIARY);
    return ignoreCase ? withoutCase.get() : withCase.get();
}

bool IsSpecial(char16_t c) { return c == u'-' || c == u'\''; }

// The string without '-' and '\'', and where those were.
std::u16string WithoutSpecials(std::u16string_view text, std::vector<std::pair<size_t, char16_t>>& specials)
{
    std::u16string rest;
    rest.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsSpecial(text[i]))
            specials.emplace_back(i, text[i]);
        else
            rest += text[i];
    }
    return rest;
}

int Collate(UCollator* collator, std::u16string_view a, std::u16string_view b)
{
    if (!collator)
        return a.compare(b);
    switch (
        ucol_strcoll(collator, a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size()))) {
    case UCOL_LESS: return -1;
    case UCOL_GREATER: return 1;
    default: return 0;
    }
}

// Windows' word sort of two UTF-16 strings: <0, 0 or >0.
int CompareWordSort(std::u16string_view a, std::u16string_view b, bool ignoreCase)
{
    UCollator* collator = CollatorFor(ignoreCase);
    const auto special = [](std::u16string_view s) { return std::any_of(s.begin(), s.end(), IsSpecial); };
    if (!special(a) && !special(b))
        return Collate(collator, a, b);
    std::vector<std::pair<size_t, char16_t>> specialsA;
    std::vector<std::pair<size_t, char16_t>> specialsB;
    if (const int order = Collate(collator, WithoutSpecials(a, specialsA), WithoutSpecials(b, specialsB)))
        return order;
    for (size_t i = 0; i < specialsA.size() && i < specialsB.size(); ++i) {
        if (specialsA[i].first != specialsB[i].first)
            return specialsA[i].first > specialsB[i].first ? -1 : 1;
        if (specialsA[i].second != specialsB[i].second)
            return specialsA[i].second == u'\'' ? -1 : 1;
    }
    if (specialsA.size() != specialsB.size())
        return specialsA.size() < specialsB.size() ? -1 : 1;
    return 0;
}

}  // namespace

int WINAPI CompareStringW(LCID, DWORD flags, LPCWCH first, int firstLength, LPCWCH second, int secondLength)
{
    if (!first || !second) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (flags & ~static_cast<DWORD>(NORM_IGNORECASE)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    const auto text = [](LPCWCH s, int length) {
        return length < 0 ? std::u16string_view(reinterpret_cast<const char16_t*>(s))
                          : std::u16string_view(reinterpret_cast<const char16_t*>(s), static_cast<size_t>(length));
    };
    const int order = CompareWordSort(text(first, firstLength), text(second, secondLength), flags & NORM_IGNORECASE);
    return order < 0 ? CSTR_LESS_THAN : order > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}
