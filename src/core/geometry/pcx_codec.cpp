#include "geometry/pcx_codec.h"

#include <bit>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "geometry/byte_order.h"
#include "platform/files.h"

namespace elix {
namespace {

constexpr std::uint8_t kManufacturer = 10;
constexpr std::uint8_t kVersionWithPalette = 5;
constexpr std::uint8_t kRunFlag = 0xC0;  // both top bits set: a run count
constexpr int kMaxRun = 63;
constexpr std::size_t kGeoResolutionYOffset = 74;
constexpr int kMaxWrittenWidth = 65534;   // bytes per scan line, rounded up to even, fit 16 bits
constexpr int kMaxWrittenHeight = 65536;  // y max fits 16 bits

// Bytes held in memory (the fuzz targets and tests decode from here).
class MemoryInput final : public ByteInput {
public:
    explicit MemoryInput(std::span<const std::uint8_t> data) : m_data(data) {}
    int Next() override { return m_next < m_data.size() ? m_data[m_next++] : -1; }
    bool ReadFromEnd(std::size_t distance, std::uint8_t* out, std::size_t count) override {
        if (distance > m_data.size() || count > distance) return false;
        const std::size_t start = m_data.size() - distance;
        for (std::size_t k = 0; k < count; ++k) out[k] = m_data[start + k];
        return true;
    }

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_next = 0;
};

// A file read through the C library's buffered stream, one byte at a time.
class FileInput final : public ByteInput {
public:
    explicit FileInput(std::FILE* file) : m_file(file) {}
    int Next() override {
        const int c = std::getc(m_file);
        return c == EOF ? -1 : c;
    }
    bool ReadFromEnd(std::size_t distance, std::uint8_t* out, std::size_t count) override {
        if (count > distance) return false;
        if (std::fseek(m_file, 0, SEEK_END) != 0) return false;
        const long size = std::ftell(m_file);
        if (size < 0 || static_cast<unsigned long>(size) < distance) return false;
        if (std::fseek(m_file, size - static_cast<long>(distance), SEEK_SET) != 0) return false;
        return std::fread(out, 1, count, m_file) == count;
    }

private:
    std::FILE* m_file;
};

void EmitRun(int count, std::uint8_t value, std::vector<std::uint8_t>& out) {
    if (count == 1 && (value & kRunFlag) != kRunFlag) {
        out.push_back(value);
    } else {
        out.push_back(static_cast<std::uint8_t>(192 + count));
        out.push_back(value);
    }
}

bool IsUsableGeoResolution(float value) {
    return std::isfinite(value) && value > 0.0f;
}

}  // namespace

std::optional<ImageFileFormat> ImageFormatOfPath(const std::string& path) {
    if (path.size() < 3) return std::nullopt;
    std::string ending = path.substr(path.size() - 3);
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ending == "pcx") return ImageFileFormat::Pcx;
    if (ending == "geo") return ImageFileFormat::Geo;
    return std::nullopt;
}

bool ParseImageHeader(std::span<const std::uint8_t, kPcxHeaderSize> bytes, ImageFileFormat format, PcxHeader& header) {
    const std::uint8_t* data = bytes.data();
    header.version = data[1];
    header.bitsPerPixel = data[3];
    header.width = int{bytes::GetU16(data, 8)} - int{bytes::GetU16(data, 4)} + 1;
    header.height = int{bytes::GetU16(data, 10)} - int{bytes::GetU16(data, 6)} + 1;
    header.verticalDpi = bytes::GetU16(data, 14);
    header.planes = data[65];
    header.bytesPerLine = bytes::GetU16(data, 66);
    header.geoResolutionY = std::bit_cast<float>(bytes::GetU32(data, kGeoResolutionYOffset));

    if (format == ImageFileFormat::Geo && !IsUsableGeoResolution(header.geoResolutionY)) return false;
    if (header.planes != 1) return false;
    if (header.width < 1 || header.height < 1) return false;
    const std::int64_t pixelsPerLine =
        header.bitsPerPixel == 1 ? std::int64_t{header.bytesPerLine} * 8 : std::int64_t{header.bytesPerLine};
    if (pixelsPerLine < header.width) return false;
    if (std::int64_t{header.width} * header.height > kMaxImagePixels) return false;
    return true;
}

