// Bitmaps from .bmp bytes, resources and files; pictures; image lists; the
// drawing surface.
#include "Graphics.h"

#include <commctrl.h>

#include <cstring>
#include <fstream>
#include <sstream>

namespace vtrl {

namespace {

const size_t kFileHeaderSize = 14;  // BITMAPFILEHEADER as stored

uint32_t Read32(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(s[at + i]);
    return v;
}
uint16_t Read16(const std::string& s, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8);
}
void Put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
}

// What a bitmap's headers say, checked against the bytes there are.
struct TDibLayout {
    int Width = 0;
    int Height = 0;           // rows, always positive
    size_t HeaderSize = 0;    // the information header
    size_t ColorBytes = 0;    // bit-field masks and palette after it
};

[[noreturn]] void Invalid(const std::string& Why) { throw Exception("Invalid bitmap: " + Why); }

// Checks the information header at Dib (the bytes after the file header, or
// a resource's bytes) and the colour table after it. Pixels are checked by
// the caller, who knows where they start.
TDibLayout CheckInfoHeader(const std::string& s, size_t at) {
    if (s.size() < at + 4) Invalid("the information header is missing");
    TDibLayout d;
    d.HeaderSize = Read32(s, at);
    if (d.HeaderSize != 12 && d.HeaderSize != 40 && d.HeaderSize != 52 && d.HeaderSize != 56 &&
        d.HeaderSize != 108 && d.HeaderSize != 124)
        Invalid("unknown information header size " + std::to_string(d.HeaderSize));
    if (s.size() < at + d.HeaderSize) Invalid("the information header is truncated");
    const bool core = d.HeaderSize == 12;
    int32_t width = core ? Read16(s, at + 4) : static_cast<int32_t>(Read32(s, at + 4));
    int32_t height = core ? Read16(s, at + 6) : static_cast<int32_t>(Read32(s, at + 8));
    unsigned planes = Read16(s, at + (core ? 8 : 12));
    unsigned bpp = Read16(s, at + (core ? 10 : 14));
    uint32_t compression = core ? BI_RGB : Read32(s, at + 16);
    uint32_t used = core ? 0 : Read32(s, at + 32);
    if (width <= 0 || width > 32767 || height == 0 || height < -32767 || height > 32767)
        Invalid("size " + std::to_string(width) + " x " + std::to_string(height) + " out of range");
    if (planes != 1) Invalid("plane count " + std::to_string(planes));
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        Invalid(std::to_string(bpp) + " bits per pixel");
    const bool rle = compression == BI_RLE8 || compression == BI_RLE4;
    if (!(compression == BI_RGB || (compression == BI_RLE8 && bpp == 8) || (compression == BI_RLE4 && bpp == 4) ||
          (compression == BI_BITFIELDS && (bpp == 16 || bpp == 32))))
        Invalid("compression " + std::to_string(compression) + " with " + std::to_string(bpp) + " bits per pixel");
    if (rle && height < 0) Invalid("a compressed bitmap cannot be stored top-down");
    if (bpp <= 8 && used > (1u << bpp)) Invalid("palette of " + std::to_string(used) + " colours");
    if (bpp > 8 && used > 256) Invalid("palette of " + std::to_string(used) + " colours");
    size_t colors = used ? used : (bpp <= 8 ? 1u << bpp : 0);
    d.ColorBytes = colors * (core ? 3 : 4) + (d.HeaderSize == 40 && compression == BI_BITFIELDS ? 12 : 0);
    if (s.size() < at + d.HeaderSize + d.ColorBytes) Invalid("the colour table is truncated");
    d.Width = width;
    d.Height = height < 0 ? -height : height;
    return d;
}

