#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace tarvel {

// Writes 0x00RRGGBB pixels, row by row from the top, as an RGB PNG file with
// stored (uncompressed) deflate blocks: enough to look at test pictures.
class PngFile {
public:
    static bool Write(const std::string& path, int width, int height, const std::uint32_t* pixels) {
        std::vector<unsigned char> raw;
        for (int y = 0; y < height; ++y) {
            raw.push_back(0);  // no filter
            for (int x = 0; x < width; ++x) {
                const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
                raw.insert(raw.end(), {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                       static_cast<unsigned char>(p)});
            }
        }
        std::vector<unsigned char> header;
        Append32(header, width);
        Append32(header, height);
        header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
        std::string file("\x89PNG\r\n\x1a\n", 8);
        Chunk(file, "IHDR", header);
        Chunk(file, "IDAT", Zlib(raw));
        Chunk(file, "IEND", {});
        std::ofstream out(path, std::ios::binary);
        out << file;
        return static_cast<bool>(out);
    }

private:
    static constexpr std::size_t kMaxStored = 65535;

    static void Append32(std::vector<unsigned char>& out, std::uint32_t v) {
        out.insert(out.end(), {static_cast<unsigned char>(v >> 24), static_cast<unsigned char>(v >> 16),
                               static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)});
    }

    static std::vector<unsigned char> Zlib(const std::vector<unsigned char>& data) {
        std::vector<unsigned char> out{0x78, 0x01};
        std::uint32_t a = 1, b = 0;
        for (unsigned char c : data) {
            a = (a + c) % 65521;
            b = (b + a) % 65521;
        }
        std::size_t at = 0;
        do {
            const std::size_t n = std::min(kMaxStored, data.size() - at);
            out.push_back(at + n == data.size() ? 1 : 0);
            out.insert(out.end(), {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                                   static_cast<unsigned char>(~n), static_cast<unsigned char>(~n >> 8)});
            out.insert(out.end(), data.begin() + at, data.begin() + at + n);
            at += n;
        } while (at < data.size());
        Append32(out, (b << 16) | a);
        return out;
    }

    static void Chunk(std::string& file, const char* type, const std::vector<unsigned char>& data) {
        std::vector<unsigned char> body(type, type + 4);
        body.insert(body.end(), data.begin(), data.end());
        std::vector<unsigned char> length;
        Append32(length, static_cast<std::uint32_t>(data.size()));
        std::vector<unsigned char> crc;
        Append32(crc, Crc(body));
        file.append(length.begin(), length.end());
        file.append(body.begin(), body.end());
        file.append(crc.begin(), crc.end());
    }

    static std::uint32_t Crc(const std::vector<unsigned char>& data) {
        std::uint32_t crc = 0xFFFFFFFFu;
        for (unsigned char c : data) {
            crc ^= c;
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        return ~crc;
    }
};

}  // namespace tarvel
