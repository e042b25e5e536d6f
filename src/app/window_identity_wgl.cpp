#include "app/window_identity.h"

#include <windows.h>

namespace {

constexpr int ICON_SIZE = 64;  // pixels; Windows scales it for the task bar and the title

// A 32-bit icon with its own alpha, from RGBA pixels top row first; nullptr if it failed.
HICON makeIcon(const std::vector<unsigned char>& rgba) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = ICON_SIZE;
    header.bV5Height = -ICON_SIZE;  // negative: rows from the top
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (colour == nullptr) {
        return nullptr;
    }
    auto* bgra = static_cast<unsigned char*>(bits);
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        bgra[i] = rgba[i + 2];
        bgra[i + 1] = rgba[i + 1];
        bgra[i + 2] = rgba[i];
        bgra[i + 3] = rgba[i + 3];
    }
    HBITMAP mask = CreateBitmap(ICON_SIZE, ICON_SIZE, 1, 1, nullptr);  // unused with alpha
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);  // copies both bitmaps
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

}  // namespace

void identifyWindow() {
    HDC drawing = wglGetCurrentDC();
    HWND window = drawing != nullptr ? WindowFromDC(drawing) : nullptr;
    const std::vector<unsigned char> rgba = windowIconRgba(ICON_SIZE);
    if (window == nullptr || rgba.empty()) {
        return;
    }
    // The icon stays with the window for the life of the process.
    if (HICON icon = makeIcon(rgba)) {
        SendMessage(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessage(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}