// Checks that the pixels at Offset fit in the bytes.
void CheckPixels(const std::string& s, size_t info, const TDibLayout& d, size_t Offset) {
    if (Offset > s.size()) Invalid("the pixel data starts beyond the end");
    const bool core = d.HeaderSize == 12;
    uint32_t compression = core ? BI_RGB : Read32(s, info + 16);
    size_t available = s.size() - Offset;
    if (compression == BI_RLE8 || compression == BI_RLE4) {
        uint32_t size = Read32(s, info + 20);
        if (size == 0 || size > available) Invalid("the compressed pixels are truncated");
        return;
    }
    unsigned bpp = Read16(s, info + (core ? 10 : 14));
    size_t stride = (static_cast<size_t>(d.Width) * bpp + 31) / 32 * 4;
    if (stride * static_cast<size_t>(d.Height) > available) Invalid("the pixels are truncated");
}

// The image-list functions and TransparentBlt, resolved when first used:
// importing them would load comctl32 and msimg32 at every program start,
// also in silent runs that draw nothing.
template <class Fn>
Fn Entry(const char* Module, const char* Name) {
    HMODULE m = GetModuleHandleA(Module);
    if (!m) m = LoadLibraryA(Module);
    auto f = m ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, Name))) : nullptr;
    if (!f) throw Exception(std::string("The function ") + Name + " of " + Module + " is not available");
    return f;
}
struct TGraphicsEntries {
    decltype(&ImageList_Create) Create = Entry<decltype(&ImageList_Create)>("comctl32.dll", "ImageList_Create");
    decltype(&ImageList_AddMasked) AddMasked =
        Entry<decltype(&ImageList_AddMasked)>("comctl32.dll", "ImageList_AddMasked");
    decltype(&ImageList_Remove) Remove = Entry<decltype(&ImageList_Remove)>("comctl32.dll", "ImageList_Remove");
    decltype(&ImageList_Destroy) Destroy = Entry<decltype(&ImageList_Destroy)>("comctl32.dll", "ImageList_Destroy");
};
const TGraphicsEntries& ImageLists() {
    static const TGraphicsEntries entries;
    return entries;
}
BOOL DoTransparentBlt(HDC Dst, int X, int Y, int W, int H, HDC Src, UINT Color) {
    static const auto fn = Entry<decltype(&TransparentBlt)>("msimg32.dll", "TransparentBlt");
    return fn(Dst, X, Y, W, H, Src, 0, 0, W, H, Color);
}

// A memory DC with a bitmap selected, restored and freed at scope end.
class TMemoryDC {
public:
    TMemoryDC(HDC Like, HBITMAP Bitmap) : DC(CreateCompatibleDC(Like)) {
        Old = DC ? SelectObject(DC, Bitmap) : nullptr;
    }
    ~TMemoryDC() {
        if (!DC) return;
        SelectObject(DC, Old);
        DeleteDC(DC);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC DC;

private:
    HGDIOBJ Old;
};

}  // namespace

// ----------------------------------------------------------------- canvas

void TCanvas::FillRect(const RECT& R) {
    TGdiObject brush(CreateSolidBrush(ColorToRGB(BrushColor)));
    ::FillRect(FHandle, &R, static_cast<HBRUSH>(brush.Get()));
}

void TCanvas::TextAt(int X, int Y, const std::string& Text) {
    SetBkMode(FHandle, TRANSPARENT);
    SetTextColor(FHandle, ColorToRGB(FontColor));
    const std::wstring wide = PaintText(Text);
    TextOutW(FHandle, X, Y, wide.c_str(), static_cast<int>(wide.size()));
}

void TCanvas::Draw(int X, int Y, const TBitmap& Bitmap) { Bitmap.Draw(FHandle, X, Y); }

// ----------------------------------------------------------------- bitmap

VTRL_IMPLEMENT_CLASS(TBitmap, TPersistent, [](TClassBuilder<TBitmap>& b) {
    b.String("Data", &TBitmap::Data, &TBitmap::SetData);
})

void TBitmap::SetData(const std::string& Bytes) {
    if (Bytes.size() >= 6 && Bytes[0] != 'B' && Bytes[4] == 'B' && Bytes[5] == 'M') {
        size_t size = Read32(Bytes, 0);
        if (size > Bytes.size() - 4) Invalid("the bitmap data is truncated");
        LoadFromBytes(Bytes.substr(4, size));
        return;
    }
    LoadFromBytes(Bytes);
}

