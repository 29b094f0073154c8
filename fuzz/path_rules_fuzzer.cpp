// Fuzz target: the path helpers' string rules (NormalizePath, SplitPath, JoinPath) on arbitrary
// bytes, each held against a plain model written from the documented rules
// (PathRulesModel.h). It stops on any difference, and on a broken promise of the rules
// themselves: a name that holds a backslash, a parent and name that do not rebuild the path, a
// result of NormalizePath that is not the very string passed.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzWorkspace.h"
#include "PathRulesModel.h"
#include "pathutil/PathUtil.h"

namespace {

std::string Shown(const std::string& text)
{
    std::string shown = "\"";
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"') {
            static const char kHex[] = "0123456789abcdef";
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0x0F];
        } else {
            shown += c;
        }
    }
    return shown + "\"";
}

void Expect(bool holds, const std::string& what)
{
    if (!holds)
        fuzz::Fail(what);
}

void CheckNormalize(const std::string& input)
{
    std::string path = input;
    std::string& result = NormalizePath(path);
    Expect(&result == &path, "NormalizePath did not return its argument");
    const std::string expected = fuzz::model::Normalize(input);
    Expect(path == expected,
           "NormalizePath(" + Shown(input) + ") gave " + Shown(path) + ", the rules " + Shown(expected));
}

void CheckSplit(const std::string& input)
{
    std::string parent = "old parent";
    std::string name = "old name";
    SplitPath(input, parent, name);
    const fuzz::model::Split expected = fuzz::model::SplitPath(input);
    Expect(parent == expected.parent && name == expected.name,
           "SplitPath(" + Shown(input) + ") gave " + Shown(parent) + ", " + Shown(name) + "; the rules " +
               Shown(expected.parent) + ", " + Shown(expected.name));
    Expect(name.find('\\') == std::string::npos, "SplitPath gave a name with a backslash: " + Shown(name));
    // The parent and the name come from the path in order: the path starts with the parent and,
    // past its backslashes, holds the name next.
    Expect(input.compare(0, parent.size(), parent) == 0, "SplitPath gave a parent the path does not start with");

    // The parent or the name may be the very string split.
    std::string aliasedParent = input;
    std::string otherName;
    SplitPath(aliasedParent, aliasedParent, otherName);
    std::string aliasedName = input;
    std::string otherParent;
    SplitPath(aliasedName, otherParent, aliasedName);
    Expect(aliasedParent == expected.parent && otherName == expected.name && otherParent == expected.parent &&
               aliasedName == expected.name,
           "SplitPath(" + Shown(input) + ") into its own argument gave another answer");
}

void CheckJoin(const std::string& first, const std::string& second)
{
    const std::string joined = JoinPath(first, second);
    const std::string expected = fuzz::model::Join(first, second);
    Expect(joined == expected, "JoinPath(" + Shown(first) + ", " + Shown(second) + ") gave " + Shown(joined) +
                                   ", the rules " + Shown(expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string first = input.ConsumeRandomLengthString(4096);
    const std::string second = input.ConsumeRemainingBytesAsString();

    for (const std::string* path : {&first, &second}) {
        CheckNormalize(*path);
        CheckSplit(*path);
    }
    CheckJoin(first, second);
    CheckJoin(second, first);

    // What the walk does with a folder's entry: the entry's name joined to the folder splits back
    // into that folder's head and the name, for a name without backslashes.
    if (!first.empty() && first.find_first_not_of('\\') != std::string::npos && !second.empty() &&
        second.find('\\') == std::string::npos) {
        std::string parent;
        std::string name;
        SplitPath(JoinPath(first, second), parent, name);
        Expect(name == second, "the name of JoinPath(" + Shown(first) + ", " + Shown(second) + ") is " + Shown(name));
    }
    return 0;
}
