// Tests of bitmaps, pictures and image lists.
#include "Graphics.h"

#include "Controls_test.h"
#include "ui_testkit.h"

using namespace vtrl;
using namespace vtrl::testing;
using vtrl::testkit::ErrorOf;

namespace {

// A white memory bitmap of w x h to draw on.
struct TSurface {
    HDC DC;
    HBITMAP Bitmap;
    HGDIOBJ Old;
    TSurface(int w, int h) {
        HDC screen = GetDC(nullptr);
        DC = CreateCompatibleDC(screen);
        Bitmap = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        Old = SelectObject(DC, Bitmap);
        RECT r{0, 0, w, h};
        FillRect(DC, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~TSurface() {
        SelectObject(DC, Old);
        DeleteObject(Bitmap);
        DeleteDC(DC);
    }
    TColor At(int x, int y) const { return static_cast<TColor>(GetPixel(DC, x, y)); }
};

void Put32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i) & 0xFF);
}

}  // namespace

// Rule: a bitmap resource loads by name with its size and pixels (rows
// stored bottom-up, read top-down); a missing one names itself.
TEST_F(ControlsTest, BitmapFromResource) {
    TBitmap b;
    b.LoadFromResourceName(GetModuleHandleA(nullptr), "TESTPICTURE");
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(b.Pixel(0, 0), clWhite);
    EXPECT_EQ(b.Pixel(3, 0), clNavy);
    EXPECT_EQ(b.Pixel(0, 1), kOlive);
    EXPECT_EQ(b.Pixel(1, 1), kRed);
    // The object keeps what the .bmp file holds.
    EXPECT_EQ(b.SaveToBytes(), TestBitmapBytes());

    EXPECT_EQ(ErrorOf([&] { b.LoadFromResourceName(GetModuleHandleA(nullptr), "NOSUCHPICTURE"); }),
              "Bitmap resource NOSUCHPICTURE not found");
    EXPECT_EQ(b.Width(), 4);
}

// Rule: bytes that are no showable bitmap raise "Invalid bitmap: ..."
// saying what is wrong, and leave the bitmap as it was.
TEST_F(ControlsTest, BitmapFromWrongBytesFailsClearly) {
    TBitmap b;
    b.LoadFromBytes(TestBitmapBytes());
    const std::string good = TestBitmapBytes();
    struct TCase {
        std::string Bytes;
        std::string Message;
    };
    std::vector<TCase> cases;
    cases.push_back({"GIF89a" + good.substr(6), "Invalid bitmap: no BM signature"});
    cases.push_back({"BM", "Invalid bitmap: no BM signature"});
    cases.push_back({good.substr(0, 30), "Invalid bitmap: the information header is truncated"});
    cases.push_back({good.substr(0, good.size() - 1), "Invalid bitmap: the pixels are truncated"});
    std::string wide = good;
    Put32(wide, 18, 100000);
    cases.push_back({wide, "Invalid bitmap: size 100000 x 2 out of range"});
    std::string header = good;
    Put32(header, 14, 41);
    cases.push_back({header, "Invalid bitmap: unknown information header size 41"});
    std::string offset = good;
    Put32(offset, 10, 20);
    cases.push_back({offset, "Invalid bitmap: the pixel data overlaps the headers"});
    std::string beyond = good;
    Put32(beyond, 10, 1000);
    cases.push_back({beyond, "Invalid bitmap: the pixel data starts beyond the end"});
    std::string bits = good;
    bits[28] = 7;
    cases.push_back({bits, "Invalid bitmap: 7 bits per pixel"});
    std::string palette = good;
    palette[28] = 8;  // 8 bits: a palette of 256 colours would follow
    cases.push_back({palette, "Invalid bitmap: the colour table is truncated"});
    for (const TCase& c : cases) {
        EXPECT_EQ(ErrorOf([&] { b.LoadFromBytes(c.Bytes); }), c.Message);
        EXPECT_EQ(b.SaveToBytes(), good);
    }
    b.LoadFromBytes("");
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Handle(), nullptr);
}

// Rule: picture data is the .bmp bytes, alone or after the designer's class
// prefix; another picture class is refused.
TEST_F(ControlsTest, PictureDataForms) {
    TPicture p;
    int changes = 0;
    p.OnChange = [&] { ++changes; };
    p.SetData(TestBitmapBytes());
    EXPECT_EQ(p.Width(), 4);
    std::string prefixed = std::string("\x07TBitmap") + std::string(4, '\0') + TestBitmapBytes();
    Put32(prefixed, 8, static_cast<uint32_t>(TestBitmapBytes().size()));
    p.Bitmap().Clear();
    p.SetData(prefixed);
    EXPECT_EQ(p.Data(), TestBitmapBytes());
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(ErrorOf([&] { p.SetData(std::string("\x05TIcon") + "xxxx"); }),
              "Picture data of class 'TIcon' is not supported");
    EXPECT_EQ(p.Width(), 4);
    TPicture q;
    q.Assign(p);
    EXPECT_EQ(q.Bitmap().Pixel(1, 1), kRed);
}

// Rule: Draw copies every pixel; DrawTransparent leaves the given colour's
// pixels out; StretchDraw fills the rectangle.
TEST_F(ControlsTest, BitmapDrawing) {
    TBitmap b;
    b.LoadFromBytes(TestBitmapBytes());
    TSurface s(10, 10);
    b.Draw(s.DC, 0, 0);
    EXPECT_EQ(s.At(0, 1), kOlive);
    b.DrawTransparent(s.DC, 5, 5, kOlive);
    EXPECT_EQ(s.At(5, 6), clWhite);
    EXPECT_EQ(s.At(6, 6), kRed);
    EXPECT_EQ(s.At(7, 5), clWhite);
    EXPECT_EQ(s.At(8, 5), clNavy);
    RECT r{0, 2, 8, 6};
    b.StretchDraw(s.DC, r);
    EXPECT_EQ(s.At(0, 2), clWhite);
    EXPECT_EQ(s.At(3, 5), kRed);
}

// Rule: an image list takes bitmaps of its own size only and keeps them for
// the system list it builds later; its size is fixed while it holds images.
TEST_F(ControlsTest, ImageListKeepsImagesOfOneSize) {
    TImageList list(nullptr);
    list.SetName("States");
    TBitmap b;
    b.LoadFromBytes(TestBitmapBytes());
    EXPECT_THROW(list.AddMasked(b, kOlive), Exception);  // 16 x 16 expected
    list.SetWidth(4);
    list.SetHeight(2);
    EXPECT_EQ(list.AddMasked(b, kOlive), 0);
    EXPECT_EQ(list.AddMasked(b, kOlive), 1);
    EXPECT_THROW(list.SetWidth(8), Exception);
    EXPECT_THROW(list.AddMasked(TBitmap(), kOlive), Exception);
    HIMAGELIST h = list.Handle();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(h), 2);
    list.AddMasked(b, kOlive);
    EXPECT_EQ(ImageList_GetImageCount(h), 3);
}
