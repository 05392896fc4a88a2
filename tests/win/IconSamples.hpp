#pragma once

// Icons made in memory for the tests: a colour icon of one opaque colour and a monochrome one.

#include <windows.h>

#include <vector>

namespace testing_support {

// An opaque icon of one colour; the caller destroys it.
inline HICON makeColourIcon(int width, int height, COLORREF colour) {
    // 32-bit pixels are stored blue, green, red; alpha stays 0 so that the mask decides.
    const DWORD pixel = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    const std::vector<DWORD> pixels(static_cast<size_t>(width) * height, pixel);
    const std::vector<BYTE> mask(static_cast<size_t>((width + 15) / 16 * 2) * height, 0);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = CreateBitmap(width, height, 1, 32, pixels.data());
    info.hbmMask = CreateBitmap(width, height, 1, 1, mask.data());
    const HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return icon;
}

// A monochrome icon, whose AND and XOR masks share one bitmap of twice its height.
inline HICON makeMonochromeIcon(int width, int height) {
    const std::vector<BYTE> andMask(static_cast<size_t>((width + 15) / 16 * 2) * height, 0x00);
    const std::vector<BYTE> xorMask(andMask.size(), 0xFF);
    return CreateIcon(GetModuleHandleW(nullptr), width, height, 1, 1, andMask.data(), xorMask.data());
}

}  // namespace testing_support
