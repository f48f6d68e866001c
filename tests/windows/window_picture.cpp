#include "window_picture.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr WORD BITS_PER_PIXEL = 32;

// Top-down 0x00RRGGBB rows of the client area, copied through a DIB section.
std::vector<uint32_t> read_client(HWND window, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = BITS_PER_PIXEL;
    info.bmiHeader.biCompression = BI_RGB;
    HDC window_dc = GetDC(window);
    HDC memory_dc = CreateCompatibleDC(window_dc);
    void *bits = nullptr;
    HBITMAP section = CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (section != nullptr) {
        HGDIOBJ previous = SelectObject(memory_dc, section);
        BitBlt(memory_dc, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
        GdiFlush();
        const uint32_t *rows = static_cast<const uint32_t *>(bits);
        pixels.assign(rows, rows + static_cast<size_t>(width) * height);
        SelectObject(memory_dc, previous);
        DeleteObject(section);
    }
    DeleteDC(memory_dc);
    ReleaseDC(window, window_dc);
    return pixels;
}

}  // namespace

bool write_client_picture(HWND window, const char *path)
{
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    const std::vector<uint32_t> pixels = read_client(window, width, height);
    FILE *file = std::fopen(path, "wb");
    if (pixels.empty() || file == nullptr) {
        if (file != nullptr) {
            std::fclose(file);
        }
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (uint32_t pixel : pixels) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
                                      static_cast<unsigned char>(pixel)};
        std::fwrite(rgb, 1, sizeof rgb, file);
    }
    return std::fclose(file) == 0;
}
