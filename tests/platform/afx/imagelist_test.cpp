// Image lists through CImageList and the list calls: adding with masks and drawing.
#include "platform/afx/imagelist.h"

#include "support/gdi_fixture.h"

namespace {

using ImageListTest = GdiTest;

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kGreen = RGB(0, 160, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

// Two 4x4 images side by side: image 0 blue with a magenta left column, image 1 all yellow.
HBITMAP Strip() {
    Canvas paint(8, 4, 32, kBlue);
    paint.Fill(RECT{0, 0, 1, 4}, kMagenta);
    paint.Fill(RECT{4, 0, 8, 4}, kYellow);
    return paint.Release();
}

} // namespace

TEST_F(ImageListTest, MaskColourMakesPixelsTransparent) {
    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR32 | ILC_MASK, 0, 2));
    CBitmap strip;
    strip.Attach(Strip());
    EXPECT_EQ(list.Add(&strip, kMagenta), 0);
    EXPECT_EQ(list.GetImageCount(), 2);
    Canvas c(10, 4, 32, kGreen);
    CDC* dc = CDC::FromHandle(c.dc());
    EXPECT_TRUE(list.Draw(dc, 0, CPoint(0, 0), ILD_NORMAL));
    EXPECT_EQ(c.At(0, 0), kGreen) << "the mask colour shows what was there";
    EXPECT_EQ(c.At(1, 0), kBlue);
    EXPECT_FALSE(list.Draw(dc, 2, CPoint(0, 0), ILD_NORMAL));
    // The caller's bitmap is left as it was.
    Canvas check(static_cast<HBITMAP>(strip.Detach()));
    EXPECT_EQ(check.At(0, 0), kMagenta);
}

TEST_F(ImageListTest, ABackgroundColourFillsTheMaskedPixels) {
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 1);
    HBITMAP strip = Strip();
    ImageList_AddMasked(list, strip, kMagenta);
    DeleteObject(strip);
    EXPECT_EQ(ImageList_SetBkColor(list, RGB(9, 9, 9)), CLR_NONE);
    Canvas c(4, 4, 32, kGreen);
    ImageList_Draw(list, 0, c.dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(c.At(0, 2), RGB(9, 9, 9));
    c.Fill(kGreen);
    ImageList_Draw(list, 0, c.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(c.At(0, 2), kGreen);
    c.Fill(kGreen);
    ImageList_Draw(list, 0, c.dc(), 0, 0, ILD_MASK);
    EXPECT_EQ(c.At(0, 2), RGB(255, 255, 255));
    EXPECT_EQ(c.At(2, 2), RGB(0, 0, 0));
    ImageList_Destroy(list);
}

TEST_F(ImageListTest, ExplicitMasksIconsAndRemoval) {
    CImageList list;
    list.Create(4, 4, ILC_COLOR32 | ILC_MASK, 0, 1);
    CBitmap image, mask;
    image.Attach(Strip());
    const BYTE maskBits[] = {0xF0, 0, 0xF0, 0, 0, 0, 0, 0}; // top two rows of image 0 masked
    mask.CreateBitmap(8, 4, 1, 1, maskBits);
    EXPECT_EQ(list.Add(&image, &mask), 0);
    Canvas c(4, 4, 32, kGreen);
    list.Draw(CDC::FromHandle(c.dc()), 0, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(c.At(2, 1), kGreen);
    EXPECT_EQ(c.At(2, 2), kBlue);
    // An icon taken out of the list draws like the list does, and goes back in.
    HICON icon = list.ExtractIcon(0);
    ASSERT_NE(icon, nullptr);
    c.Fill(kGreen);
    DrawIcon(c.dc(), 0, 0, icon);
    EXPECT_EQ(c.At(2, 1), kGreen);
    EXPECT_EQ(c.At(2, 2), kBlue);
    EXPECT_EQ(list.Add(icon), 2);
    DestroyIcon(icon);
    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(list.GetImageCount(), 2);
    c.Fill(kGreen);
    list.Draw(CDC::FromHandle(c.dc()), 0, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(c.At(0, 0), kYellow) << "the second image moved to the front";
    EXPECT_TRUE(list.Remove(-1));
    EXPECT_EQ(list.GetImageCount(), 0);
}

// Lists without masks copy whole images; images narrower than the list are refused; the
// wrapper owns the list unless detached.
TEST_F(ImageListTest, ListsWithoutMasksAndTheWrapper) {
    GdiObjectCounts before = GdiGetObjectCounts();
    HIMAGELIST kept;
    {
        CImageList list;
        list.Create(4, 4, ILC_COLOR32, 0, 1);
        EXPECT_EQ(CImageList::FromHandle(list.GetSafeHandle()), &list);
        CBitmap image, narrow;
        image.Attach(Strip());
        EXPECT_EQ(list.Add(&image, kMagenta), 0);
        Canvas c(4, 4, 32, kGreen);
        list.Draw(CDC::FromHandle(c.dc()), 0, CPoint(0, 0), ILD_TRANSPARENT);
        EXPECT_EQ(c.At(0, 0), kMagenta);
        narrow.CreateBitmap(3, 4, 1, 32, nullptr);
        EXPECT_EQ(list.Add(&narrow, nullptr), -1);
        kept = list.Detach();
    }
    EXPECT_EQ(ImageList_GetImageCount(kept), 2);
    EXPECT_EQ(ImageList_GetImageCount(nullptr), 0);
    EXPECT_EQ(GdiGetObjectCounts().imageLists, before.imageLists + 1);
    {
        CImageList owner;
        owner.Attach(kept);
    }
    EXPECT_EQ(GdiGetObjectCounts(), before);
    EXPECT_FALSE(ImageList_Destroy(kept));
}
