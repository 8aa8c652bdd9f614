// Pictures and drawing: device-independent bitmaps read from resources,
// files or bytes, the picture a control shows, lists of equal-sized images
// and a small drawing surface over a device context.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "Controls.h"

namespace vtrl {

class TBitmap;

// Drawing on a device context that someone else owns (a paint or item DC):
// a brush colour for filling and a font colour for text.
class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(HDC DC) : FHandle(DC) {}
    HDC Handle() const { return FHandle; }
    void SetHandle(HDC DC) { FHandle = DC; }
    TColor BrushColor = clWhite;
    TColor FontColor = clBlack;
    // Fills R with BrushColor.
    void FillRect(const RECT& R);
    // Draws Text at X, Y in FontColor on a transparent background.
    void TextAt(int X, int Y, const std::string& Text);
    // Draws the bitmap at X, Y (nothing for an empty bitmap).
    void Draw(int X, int Y, const TBitmap& Bitmap);

private:
    HDC FHandle = nullptr;
};

// A device-independent bitmap. The object keeps the bitmap's bytes as a .bmp
// file holds them (so it works, and can be written back, without any window);
// the GDI bitmap is made from them when first asked for.
class TBitmap : public TPersistent {
    VTRL_CLASS(TBitmap)
public:
    TBitmap() = default;
    TBitmap(const TBitmap& o) : FData(o.FData), FWidth(o.FWidth), FHeight(o.FHeight) {}
    TBitmap& operator=(const TBitmap& o) {
        Assign(o);
        return *this;
    }

    // Loads a bitmap resource (RT_BITMAP) of Instance by name. Raises
    // Exception naming the resource when it is missing or malformed; the
    // bitmap is then unchanged.
    void LoadFromResourceName(HINSTANCE Instance, const std::string& ResName);
    // Loads a .bmp file. Raises Exception (file name and reason) when it
    // cannot be read or is no bitmap; the bitmap is then unchanged.
    void LoadFromFile(const std::string& FileName);
    // Takes the bytes of a .bmp file. Raises Exception saying what is wrong
    // ("Invalid bitmap: ...") when they are no bitmap this kit can show
    // (wrong signature, truncated headers, palette or pixels, sizes out of
    // range); the bitmap is then unchanged. Empty bytes clear it.
    void LoadFromBytes(const std::string& Bytes);
    // The .bmp file bytes, empty for an empty bitmap.
    const std::string& SaveToBytes() const { return FData; }
    // The definition form (Glyph.Data = { hex }): the .bmp bytes, also
    // accepted after the 32-bit length that form designers put in front.
    std::string Data() const { return FData; }
    void SetData(const std::string& Bytes);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FData.empty(); }
    void Clear();
    void Assign(const TBitmap& Other);
    // The GDI bitmap (owned by this object), null for an empty bitmap.
    // Raises Exception with the Windows error when GDI cannot make it.
    HBITMAP Handle() const;
    // The colour of one pixel (clBlack outside the bitmap).
    TColor Pixel(int X, int Y) const;

    // Copies the bitmap to DC with its top left corner at X, Y.
    void Draw(HDC DC, int X, int Y) const;
    // Stretches the bitmap over R.
    void StretchDraw(HDC DC, const RECT& R) const;
    // As Draw, leaving the pixels of colour Transparent out.
    void DrawTransparent(HDC DC, int X, int Y, TColor Transparent) const;

    // A change of the picture (load, assign, clear).
    std::function<void()> OnChange;

private:
    void Changed();
    std::string FData;
    int FWidth = 0;
    int FHeight = 0;
    mutable TGdiObject FHandle;
};

// What an image control shows: a bitmap. In definitions its bytes are
// written as Picture.Data = { hex }: the .bmp file bytes, optionally after
// the class-name prefix that form designers write (a length byte, "TBitmap"
// and a 32-bit length).
class TPicture : public TPersistent {
    VTRL_CLASS(TPicture)
public:
    TPicture();
    TBitmap& Bitmap() { return FBitmap; }
    const TBitmap& Bitmap() const { return FBitmap; }
    void Assign(const TPicture& Other) { FBitmap.Assign(Other.FBitmap); }
    int Width() const { return FBitmap.Width(); }
    int Height() const { return FBitmap.Height(); }
    // The definition form of the picture (the .bmp bytes) and its reading.
    std::string Data() const { return FBitmap.SaveToBytes(); }
    void SetData(const std::string& Bytes);
    std::function<void()> OnChange;

private:
    TBitmap FBitmap;
};

// A list of images of one size (the state images of a tree view). The
// bitmaps are kept in the object; the system image list is built when the
// handle is first asked for and follows later additions.
class TImageList : public TComponent {
    VTRL_CLASS(TImageList)
public:
    explicit TImageList(TComponent* AOwner);
    ~TImageList() override;
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Only while the list is empty; raises Exception otherwise.
    void SetWidth(int v);
    void SetHeight(int v);
    int Count() const { return static_cast<int>(FImages.size()); }
    // Adds a bitmap of the list's size, the pixels of colour Mask left out;
    // returns its index. Raises Exception for an empty bitmap or one of
    // another size.
    int AddMasked(const TBitmap& Image, TColor Mask);
    const TBitmap& Images(int i) const { return FImages.at(i).Image; }
    void Clear();
    // The system image list (ImageList_*), owned by this object.
    HIMAGELIST Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

private:
    struct TEntry {
        TBitmap Image;
        TColor Mask;
    };
    void AddToHandle(const TEntry& E);
    void DestroyHandle();
    int FWidth = 16, FHeight = 16;
    std::vector<TEntry> FImages;
    HIMAGELIST FHandle = nullptr;
};

}  // namespace vtrl