void TBitmap::LoadFromBytes(const std::string& Bytes) {
    if (Bytes.empty()) {
        Clear();
        return;
    }
    if (Bytes.size() < kFileHeaderSize || Bytes[0] != 'B' || Bytes[1] != 'M') Invalid("no BM signature");
    TDibLayout d = CheckInfoHeader(Bytes, kFileHeaderSize);
    size_t offset = Read32(Bytes, 10);
    if (offset < kFileHeaderSize + d.HeaderSize + d.ColorBytes) Invalid("the pixel data overlaps the headers");
    CheckPixels(Bytes, kFileHeaderSize, d, offset);
    FData = Bytes;
    FWidth = d.Width;
    FHeight = d.Height;
    FHandle.Reset();
    Changed();
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::string& ResName) {
    HRSRC res = FindResourceA(Instance, ResName.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    HGLOBAL mem = res ? LoadResource(Instance, res) : nullptr;
    const void* p = mem ? LockResource(mem) : nullptr;
    if (!p) throw Exception("Bitmap resource " + ResName + " not found");
    std::string dib(static_cast<const char*>(p), SizeofResource(Instance, res));
    // A resource holds the bitmap without its file header; put one in front
    // so the object keeps what a .bmp file holds.
    try {
        TDibLayout d = CheckInfoHeader(dib, 0);
        std::string file = "BM";
        Put32(file, static_cast<uint32_t>(kFileHeaderSize + dib.size()));
        Put32(file, 0);
        Put32(file, static_cast<uint32_t>(kFileHeaderSize + d.HeaderSize + d.ColorBytes));
        LoadFromBytes(file + dib);
    } catch (const Exception& e) {
        throw Exception("Bitmap resource " + ResName + ": " + e.what());
    }
}

void TBitmap::LoadFromFile(const std::string& FileName) {
    std::ifstream f(FileName, std::ios::binary);
    if (!f) throw Exception("Cannot open the bitmap file " + FileName);
    std::ostringstream bytes;
    bytes << f.rdbuf();
    try {
        LoadFromBytes(bytes.str());
    } catch (const Exception& e) {
        throw Exception(FileName + ": " + e.what());
    }
}

void TBitmap::Clear() {
    FData.clear();
    FWidth = FHeight = 0;
    FHandle.Reset();
    Changed();
}

void TBitmap::Assign(const TBitmap& Other) {
    if (&Other == this) return;
    FData = Other.FData;
    FWidth = Other.FWidth;
    FHeight = Other.FHeight;
    FHandle.Reset();
    Changed();
}

void TBitmap::Changed() {
    if (OnChange) OnChange();
}

HBITMAP TBitmap::Handle() const {
    if (FData.empty()) return nullptr;
    if (!FHandle.Get()) {
        const auto* info = reinterpret_cast<const BITMAPINFO*>(FData.data() + kFileHeaderSize);
        const void* bits = FData.data() + Read32(FData, 10);
        // A bitmap in the screen's format: it draws fast and GDI decodes
        // every stored form (palettes, run-length compression) once here.
        HDC screen = GetDC(nullptr);
        HBITMAP h = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        if (!h) throw Exception("Cannot create a bitmap of " + std::to_string(FWidth) + " x " + std::to_string(FHeight));
        FHandle = TGdiObject(h);
    }
    return static_cast<HBITMAP>(FHandle.Get());
}

TColor TBitmap::Pixel(int X, int Y) const {
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return clBlack;
    TMemoryDC mem(nullptr, Handle());
    return static_cast<TColor>(GetPixel(mem.DC, X, Y) & 0xFFFFFF);
}

void TBitmap::Draw(HDC DC, int X, int Y) const {
    if (Empty()) return;
    TMemoryDC mem(DC, Handle());
    BitBlt(DC, X, Y, FWidth, FHeight, mem.DC, 0, 0, SRCCOPY);
}

void TBitmap::StretchDraw(HDC DC, const RECT& R) const {
    if (Empty()) return;
    TMemoryDC mem(DC, Handle());
    SetStretchBltMode(DC, COLORONCOLOR);
    StretchBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, mem.DC, 0, 0, FWidth, FHeight, SRCCOPY);
}