void EncodeScanLine(std::span<const std::uint8_t> line, std::vector<std::uint8_t>& out) {
    if (line.empty()) return;
    std::uint8_t value = line[0];
    int count = 1;
    for (std::size_t k = 1; k < line.size(); ++k) {
        if (line[k] == value) {
            if (++count == kMaxRun) {
                EmitRun(count, value, out);
                count = 0;
            }
        } else {
            if (count > 0) EmitRun(count, value, out);
            value = line[k];
            count = 1;
        }
    }
    if (count > 0) EmitRun(count, value, out);
}

void DecodeScanLine(ByteInput& in, std::vector<std::uint8_t>& line) {
    std::size_t position = 0;
    while (position < line.size()) {
        const int b = in.Next();
        if (b < 0) return;
        std::size_t count = 1;
        int value = b;
        if ((b & kRunFlag) == kRunFlag) {
            count = static_cast<std::size_t>(b - 192);
            value = in.Next();
            if (value < 0) return;
        }
        // A run that passes the end of the line is cut there.
        const std::size_t end = std::min(line.size(), position + count);
        for (; position < end; ++position) line[position] = static_cast<std::uint8_t>(value);
    }
}

bool DecodeImage(ByteInput& in, ImageFileFormat format, DecodedImage& image) {
    image = DecodedImage{};
    std::array<std::uint8_t, kPcxHeaderSize> raw{};
    for (auto& b : raw) {
        const int c = in.Next();
        if (c < 0) return false;
        b = static_cast<std::uint8_t>(c);
    }
    PcxHeader header;
    if (!ParseImageHeader(raw, format, header)) return false;

    float resolution = header.geoResolutionY;
    if (format == ImageFileFormat::Pcx)
        resolution = header.verticalDpi == 0 ? kDefaultPcxResolution : static_cast<float>(header.verticalDpi);

    ImageRows rows;
    if (!AllocateRows(rows, header.width, header.height)) return false;
    // One buffer for all lines: positions a short file leaves unwritten keep
    // what the line before put there.
    std::vector<std::uint8_t> line(header.bytesPerLine, 0);
    const auto width = static_cast<std::size_t>(header.width);
    for (auto& row : rows) {
        DecodeScanLine(in, line);
        if (header.bitsPerPixel == 1) {
            // Eight pixels per byte, most significant bit first: set 255,
            // clear 0.
            for (std::size_t x = 0; x < width; ++x) row[x] = (line[x / 8] & (0x80u >> (x % 8))) ? 255 : 0;
        } else {
            std::copy(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(width), row.begin());
        }
    }

    if (header.version == kVersionWithPalette) {
        std::array<std::uint8_t, kPaletteTrailerSize> trailer{};
        if (in.ReadFromEnd(kPaletteTrailerSize, trailer.data(), trailer.size()) && trailer[0] == kPaletteMarker) {
            // Colours become gray levels: (red + green + blue) / 3.
            std::array<std::uint8_t, 256> gray{};
            for (std::size_t v = 0; v < 256; ++v)
                gray[v] = static_cast<std::uint8_t>((trailer[1 + 3 * v] + trailer[2 + 3 * v] + trailer[3 + 3 * v]) / 3);
            for (auto& row : rows)
                for (auto& pixel : row) pixel = gray[pixel];
        }
    }

    image.width = header.width;
    image.height = header.height;
    image.rows = std::move(rows);
    image.resolutionX = resolution;
    image.resolutionY = resolution;
    return true;
}

bool DecodeImageBytes(std::span<const std::uint8_t> data, ImageFileFormat format, DecodedImage& image) {
    MemoryInput in(data);
    return DecodeImage(in, format, image);
}

