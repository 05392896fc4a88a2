#include "ScreenCapture.hpp"

#include <algorithm>
#include <fstream>

namespace testing_support {

namespace {

std::uint32_t crc32(const unsigned char* data, size_t size, std::uint32_t crc = 0xFFFFFFFFu) {
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return crc;
}

void putBigEndian(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value >> 24));
    out.push_back(static_cast<char>(value >> 16));
    out.push_back(static_cast<char>(value >> 8));
    out.push_back(static_cast<char>(value));
}

void putChunk(std::string& out, const char* type, const std::string& data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::string typed(type, 4);
    typed += data;
    out += typed;
    const std::uint32_t crc = crc32(reinterpret_cast<const unsigned char*>(typed.data()), typed.size()) ^ 0xFFFFFFFFu;
    putBigEndian(out, crc);
}

// A zlib stream of stored (uncompressed) deflate blocks: large files, no compressor needed.
std::string storedZlib(const std::string& raw) {
    std::string out("\x78\x01", 2);
    size_t at = 0;
    do {
        const size_t size = std::min<size_t>(65535, raw.size() - at);
        const bool last = at + size == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<char>(size & 0xFF));
        out.push_back(static_cast<char>(size >> 8));
        out.push_back(static_cast<char>(~size & 0xFF));
        out.push_back(static_cast<char>((~size >> 8) & 0xFF));
        out.append(raw, at, size);
        at += size;
    } while (at < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(out, (b << 16) | a);
    return out;
}

}  // namespace

ScreenCapture::ScreenCapture(const RECT& area)
    : area_(area),
      width_(area.right - area.left),
      height_(area.bottom - area.top),
      bgra_(static_cast<size_t>(width_) * height_) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width_, height_);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height_), bgra_.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenCapture::pixel(int screenX, int screenY) const {
    const int x = screenX - area_.left;
    const int y = screenY - area_.top;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return CLR_INVALID;
    }
    const std::uint32_t value = bgra_[static_cast<size_t>(y) * width_ + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

bool ScreenCapture::savePng(const std::wstring& path) const {
    std::string raw;
    raw.reserve(static_cast<size_t>(height_) * (1 + 3 * width_));
    for (int y = 0; y < height_; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t value = bgra_[static_cast<size_t>(y) * width_ + x];
            raw.push_back(static_cast<char>((value >> 16) & 0xFF));
            raw.push_back(static_cast<char>((value >> 8) & 0xFF));
            raw.push_back(static_cast<char>(value & 0xFF));
        }
    }
    std::string header;
    putBigEndian(header, static_cast<std::uint32_t>(width_));
    putBigEndian(header, static_cast<std::uint32_t>(height_));
    header += std::string("\x08\x02\x00\x00\x00", 5);
    std::string png("\x89PNG\r\n\x1a\n", 8);
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", storedZlib(raw));
    putChunk(png, "IEND", std::string());
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(png.data(), static_cast<std::streamsize>(png.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace testing_support