void TBitmap::DrawTransparent(HDC DC, int X, int Y, TColor Transparent) const {
    if (Empty()) return;
    TMemoryDC mem(DC, Handle());
    DoTransparentBlt(DC, X, Y, FWidth, FHeight, mem.DC, ColorToRGB(Transparent));
}

// ---------------------------------------------------------------- picture

VTRL_IMPLEMENT_CLASS(TPicture, TPersistent, [](TClassBuilder<TPicture>& b) {
    b.String("Data", &TPicture::Data, &TPicture::SetData);
})

TPicture::TPicture() {
    FBitmap.OnChange = [this] {
        if (OnChange) OnChange();
    };
}

void TPicture::SetData(const std::string& Bytes) {
    // Designers write the picture's class before the bytes: a length byte,
    // the class name and, for bitmaps, the bitmap's length.
    if (Bytes.size() >= 2 && Bytes[0] != 'B' && Bytes[1] == 'T') {
        size_t n = static_cast<uint8_t>(Bytes[0]);
        std::string cls = Bytes.substr(1, n);
        if (cls != "TBitmap") throw Exception("Picture data of class '" + cls + "' is not supported");
        if (Bytes.size() < 1 + n + 4) Invalid("the picture data is truncated");
        size_t size = Read32(Bytes, 1 + n);
        std::string rest = Bytes.substr(1 + n + 4);
        if (size > rest.size()) Invalid("the picture data is truncated");
        FBitmap.LoadFromBytes(rest.substr(0, size));
        return;
    }
    FBitmap.SetData(Bytes);
}

// ------------------------------------------------------------- image list

VTRL_IMPLEMENT_CLASS(TImageList, TComponent, [](TClassBuilder<TImageList>& b) {
    b.Integer("Height", &TImageList::Height, &TImageList::SetHeight, 16)
        .Integer("Width", &TImageList::Width, &TImageList::SetWidth, 16);
})

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() { DestroyHandle(); }

void TImageList::SetWidth(int v) {
    if (v == FWidth) return;
    if (!FImages.empty()) throw Exception("The image size of " + Name() + " cannot change while it holds images");
    FWidth = v;
    DestroyHandle();
}

void TImageList::SetHeight(int v) {
    if (v == FHeight) return;
    if (!FImages.empty()) throw Exception("The image size of " + Name() + " cannot change while it holds images");
    FHeight = v;
    DestroyHandle();
}

int TImageList::AddMasked(const TBitmap& Image, TColor Mask) {
    if (Image.Empty()) throw Exception("An empty bitmap cannot be added to " + Name());
    if (Image.Width() != FWidth || Image.Height() != FHeight)
        throw Exception("A bitmap of " + std::to_string(Image.Width()) + " x " + std::to_string(Image.Height()) +
                        " does not fit the images of " + std::to_string(FWidth) + " x " + std::to_string(FHeight) +
                        " in " + Name());
    FImages.push_back({Image, Mask});
    if (FHandle) AddToHandle(FImages.back());
    return Count() - 1;
}

void TImageList::Clear() {
    FImages.clear();
    if (FHandle) ImageLists().Remove(FHandle, -1);
}

void TImageList::AddToHandle(const TEntry& E) {
    // ImageList_AddMasked builds the mask from the colour and blacks those
    // pixels out in its copy, so the caller's bitmap is copied first.
    TBitmap copy(E.Image);
    ImageLists().AddMasked(FHandle, copy.Handle(), ColorToRGB(E.Mask));
}

HIMAGELIST TImageList::Handle() {
    if (!FHandle) {
        RegisterWindowClasses();  // loads the common controls
        FHandle = ImageLists().Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, Count(), 4);
        if (!FHandle) throw Exception("Cannot create the image list " + Name());
        for (const TEntry& e : FImages) AddToHandle(e);
    }
    return FHandle;
}

void TImageList::DestroyHandle() {
    if (FHandle) ImageLists().Destroy(FHandle);
    FHandle = nullptr;
}

}  // namespace vtrl