int HeaderDpi(float resolution) {
    const double rounded = std::trunc(static_cast<double>(resolution) + 0.5);
    if (!(rounded >= 1.0)) return 1;  // also NaN
    if (rounded > 65535.0) return 65535;
    return static_cast<int>(rounded);
}

bool EncodeImage(ImageFileFormat format, int width, int height, const ImageRows& rows, float resolutionX,
                 float resolutionY, std::vector<std::uint8_t>& out) {
    out.clear();
    if (width < 1 || width > kMaxWrittenWidth || height < 1 || height > kMaxWrittenHeight) return false;
    if (rows.size() != static_cast<std::size_t>(height)) return false;
    for (const auto& row : rows)
        if (row.size() != static_cast<std::size_t>(width)) return false;
    const int bytesPerLine = (width + 1) / 2 * 2;

    bytes::PutU8(out, kManufacturer);
    bytes::PutU8(out, kVersionWithPalette);
    bytes::PutU8(out, 1);  // run-length encoding
    bytes::PutU8(out, 8);  // bits per pixel
    bytes::PutU16(out, 0);
    bytes::PutU16(out, 0);
    bytes::PutU16(out, static_cast<unsigned>(width - 1));
    bytes::PutU16(out, static_cast<unsigned>(height - 1));
    bytes::PutU16(out, static_cast<unsigned>(HeaderDpi(resolutionX)));
    bytes::PutU16(out, static_cast<unsigned>(HeaderDpi(resolutionY)));
    bytes::PutZeros(out, 48);  // 16-colour map
    bytes::PutU8(out, 0);      // reserved
    bytes::PutU8(out, 1);      // colour planes
    bytes::PutU16(out, static_cast<unsigned>(bytesPerLine));
    bytes::PutU16(out, 1);  // palette information
    if (format == ImageFileFormat::Geo) {
        bytes::PutU32(out, std::bit_cast<std::uint32_t>(resolutionX));
        bytes::PutU32(out, std::bit_cast<std::uint32_t>(resolutionY));
        bytes::PutZeros(out, 50);
    } else {
        bytes::PutZeros(out, 58);
    }

    std::vector<std::uint8_t> line(static_cast<std::size_t>(bytesPerLine), 0);
    for (const auto& row : rows) {
        std::copy(row.begin(), row.end(), line.begin());  // an odd width keeps the last byte 0
        EncodeScanLine(line, out);
    }
    bytes::PutU8(out, kPaletteMarker);
    for (unsigned v = 0; v < 256; ++v) {
        bytes::PutU8(out, v);
        bytes::PutU8(out, v);
        bytes::PutU8(out, v);
    }
    return true;
}

bool ReadImageFile(const std::string& path, ImageFileFormat format, DecodedImage& image) {
    image = DecodedImage{};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    FileInput in(file);
    const bool ok = DecodeImage(in, format, image);
    std::fclose(file);
    return ok;
}

bool ReadPcx(const std::string& path, DecodedImage& image) {
    return ReadImageFile(path, ImageFileFormat::Pcx, image);
}
bool ReadGeo(const std::string& path, DecodedImage& image) {
    return ReadImageFile(path, ImageFileFormat::Geo, image);
}

namespace {

bool WriteImage(ImageFileFormat format, const std::string& path, int width, int height, const ImageRows& rows,
                float resolutionX, float resolutionY) {
    std::vector<std::uint8_t> data;
    if (!EncodeImage(format, width, height, rows, resolutionX, resolutionY, data)) return false;
    return WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

}  // namespace

bool WritePcx(const std::string& path, int width, int height, const ImageRows& rows, float resolutionX,
              float resolutionY) {
    return WriteImage(ImageFileFormat::Pcx, path, width, height, rows, resolutionX, resolutionY);
}

bool WriteGeo(const std::string& path, int width, int height, const ImageRows& rows, float resolutionX,
              float resolutionY) {
    return WriteImage(ImageFileFormat::Geo, path, width, height, rows, resolutionX, resolutionY);
}

}  // namespace elix
