#include "IconSamples.hpp"
#include "PixelCanvas.hpp"
#include "WinTestSupport.hpp"

#include "err/Exceptions.hpp"
#include "gdi/BackBuffer.hpp"
#include "gdi/Bitmap.hpp"
#include "gdi/CanvasPool.hpp"
#include "gdi/CompatibleCanvas.hpp"
#include "gdi/Font.hpp"
#include "gdi/GivenCanvas.hpp"
#include "gdi/Icon.hpp"
#include "gdi/MeasuringCanvas.hpp"
#include "gdi/MemoryCanvas.hpp"
#include "gdi/NonClientCanvas.hpp"
#include "gdi/PaintCanvas.hpp"
#include "gdi/RectWin32.hpp"
#include "gdi/UpdateCanvas.hpp"
#include "gdi/WeakCanvas.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <type_traits>

using gdi::Rect;
using testing::StartsWith;
using testing_support::PixelCanvas;

namespace {

const COLORREF white = RGB(255, 255, 255);
const COLORREF red = RGB(255, 0, 0);
const COLORREF blue = RGB(0, 0, 255);

// A real top-level pop-up window of the system's static class, destroyed with the pointer.
using TestWindow = std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)>;
TestWindow staticWindow(int width, int height) {
    return TestWindow(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 50, 60, width, height, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr),
                      &DestroyWindow);
}

// A memory device context with a brush, pen, font and bitmap of its own selected, as a
// caller handing a device context to a canvas would have it.
class PreparedDc {
public:
    PreparedDc() : dc(CreateCompatibleDC(nullptr)) {
        const HDC screen = GetDC(nullptr);
        own[0] = CreateCompatibleBitmap(screen, 8, 8);
        ReleaseDC(nullptr, screen);
        own[1] = CreateSolidBrush(RGB(1, 2, 3));
        own[2] = CreatePen(PS_SOLID, 3, RGB(4, 5, 6));
        own[3] = CreateFontW(-21, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        for (int i = 0; i < 4; ++i) {
            old[i] = SelectObject(dc, own[i]);
        }
    }
    ~PreparedDc() {
        for (int i = 0; i < 4; ++i) {
            SelectObject(dc, old[i]);
        }
        DeleteDC(dc);
        for (const HGDIOBJ object : own) {
            DeleteObject(object);
        }
    }
    PreparedDc(const PreparedDc&) = delete;
    PreparedDc& operator=(const PreparedDc&) = delete;

    void expectOwnObjectsSelected() const {
        const UINT kinds[4] = {OBJ_BITMAP, OBJ_BRUSH, OBJ_PEN, OBJ_FONT};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(own[i], GetCurrentObject(dc, kinds[i])) << i;
        }
    }

    const HDC dc;
    HGDIOBJ own[4];  // bitmap, brush, pen, font

private:
    HGDIOBJ old[4];
};

void expectManagedState(const gdi::Canvas& canvas) {
    EXPECT_EQ(GetStockObject(DC_BRUSH), GetCurrentObject(canvas.getHandle(), OBJ_BRUSH));
    EXPECT_EQ(GetStockObject(DC_PEN), GetCurrentObject(canvas.getHandle(), OBJ_PEN));
    EXPECT_EQ(static_cast<HGDIOBJ>(canvas.getFont()->getHandle()), GetCurrentObject(canvas.getHandle(), OBJ_FONT));
}

