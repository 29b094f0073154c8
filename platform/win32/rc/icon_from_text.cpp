// Builds a Windows .ico file from a readable text picture, for resource scripts.
//
// Input format (lines; '#' starts a comment line):
//   colour <c> <RRGGBB>     palette entry for the character <c> (in order of appearance)
//   transparent <c>         pixels drawn with <c> are transparent (AND mask set)
//   image <width>x<height>  starts a picture; <height> rows of <width> characters follow
// Every image is written with 8 bits per pixel and a full 256-entry palette
// (entries beyond the named colours are black).
//
// Usage: icon_from_text <input.txt> <output.ico>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::string> rows;
};

struct Source {
    std::map<char, uint8_t> indexOf;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    char transparent = '\0';
    bool hasTransparent = false;
    std::vector<Picture> pictures;
};

bool Fail(const std::string& message)
{
    std::cerr << "icon_from_text: " << message << "\n";
    return false;
}

bool Parse(std::istream& in, Source& source)
{
    std::string line;
    int lineNumber = 0;
    Picture* open = nullptr;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (open && static_cast<int>(open->rows.size()) < open->height) {
            if (static_cast<int>(line.size()) != open->width)
                return Fail(where + "row must have " + std::to_string(open->width) + " characters");
            for (char c : line) {
                if (!source.indexOf.count(c) && !(source.hasTransparent && c == source.transparent))
                    return Fail(where + "character '" + std::string(1, c) + "' has no colour");
            }
            open->rows.push_back(line);
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "colour") {
            std::string c, rgb;
            words >> c >> rgb;
            if (c.size() != 1 || rgb.size() != 6 || source.indexOf.count(c[0]))
                return Fail(where + "expected: colour <character> <RRGGBB>, each character once");
            if (source.palette.size() == 256)
                return Fail(where + "more than 256 colours");
            source.indexOf[c[0]] = static_cast<uint8_t>(source.palette.size());
            source.palette.push_back(static_cast<uint32_t>(std::stoul(rgb, nullptr, 16)));
        } else if (keyword == "transparent") {
            std::string c;
            words >> c;
            if (c.size() != 1)
                return Fail(where + "expected: transparent <character>");
            source.transparent = c[0];
            source.hasTransparent = true;
        } else if (keyword == "image") {
            std::string size;
            words >> size;
            Picture picture;
            if (std::sscanf(size.c_str(), "%dx%d", &picture.width, &picture.height) != 2 || picture.width < 1 ||
                picture.width > 256 || picture.height < 1 || picture.height > 256)
                return Fail(where + "expected: image <width>x<height>, at most 256x256");
            source.pictures.push_back(picture);
            open = &source.pictures.back();
        } else {
            return Fail(where + "unknown keyword '" + keyword + "'");
        }
    }
    if (open && static_cast<int>(open->rows.size()) < open->height)
        return Fail("the last image has too few rows");
    if (source.pictures.empty())
        return Fail("no image");
    return true;
}

void Put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// BITMAPINFOHEADER (doubled height), 256 RGBQUADs, XOR bitmap, AND mask; bottom-up rows.
std::vector<uint8_t> Image(const Source& source, const Picture& picture)
{
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(picture.width));
    Put32(out, static_cast<uint32_t>(picture.height * 2));
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);  // BI_RGB
    const uint32_t xorStride = (static_cast<uint32_t>(picture.width) + 3) & ~3u;
    const uint32_t andStride = ((static_cast<uint32_t>(picture.width) + 31) / 32) * 4;
    Put32(out, (xorStride + andStride) * static_cast<uint32_t>(picture.height));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);  // all 256 colours
    Put32(out, 0);
    for (size_t i = 0; i < 256; ++i)
        Put32(out, i < source.palette.size() ? source.palette[i] : 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::string& row = picture.rows[y];
        for (uint32_t x = 0; x < xorStride; ++x) {
            const bool inside = x < static_cast<uint32_t>(picture.width);
            const char c = inside ? row[x] : '\0';
            const bool clear = inside && source.hasTransparent && c == source.transparent;
            out.push_back(inside && !clear ? source.indexOf.at(c) : 0);
        }
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::string& row = picture.rows[y];
        std::vector<uint8_t> mask(andStride, 0);
        for (int x = 0; x < picture.width; ++x) {
            if (source.hasTransparent && row[x] == source.transparent)
                mask[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), mask.begin(), mask.end());
    }
    return out;
}

// ICONDIR, one ICONDIRENTRY per image, then the images.
std::vector<uint8_t> IconFile(const Source& source)
{
    std::vector<std::vector<uint8_t>> images;
    for (const Picture& picture : source.pictures)
        images.push_back(Image(source, picture));
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<uint16_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const Picture& picture = source.pictures[i];
        out.push_back(static_cast<uint8_t>(picture.width == 256 ? 0 : picture.width));
        out.push_back(static_cast<uint8_t>(picture.height == 256 ? 0 : picture.height));
        out.push_back(0);  // 256 colours
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 8);
        Put32(out, static_cast<uint32_t>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: icon_from_text <input.txt> <output.ico>\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        Fail(std::string("cannot read ") + argv[1]);
        return 1;
    }
    Source source;
    if (!Parse(in, source))
        return 1;
    const std::vector<uint8_t> bytes = IconFile(source);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        Fail(std::string("cannot write ") + argv[2]);
        return 1;
    }
    return 0;
}
