// Window capture and the PNG writer.
#include "Screenshot.h"

#include <zlib.h>

#include "SysUtils.h"
#include "Unattended.h"

namespace vtrl {

namespace {

std::string gDirectory;
int gCount = 0;

void PutBE32(std::vector<uint8_t>& Out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) Out.push_back(static_cast<uint8_t>(v >> shift));
}

// Appends a chunk: length, type, data, and the CRC-32 of type and data.
void PutChunk(std::vector<uint8_t>& Out, const char* Type, const std::vector<uint8_t>& Data) {
    PutBE32(Out, static_cast<uint32_t>(Data.size()));
    const size_t typeAt = Out.size();
    Out.insert(Out.end(), Type, Type + 4);
    Out.insert(Out.end(), Data.begin(), Data.end());
    const uLong crc = crc32(0L, Out.data() + typeAt, static_cast<uInt>(Out.size() - typeAt));
    PutBE32(Out, static_cast<uint32_t>(crc));
}

// Owner of a GDI device context and bitmap for one capture.
struct TCapture {
    HDC Client = nullptr, Memory = nullptr;
    HBITMAP Bitmap = nullptr;
    HWND Wnd = nullptr;
    ~TCapture() {
        if (Bitmap) DeleteObject(Bitmap);
        if (Memory) DeleteDC(Memory);
        if (Client) ReleaseDC(Wnd, Client);
    }
};

// Draws the frame of a window of Width x Height whose client area begins
// at Left, Top: a raised edge and, when it has one, the caption with its
// text, active.
void DrawFrame(HWND Wnd, HDC Dc, int Width, int Height, int Left, int Top) {
    RECT all{0, 0, Width, Height};
    FillRect(Dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (Left <= 0) return;
    DrawEdge(Dc, &all, EDGE_RAISED, BF_RECT);
    if ((GetWindowLongPtrA(Wnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) return;
    RECT caption{Left, Left, Width - Left, Top - 1};
    if (caption.bottom > caption.top) DrawCaption(Wnd, Dc, &caption, DC_ACTIVE | DC_TEXT | DC_GRADIENT);
}

}  // namespace

std::vector<uint8_t> EncodePng(int Width, int Height, const std::vector<uint8_t>& Rgb) {
    if (Width <= 0 || Height <= 0 || Rgb.size() != size_t(Width) * size_t(Height) * 3)
        throw Exception("EncodePng: the pixels do not fit a " + std::to_string(Width) + " x " +
                        std::to_string(Height) + " picture");
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBE32(header, static_cast<uint32_t>(Width));
    PutBE32(header, static_cast<uint32_t>(Height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // depth 8, truecolour, deflate, filter 0, no interlace
    PutChunk(out, "IHDR", header);

    const size_t row = size_t(Width) * 3;
    std::vector<uint8_t> raw;
    raw.reserve((row + 1) * size_t(Height));
    for (int y = 0; y < Height; ++y) {
        raw.push_back(0);  // filter: none
        raw.insert(raw.end(), Rgb.begin() + y * row, Rgb.begin() + (y + 1) * row);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw Exception("EncodePng: zlib could not compress the picture");
    packed.resize(packedSize);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

void SaveWindowPng(HWND Wnd, const std::string& FileName) {
    HWND top = GetAncestor(Wnd, GA_ROOT);
    if (!top) top = Wnd;
    // Children paint in their own time; the capture must show them.
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r;
    if (!GetWindowRect(top, &r) || r.right <= r.left || r.bottom <= r.top)
        throw Exception("Cannot capture the window for " + FileName + ": it has no size");
    const int w = r.right - r.left, h = r.bottom - r.top;
    TCapture c;
    c.Wnd = top;
    c.Client = GetDC(top);
    c.Memory = c.Client ? CreateCompatibleDC(c.Client) : nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // rows from the top
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    c.Bitmap = c.Memory ? CreateDIBSection(c.Memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!c.Bitmap) throw Exception("Cannot capture the window for " + FileName);
    HGDIOBJ old = SelectObject(c.Memory, c.Bitmap);
    // The client area is copied from the window's DC after the repaint
    // above: a top-level window paints into a surface of its own, so the
    // copy holds the window even where another one covers it. (PrintWindow
    // would ask each control to print itself, which not every system
    // control does.) The frame is drawn here: under Wine the caption of a
    // top-level window is left to the X window manager, and a display
    // without one (Xvfb) has nothing there.
    POINT origin{0, 0};
    ClientToScreen(top, &origin);
    RECT client;
    GetClientRect(top, &client);
    DrawFrame(top, c.Memory, w, h, origin.x - r.left, origin.y - r.top);
    const BOOL copied = BitBlt(c.Memory, origin.x - r.left, origin.y - r.top, client.right, client.bottom, c.Client,
                               0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(c.Memory, old);
    if (!copied) throw Exception("Cannot capture the window for " + FileName);
    std::vector<uint8_t> rgb(size_t(w) * size_t(h) * 3);
    const uint8_t* p = static_cast<const uint8_t*>(bits);
    for (size_t i = 0, n = size_t(w) * size_t(h); i < n; ++i) {
        rgb[i * 3] = p[i * 4 + 2];  // the DIB holds blue, green, red, unused
        rgb[i * 3 + 1] = p[i * 4 + 1];
        rgb[i * 3 + 2] = p[i * 4];
    }
    const std::vector<uint8_t> png = EncodePng(w, h, rgb);
    HANDLE f = CreateFileA(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok = f != INVALID_HANDLE_VALUE &&
                    WriteFile(f, png.data(), static_cast<DWORD>(png.size()), &written, nullptr) &&
                    written == png.size();
    const DWORD error = GetLastError();
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    if (!ok) {
        DeleteFileA(FileName.c_str());
        throw Exception("Cannot write the screenshot " + FileName + " (Windows error " + std::to_string(error) + ")");
    }
}

void SetScreenshotDirectory(const std::string& Dir) {
    gCount = 0;
    gDirectory.clear();
    if (Dir.empty()) return;
    if (!CreateDirectoryA(Dir.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw Exception("Cannot create the screenshot directory " + Dir + " (Windows error " +
                        std::to_string(GetLastError()) + ")");
    gDirectory = Dir;
}

const std::string& ScreenshotDirectory() { return gDirectory; }

std::string TakeScreenshot(HWND Wnd, const std::string& Name) {
    if (gDirectory.empty()) return {};
    ++gCount;
    const std::string file =
        AddBackSlash(gDirectory) + (gCount < 10 ? "0" : "") + std::to_string(gCount) + "-" + Name + ".png";
    SaveWindowPng(Wnd, file);
    Log("screenshot " + file);
    return file;
}

}  // namespace vtrl