bool closeTo(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
           && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace

TEST(CanvasFill, InclusiveCornersCoverTheLastPixelExclusiveOnesLeaveItOut) {
    PixelCanvas canvas;
    canvas->setBackgroundColor(red);
    canvas->fillRect(0, 0, 9, 9);
    EXPECT_EQ(red, canvas.at(9, 9));
    EXPECT_EQ(100, canvas.count(red));
    canvas->setBackgroundColor(blue);
    canvas->fillRect(Rect(12, 3, 15, 7));
    EXPECT_EQ(blue, canvas.at(14, 6));
    EXPECT_EQ(12, canvas.count(blue));

    // Both forms of the outline cover exactly the edge of the square (2, 3)-(8, 9).
    for (int form = 0; form < 2; ++form) {
        PixelCanvas outlined;
        outlined->setForegroundColor(blue);
        form == 0 ? outlined->drawRect(2, 3, 8, 9) : outlined->drawRect(Rect(2, 3, 9, 10));
        EXPECT_EQ(24, outlined.count(blue, RECT{2, 3, 9, 10})) << form;
        EXPECT_EQ(25, outlined.count(white, RECT{3, 4, 8, 9})) << form;
        EXPECT_EQ(400 - 24, outlined.count(white)) << form;
    }
}

TEST(CanvasText, MeasuringStartsAtTheGivenCornerAndDrawingStaysInTheTextsCell) {
    PixelCanvas canvas(white, 60, 30);
    const int lineHeight = canvas->getTextHeight();
    ASSERT_GT(lineHeight, 0);
    const Rect line = canvas->measureText(L"Hello", DT_SINGLELINE);
    EXPECT_EQ(Rect(0, 0, line.getWidth(), lineHeight), line);
    const Rect placed = canvas->measureText(L"Hello", DT_SINGLELINE, Rect(5, 7, 300, 100));
    EXPECT_EQ(Rect(5, 7, 5 + line.getWidth(), 7 + lineHeight), placed);
    // Word breaking within a narrow bounding rectangle needs several lines.
    const Rect wrapped = canvas->measureText(L"one two three four", DT_WORDBREAK, Rect(0, 0, line.getWidth(), 1));
    EXPECT_GE(wrapped.getHeight(), 2 * lineHeight);
    EXPECT_EQ(0, wrapped.getHeight() % lineHeight);
    EXPECT_EQ(60 * 30, canvas.count(white)) << "measuring draws nothing";

    // An opaque background: background pixels are the background colour, the glyph is
    // darker, and nothing is drawn beyond the text's cell.
    const COLORREF green = RGB(0, 160, 0);
    canvas->setBackgroundColor(green);
    canvas->setForegroundColor(RGB(0, 0, 0));
    const Rect needed = canvas->measureText(L"W", DT_SINGLELINE | DT_NOPREFIX);
    ASSERT_LT(needed.getWidth(), 30);
    canvas->drawText(Rect(0, 0, 30, 30), L"W", DT_SINGLELINE | DT_NOPREFIX);
    const int area = needed.right * needed.bottom;
    const int background = canvas.count(green, RECT{0, 0, needed.right, needed.bottom});
    EXPECT_GT(background, 0);
    EXPECT_LT(background, area);
    EXPECT_EQ(60 * 30 - area, canvas.count(white));
}

TEST(CanvasText, TextExtentAgreesWithMeasuringOnOneLineAndTheMeasuringCanvasIsKept) {
    PixelCanvas canvas(white, 60, 30);
    const Rect line = canvas->measureText(L"Hello world", DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ((gdi::Size{line.getWidth(), line.getHeight()}), canvas->measureTextExtent(L"Hello world"));
    // A part of a string, as line breaking measures it.
    const std::wstring text = L"Hello world";
    EXPECT_EQ(canvas->measureTextExtent(L"Hello"), canvas->measureTextExtent(text.data(), 5));
    EXPECT_EQ((gdi::Size{0, canvas->getTextHeight()}), canvas->measureTextExtent(std::wstring()));

    gdi::Canvas& measuring = gdi::measuringCanvas();
    EXPECT_EQ(&measuring, &gdi::measuringCanvas());
    measuring.selectFont(canvas->getFont());
    EXPECT_EQ(canvas->measureTextExtent(text), measuring.measureTextExtent(text));
}

TEST(CanvasText, SelectedFontSetsTheTextHeightAndIsShared) {
    PixelCanvas canvas;
    const int defaultHeight = canvas->getTextHeight();
    auto large = std::make_shared<gdi::Font>(L"Arial", 40, FW_NORMAL, false);
    std::weak_ptr<gdi::Font> watchLarge = large;
    canvas->selectFont(large);
    large.reset();
    EXPECT_GT(canvas->getTextHeight(), defaultHeight + 20);
    ASSERT_FALSE(watchLarge.expired());
    expectManagedState(*canvas);

    // Selecting another font releases the canvas's share of the previous one.
    canvas->selectFont(std::make_shared<gdi::Font>(L"Arial", 8, FW_NORMAL, false));
    EXPECT_TRUE(watchLarge.expired());
    EXPECT_LT(canvas->getTextHeight(), defaultHeight + 20);
    EXPECT_THROW(canvas->selectFont(nullptr), err::InvalidArgumentException);
}

TEST(CanvasState, GivenCanvasPutsBackWhatWasSelectedAndWeakCanvasChangesNothing) {
    PreparedDc prepared;
    auto other = std::make_shared<gdi::Font>(L"Arial", 30, FW_NORMAL, false);
    const HBITMAP otherBitmap = CreateBitmap(4, 4, 1, 1, nullptr);
    {
        gdi::GivenCanvas canvas(nullptr, prepared.dc);
        expectManagedState(canvas);
        EXPECT_EQ(gdi::getDefaultFont()->getHandle(), GetCurrentObject(prepared.dc, OBJ_FONT));
        canvas.setBackgroundColor(red);
        canvas.fillRect(0, 0, 3, 3);
        canvas.selectFont(other);
        SelectObject(prepared.dc, otherBitmap);
    }
    prepared.expectOwnObjectsSelected();
    // The device context stays with its owner, drawn on.
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(prepared.dc));
    EXPECT_EQ(red, GetPixel(prepared.dc, 3, 3));
    DeleteObject(otherBitmap);

    {
        gdi::WeakCanvas canvas(nullptr, prepared.dc);
        prepared.expectOwnObjectsSelected();
        canvas.selectFont(other);
    }
    EXPECT_EQ(static_cast<HGDIOBJ>(other->getHandle()), GetCurrentObject(prepared.dc, OBJ_FONT));
    EXPECT_EQ(prepared.own[1], GetCurrentObject(prepared.dc, OBJ_BRUSH));
    SelectObject(prepared.dc, prepared.own[3]);
}

TEST(CanvasKinds, MemoryCanvasTakesTheSizeOfTheWindowOwningTheDc) {
    const TestWindow window = staticWindow(123, 45);
    ASSERT_NE(nullptr, window.get());
    const HDC windowDc = GetDC(window.get());
    std::shared_ptr<gdi::Bitmap> bitmap;
    {
        gdi::MemoryCanvas canvas(windowDc);
        bitmap = canvas.getBitmap();
        ASSERT_NE(nullptr, bitmap);
        EXPECT_EQ(123, bitmap->getWidth());
        EXPECT_EQ(45, bitmap->getHeight());
        // Compatible with the window's device context, not with the monochrome memory one.
        BITMAP info{};
        GetObjectW(bitmap->getHandle(), sizeof info, &info);
        EXPECT_EQ(GetDeviceCaps(windowDc, BITSPIXEL), info.bmBitsPixel);
        expectManagedState(canvas);
    }
    ReleaseDC(window.get(), windowDc);

    // The ended canvas gave the bitmap free: it can be selected elsewhere.
    const HDC other = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(other, bitmap->getHandle());
    EXPECT_NE(nullptr, previous);
    SelectObject(other, previous);
    DeleteDC(other);
    // The last share deletes it.
    const HBITMAP handle = bitmap->getHandle();
    bitmap.reset();
    EXPECT_EQ(0u, GetObjectType(handle));
}

TEST(CanvasKinds, WindowCanvasesBelongToTheirWindowAndPaintingValidates) {
    const TestWindow window = staticWindow(80, 40);
    ASSERT_NE(nullptr, window.get());
    const auto expectOwnedByWindow = [&](const gdi::Canvas& canvas) {
        EXPECT_EQ(window.get(), WindowFromDC(canvas.getHandle()));
        expectManagedState(canvas);
    };
    expectOwnedByWindow(gdi::UpdateCanvas(window.get()));
    expectOwnedByWindow(gdi::NonClientCanvas(window.get()));
    ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    InvalidateRect(window.get(), nullptr, FALSE);
    ASSERT_TRUE(GetUpdateRect(window.get(), nullptr, FALSE));
    {
        gdi::PaintCanvas canvas(window.get());
        EXPECT_EQ(Rect(0, 0, 80, 40), canvas.getUpdateRect());
        expectOwnedByWindow(canvas);
    }
    EXPECT_FALSE(GetUpdateRect(window.get(), nullptr, FALSE));
}

TEST(CanvasKinds, FailuresToObtainADeviceContextOrBitmapAreSystemErrors) {
    const HWND gone = staticWindow(10, 10).get();  // destroyed with the temporary
    ASSERT_FALSE(IsWindow(gone));
    const HDC deleted = CreateCompatibleDC(nullptr);
    DeleteDC(deleted);

    const auto failure = [](auto call) { return testing_support::messageOf<err::SystemException>(call); };
    EXPECT_THAT(failure([&] { gdi::PaintCanvas canvas(gone); }),
                StartsWith("Postcondition failed:\ngdi::PaintCanvas::PaintCanvas\ndc != 0\n"));
    EXPECT_THAT(failure([&] { gdi::UpdateCanvas canvas(gone); }),
                StartsWith("Postcondition failed:\ngdi::UpdateCanvas::UpdateCanvas\ndc != 0\n"));
    EXPECT_THAT(failure([&] { gdi::NonClientCanvas canvas(gone); }),
                StartsWith("Postcondition failed:\ngdi::NonClientCanvas::NonClientCanvas\ndc != 0\n"));
    EXPECT_THAT(failure([&] { gdi::CompatibleCanvas canvas(deleted); }),
                StartsWith("Postcondition failed:\ngdi::CompatibleCanvas::CompatibleCanvas\ndc != 0\n"));
    gdi::UpdateCanvas screen(nullptr);
    EXPECT_THAT(failure([&] { gdi::MemoryCanvas canvas(screen.getHandle(), 0x8000000, 16); }),
                StartsWith("Postcondition failed:\ngdi::MemoryCanvas::MemoryCanvas\nbmp\n"));
}

TEST(CanvasImage, IconIsDrawnAtItsOwnSizeAndGreyedWhenDisabled) {
    const gdi::Icon icon(testing_support::makeColourIcon(16, 16, red), true);
    PixelCanvas enabled;
    enabled->drawImage(icon, 2, 3, true);
    EXPECT_EQ(red, enabled.at(2, 3));
    EXPECT_EQ(red, enabled.at(17, 18));
    EXPECT_EQ(256, enabled.count(red));

    PixelCanvas disabled;
    disabled->drawImage(icon, 2, 3, false);
    EXPECT_EQ(0, disabled.count(red));
    EXPECT_LT(disabled.count(white), 400);
    EXPECT_THROW(disabled->drawImage(gdi::Icon(), 0, 0, true), err::InvalidArgumentException);
}

TEST(CanvasBlit, CopyPutsTheSourceAtTheTargetPointAndBlendingMixesByTheHeldOpacity) {
    PixelCanvas source;
    source->setBackgroundColor(blue);
    source->fillRect(2, 2, 4, 4);
    PixelCanvas target;
    source->copyTo(Rect(2, 2, 6, 6), *target, 10, 11);
    EXPECT_EQ(blue, target.at(10, 11));
    EXPECT_EQ(blue, target.at(12, 13));
    EXPECT_EQ(9, target.count(blue));
    // The white column and row of the source rectangle came along too.
    EXPECT_EQ(400 - 9, target.count(white));

    const COLORREF front = RGB(200, 100, 0);
    const COLORREF back = RGB(0, 100, 200);
    PixelCanvas over(front);
    PixelCanvas under(back);
    over->blendTo(Rect(0, 0, 5, 5), *under, 10, 10, 0.5);
    EXPECT_TRUE(closeTo(RGB(100, 100, 100), under.at(10, 10), 2)) << std::hex << under.at(10, 10);
    EXPECT_TRUE(closeTo(RGB(100, 100, 100), under.at(14, 14), 2)) << std::hex << under.at(14, 14);
    EXPECT_EQ(400 - 25, under.count(back));
    // Opacities outside [0, 1] are held at the limit.
    over->blendTo(Rect(0, 0, 4, 4), *under, 0, 0, 1.7);
    EXPECT_EQ(16, under.count(front));
    over->blendTo(Rect(0, 0, 4, 4), *under, 5, 0, -0.5);
    EXPECT_EQ(back, under.at(5, 0));
}

// The back buffer's pixels take a colour blended in directly, as AlphaBlend from a canvas
// of that colour mixes it, wherever the viewport origin puts the rectangle; other bitmaps
// and clipped canvases are left to AlphaBlend.
TEST(CanvasBlit, AColourIsBlendedIntoABackBuffersPixelsAsAlphaBlendDoes) {
    gdi::UpdateCanvas screen(nullptr);
    gdi::BackBuffer buffer;
    gdi::Canvas& direct = buffer.prepare(screen.getHandle(), 64, 8);
    PixelCanvas reference(white, 64, 8);
    // Every grey level of a column's pixels, as a list's text and bands have them.
    for (int x = 0; x < 64; ++x) {
        const COLORREF grey = RGB(x * 4, 255 - x * 4, x * 2);
        direct.setBackgroundColor(grey);
        direct.fillRect(Rect(x, 0, x + 1, 8));
        reference->setBackgroundColor(grey);
        reference->fillRect(Rect(x, 0, x + 1, 8));
    }
    const COLORREF base = RGB(60, 130, 230);
    PixelCanvas tint(base, 64, 8);
    SetViewportOrgEx(direct.getHandle(), -2, -3, nullptr);
    ASSERT_TRUE(direct.blendColor(Rect(2, 3, 66, 9), base, 0.16));
    SetViewportOrgEx(direct.getHandle(), 0, 0, nullptr);
    tint->blendTo(Rect(0, 0, 64, 6), *reference, 0, 0, 0.16);
    for (int x = 0; x < 64; ++x) {
        for (int y : {0, 5, 6}) {
            const COLORREF got = GetPixel(direct.getHandle(), x, y);
            const COLORREF want = GetPixel(reference->getHandle(), x, y);
            ASSERT_TRUE(closeTo(want, got, 1)) << x << ',' << y << std::hex << ' ' << want << ' ' << got;
        }
    }
    // Past the bitmap's edges nothing is touched, and nothing fails.
    EXPECT_TRUE(direct.blendColor(Rect(-10, -10, 200, 200), base, 0.5));

    PixelCanvas compatible(white, 8, 8);
    EXPECT_FALSE(compatible->blendColor(Rect(0, 0, 8, 8), base, 0.5));
    EXPECT_EQ(white, compatible.at(3, 3));
    const HRGN clip = CreateRectRgn(0, 0, 4, 4);
    SelectClipRgn(direct.getHandle(), clip);
    DeleteObject(clip);
    EXPECT_FALSE(direct.blendColor(Rect(0, 0, 8, 8), base, 0.5));
    SelectClipRgn(direct.getHandle(), nullptr);
}

// Painting a window of the same size again must not make GDI objects each time.
TEST(CanvasBackBuffer, KeepsItsBitmapUntilAPaintNeedsMoreRoomAndKeepsWhatWasDrawn) {
    gdi::UpdateCanvas screen(nullptr);
    gdi::BackBuffer buffer;
    EXPECT_EQ(gdi::Size{}, buffer.getCapacity());
    gdi::Canvas& canvas = buffer.prepare(screen.getHandle(), 100, 50);
    const HGDIOBJ first = GetCurrentObject(canvas.getHandle(), OBJ_BITMAP);
    EXPECT_EQ((gdi::Size{100, 50}), buffer.getCapacity());
    canvas.setBackgroundColor(blue);
    canvas.fillRect(Rect(0, 0, 100, 50));

    gdi::Canvas& smaller = buffer.prepare(screen.getHandle(), 80, 50);
    EXPECT_EQ(&canvas, &smaller);
    EXPECT_EQ(first, GetCurrentObject(smaller.getHandle(), OBJ_BITMAP));
    EXPECT_EQ(blue, GetPixel(smaller.getHandle(), 99, 49));
    PixelCanvas target(white, 20, 20);
    smaller.copyTo(Rect(0, 0, 5, 5), *target, 0, 0);
    EXPECT_EQ(25, target.count(blue));

    // Growing in one direction keeps the other direction's room.
    gdi::Canvas& wider = buffer.prepare(screen.getHandle(), 120, 10);
    EXPECT_NE(first, GetCurrentObject(wider.getHandle(), OBJ_BITMAP));
    EXPECT_EQ((gdi::Size{120, 50}), buffer.getCapacity());
    EXPECT_NE(CLR_INVALID, GetPixel(wider.getHandle(), 119, 49));
    EXPECT_EQ(CLR_INVALID, GetPixel(wider.getHandle(), 120, 49));

    buffer.release();
    EXPECT_EQ(gdi::Size{}, buffer.getCapacity());
    EXPECT_EQ((gdi::Size{10, 10}), (buffer.prepare(screen.getHandle(), 10, 10), buffer.getCapacity()));
}

// A dropped canvas is handed out again, as it was, where it fits without more than twice
// the area asked for.
TEST(CanvasPool, HandsADroppedCanvasOutAgainOnlyWhereItFits) {
    gdi::UpdateCanvas screen(nullptr);
    gdi::CanvasPool pool(1000);
    auto first = pool.take(screen.getHandle(), 20, 10);
    auto second = pool.take(screen.getHandle(), 20, 10);
    ASSERT_NE(first, second);
    EXPECT_EQ(20, first->getBitmap()->getWidth());
    EXPECT_EQ(10, first->getBitmap()->getHeight());
    const gdi::MemoryCanvas* kept = first.get();
    first->setBackgroundColor(blue);
    first->fillRect(Rect(0, 0, 20, 10));
    first.reset();
    EXPECT_EQ(1u, pool.idleCount());
    EXPECT_EQ(200u, pool.idlePixels());

    // Taller, wider, or less than half as large: a new canvas.
    for (const SIZE size : {SIZE{20, 11}, SIZE{21, 10}, SIZE{10, 9}}) {
        auto other = pool.take(screen.getHandle(), size.cx, size.cy);
        EXPECT_NE(kept, other.get()) << size.cx << " x " << size.cy;
        EXPECT_EQ(size.cx, other->getBitmap()->getWidth());
        other.reset();
        pool.take(screen.getHandle(), 20, 10).reset();  // the kept one back at the end
    }
    // The smallest idle one that fits, with what was drawn on it.
    auto again = pool.take(screen.getHandle(), 16, 8);
    EXPECT_EQ(kept, again.get());
    EXPECT_EQ(blue, GetPixel(again->getHandle(), 19, 9));
}

TEST(CanvasPool, KeepsIdleCanvasesWithinItsBudgetTheOldestLeavingFirst) {
    gdi::UpdateCanvas screen(nullptr);
    gdi::CanvasPool pool(1000);
    auto a = pool.take(screen.getHandle(), 20, 10);
    auto b = pool.take(screen.getHandle(), 25, 10);
    auto c = pool.take(screen.getHandle(), 50, 11);
    a.reset();
    b.reset();
    c.reset();
    EXPECT_EQ(3u, pool.idleCount());
    EXPECT_EQ(1000u, pool.idlePixels());
    // 50 more: the oldest, a, leaves.
    pool.take(screen.getHandle(), 10, 5).reset();
    EXPECT_EQ(3u, pool.idleCount());
    EXPECT_EQ(850u, pool.idlePixels());
    // Larger than the whole budget: not kept. Dropped after the pool: simply deleted.
    pool.take(screen.getHandle(), 40, 30).reset();
    EXPECT_EQ(850u, pool.idlePixels());
    std::shared_ptr<gdi::MemoryCanvas> outliving;
    {
        gdi::CanvasPool shortLived(1000);
        outliving = shortLived.take(screen.getHandle(), 5, 5);
    }
    EXPECT_NE(nullptr, outliving->getHandle());
    outliving.reset();
}

TEST(CanvasRect, ClientCornersAreMovedToTheScreen) {
    EXPECT_THROW(gdi::toRect(RECT{5, 0, 1, 0}), err::InvalidArgumentException);
    const TestWindow window = staticWindow(100, 50);
    ASSERT_NE(nullptr, window.get());
    POINT origin{0, 0};
    ClientToScreen(window.get(), &origin);
    ASSERT_NE(0, origin.x);
    EXPECT_EQ(Rect(origin.x + 1, origin.y + 2, origin.x + 30, origin.y + 40),
              gdi::clientToScreen(Rect(1, 2, 30, 40), window.get()));
}
