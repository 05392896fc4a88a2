#include "IconSamples.hpp"

#include "err/Exceptions.hpp"
#include "gdi/Bitmap.hpp"
#include "gdi/CompatibleCanvas.hpp"
#include "gdi/Font.hpp"
#include "gdi/GivenCanvas.hpp"
#include "gdi/Icon.hpp"
#include "gdi/MemoryCanvas.hpp"
#include "gdi/NonClientCanvas.hpp"
#include "gdi/PaintCanvas.hpp"
#include "gdi/RectWin32.hpp"
#include "gdi/UpdateCanvas.hpp"
#include "gdi/WeakCanvas.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

using gdi::Rect;

namespace {

const COLORREF white = RGB(255, 255, 255);
const COLORREF red = RGB(255, 0, 0);
const COLORREF blue = RGB(0, 0, 255);

// An off-screen canvas compatible with the screen, filled with one colour.
class PixelCanvas {
public:
    explicit PixelCanvas(COLORREF fill = white, int width = 20, int height = 20)
        : canvas_(screen_.getHandle(), width, height) {
        canvas_.setBackgroundColor(fill);
        canvas_.fillRect(Rect(0, 0, width, height));
    }

    gdi::MemoryCanvas& operator*() { return canvas_; }
    gdi::MemoryCanvas* operator->() { return &canvas_; }
    COLORREF at(int x, int y) { return GetPixel(canvas_.getHandle(), x, y); }

    int count(COLORREF colour, const RECT& area = RECT{0, 0, 20, 20}) {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += at(x, y) == colour ? 1 : 0;
        return n;
    }

private:
    gdi::UpdateCanvas screen_{nullptr};
    gdi::MemoryCanvas canvas_;
};

// A real top-level window of the system's static class, destroyed with the object.
class TestWindow {
public:
    TestWindow(int width, int height, DWORD style = WS_POPUP)
        : handle_(CreateWindowExW(0, L"STATIC", L"", style, 50, 60, width, height, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~TestWindow() {
        if (handle_)
            DestroyWindow(handle_);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND get() const { return handle_; }

private:
    HWND handle_;
};

// A memory device context with a brush, pen, font and bitmap of its own selected, as a
// caller handing a device context to a canvas would have it.
class PreparedDc {
public:
    PreparedDc() {
        dc = CreateCompatibleDC(nullptr);
        const HDC screen = GetDC(nullptr);
        bitmap = CreateCompatibleBitmap(screen, 8, 8);
        ReleaseDC(nullptr, screen);
        brush = CreateSolidBrush(RGB(1, 2, 3));
        pen = CreatePen(PS_SOLID, 3, RGB(4, 5, 6));
        font = CreateFontW(-21, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        oldBitmap = SelectObject(dc, bitmap);
        oldBrush = SelectObject(dc, brush);
        oldPen = SelectObject(dc, pen);
        oldFont = SelectObject(dc, font);
    }
    ~PreparedDc() {
        SelectObject(dc, oldBitmap);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldFont);
        DeleteDC(dc);
        DeleteObject(bitmap);
        DeleteObject(brush);
        DeleteObject(pen);
        DeleteObject(font);
    }
    PreparedDc(const PreparedDc&) = delete;
    PreparedDc& operator=(const PreparedDc&) = delete;

    void expectOwnObjectsSelected() const {
        EXPECT_EQ(static_cast<HGDIOBJ>(brush), GetCurrentObject(dc, OBJ_BRUSH));
        EXPECT_EQ(static_cast<HGDIOBJ>(pen), GetCurrentObject(dc, OBJ_PEN));
        EXPECT_EQ(static_cast<HGDIOBJ>(font), GetCurrentObject(dc, OBJ_FONT));
        EXPECT_EQ(static_cast<HGDIOBJ>(bitmap), GetCurrentObject(dc, OBJ_BITMAP));
    }

    HDC dc;
    HBITMAP bitmap;
    HBRUSH brush;
    HPEN pen;
    HFONT font;

private:
    HGDIOBJ oldBitmap, oldBrush, oldPen, oldFont;
};

void expectManagedState(const gdi::Canvas& canvas) {
    EXPECT_EQ(GetStockObject(DC_BRUSH), GetCurrentObject(canvas.getHandle(), OBJ_BRUSH));
    EXPECT_EQ(GetStockObject(DC_PEN), GetCurrentObject(canvas.getHandle(), OBJ_PEN));
    EXPECT_EQ(static_cast<HGDIOBJ>(canvas.getFont()->getHandle()), GetCurrentObject(canvas.getHandle(), OBJ_FONT));
}

template <typename F>
std::string systemErrorOf(F call) {
    try {
        call();
    } catch (const err::SystemException& e) {
        return e.what();
    } catch (const std::exception& e) {
        return std::string("unexpected exception: ") + e.what();
    }
    return "no exception";
}

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool closeTo(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace

TEST(CanvasFill, InclusiveCornersFillTheWholeSquareExclusiveOnesLeaveRightAndBottomOut) {
    PixelCanvas canvas;
    canvas->setBackgroundColor(red);
    canvas->fillRect(0, 0, 9, 9);
    EXPECT_EQ(red, canvas.at(9, 9));
    EXPECT_EQ(white, canvas.at(10, 10));
    EXPECT_EQ(100, canvas.count(red));

    canvas->setBackgroundColor(blue);
    canvas->fillRect(Rect(12, 3, 15, 7));
    EXPECT_EQ(blue, canvas.at(14, 6));
    EXPECT_EQ(12, canvas.count(blue));
}

TEST(CanvasDraw, RectangleOutlineCoversEveryEdgePixelAndNothingElse) {
    for (int form = 0; form < 2; ++form) {
        PixelCanvas canvas;
        canvas->setForegroundColor(blue);
        if (form == 0)
            canvas->drawRect(2, 3, 8, 9);
        else
            canvas->drawRect(Rect(2, 3, 9, 10));
        int wrong = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const bool edge = ((x == 2 || x == 8) && y >= 3 && y <= 9) || ((y == 3 || y == 9) && x >= 2 && x <= 8);
                wrong += canvas.at(x, y) == (edge ? blue : white) ? 0 : 1;
            }
        }
        EXPECT_EQ(0, wrong) << "form " << form;
    }
}

TEST(CanvasDraw, TextUsesTheColoursAndStaysInItsRectangle) {
    PixelCanvas canvas(white, 60, 30);
    const COLORREF green = RGB(0, 160, 0);
    canvas->setBackgroundColor(green);
    canvas->setForegroundColor(RGB(0, 0, 0));
    const Rect needed = canvas->measureText(L"W", DT_SINGLELINE | DT_NOPREFIX);
    ASSERT_GT(needed.getWidth(), 0);
    ASSERT_LT(needed.getWidth(), 30);
    canvas->drawText(Rect(0, 0, 30, 30), L"W", DT_SINGLELINE | DT_NOPREFIX);

    // An opaque background in the text colour pair: background pixels are the background
    // colour, the glyph is darker, and nothing is drawn beyond the text's cell.
    const RECT cell{0, 0, needed.right, needed.bottom};
    const int area = needed.right * needed.bottom;
    const int background = canvas.count(green, cell);
    EXPECT_GT(background, 0);
    EXPECT_LT(background, area);
    EXPECT_EQ(60 * 30 - area, canvas.count(white, RECT{0, 0, 60, 30}));
}

TEST(CanvasText, MeasuringStartsAtTheOriginOrTheGivenRectangle) {
    PixelCanvas canvas;
    const int lineHeight = canvas->getTextHeight();
    ASSERT_GT(lineHeight, 0);

    const Rect line = canvas->measureText(L"Hello", DT_SINGLELINE);
    EXPECT_EQ(0, line.left);
    EXPECT_EQ(0, line.top);
    EXPECT_GT(line.getWidth(), 0);
    EXPECT_EQ(lineHeight, line.getHeight());

    const Rect placed = canvas->measureText(L"Hello", DT_SINGLELINE, Rect(5, 7, 300, 100));
    EXPECT_EQ(5, placed.left);
    EXPECT_EQ(7, placed.top);
    EXPECT_EQ(line.getWidth(), placed.getWidth());

    // Word breaking within a narrow bounding rectangle needs several lines.
    const Rect wrapped = canvas->measureText(L"one two three four", DT_WORDBREAK, Rect(0, 0, line.getWidth(), 1));
    EXPECT_GE(wrapped.getHeight(), 2 * lineHeight);
    EXPECT_EQ(0, wrapped.getHeight() % lineHeight);

    // Nothing is drawn while measuring.
    EXPECT_EQ(400, canvas.count(white));
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
    EXPECT_EQ(watchLarge.lock(), canvas->getFont());
    expectManagedState(*canvas);

    // Selecting another font releases the canvas's share of the previous one.
    canvas->selectFont(std::make_shared<gdi::Font>(L"Arial", 8, FW_NORMAL, false));
    EXPECT_TRUE(watchLarge.expired());
    EXPECT_LT(canvas->getTextHeight(), defaultHeight + 20);

    EXPECT_THROW(canvas->selectFont(nullptr), err::InvalidArgumentException);
}

TEST(CanvasState, GivenCanvasPutsBackWhatWasSelected) {
    PreparedDc prepared;
    auto other = std::make_shared<gdi::Font>(L"Arial", 30, FW_NORMAL, false);
    const HBITMAP otherBitmap = CreateBitmap(4, 4, 1, 1, nullptr);
    {
        gdi::GivenCanvas canvas(nullptr, prepared.dc);
        EXPECT_EQ(prepared.dc, canvas.getHandle());
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
}

TEST(CanvasState, WeakCanvasSelectsAndRestoresNothing) {
    PreparedDc prepared;
    auto other = std::make_shared<gdi::Font>(L"Arial", 30, FW_NORMAL, false);
    {
        gdi::WeakCanvas canvas(nullptr, prepared.dc);
        prepared.expectOwnObjectsSelected();
        canvas.selectFont(other);
    }
    EXPECT_EQ(static_cast<HGDIOBJ>(other->getHandle()), GetCurrentObject(prepared.dc, OBJ_FONT));
    EXPECT_EQ(static_cast<HGDIOBJ>(prepared.brush), GetCurrentObject(prepared.dc, OBJ_BRUSH));
    SelectObject(prepared.dc, prepared.font);
}

TEST(CanvasKinds, MemoryCanvasTakesTheSizeOfTheWindowOwningTheDc) {
    TestWindow window(123, 45);
    ASSERT_NE(nullptr, window.get());
    const HDC windowDc = GetDC(window.get());
    ASSERT_NE(nullptr, windowDc);
    std::shared_ptr<gdi::Bitmap> bitmap;
    {
        gdi::MemoryCanvas canvas(windowDc);
        bitmap = canvas.getBitmap();
        ASSERT_NE(nullptr, bitmap);
        EXPECT_EQ(123, bitmap->getWidth());
        EXPECT_EQ(45, bitmap->getHeight());
        EXPECT_EQ(static_cast<HGDIOBJ>(bitmap->getHandle()), GetCurrentObject(canvas.getHandle(), OBJ_BITMAP));
        // Compatible with the window's device context, not with the monochrome memory one.
        BITMAP info{};
        GetObjectW(bitmap->getHandle(), sizeof info, &info);
        EXPECT_EQ(GetDeviceCaps(windowDc, BITSPIXEL), info.bmBitsPixel);
        expectManagedState(canvas);
    }
    ReleaseDC(window.get(), windowDc);

    // The ended canvas gave the bitmap free: it can be selected elsewhere and still drawn.
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

TEST(CanvasKinds, WindowCanvasesBelongToTheirWindow) {
    TestWindow window(200, 100, WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, window.get());
    {
        gdi::UpdateCanvas client(window.get());
        EXPECT_EQ(window.get(), WindowFromDC(client.getHandle()));
        expectManagedState(client);
    }
    {
        gdi::NonClientCanvas whole(window.get());
        EXPECT_EQ(window.get(), WindowFromDC(whole.getHandle()));
        expectManagedState(whole);
    }
}

TEST(CanvasKinds, PaintCanvasValidatesWhatItPaints) {
    TestWindow window(80, 40);
    ASSERT_NE(nullptr, window.get());
    ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    InvalidateRect(window.get(), nullptr, FALSE);
    ASSERT_TRUE(GetUpdateRect(window.get(), nullptr, FALSE));
    {
        gdi::PaintCanvas canvas(window.get());
        EXPECT_EQ(Rect(0, 0, 80, 40), canvas.getUpdateRect());
        EXPECT_EQ(window.get(), canvas.getWindow());
        expectManagedState(canvas);
    }
    EXPECT_FALSE(GetUpdateRect(window.get(), nullptr, FALSE));
}

TEST(CanvasKinds, FailuresToObtainADeviceContextAreSystemErrors) {
    HWND gone = nullptr;
    {
        TestWindow window(10, 10);
        gone = window.get();
    }
    ASSERT_FALSE(IsWindow(gone));
    const HDC deleted = CreateCompatibleDC(nullptr);
    DeleteDC(deleted);

    const std::string paint = systemErrorOf([&] { gdi::PaintCanvas canvas(gone); });
    EXPECT_TRUE(startsWith(paint, "Postcondition failed:\ngdi::PaintCanvas::PaintCanvas\ndc != 0\n")) << paint;
    const std::string update = systemErrorOf([&] { gdi::UpdateCanvas canvas(gone); });
    EXPECT_TRUE(startsWith(update, "Postcondition failed:\ngdi::UpdateCanvas::UpdateCanvas\ndc != 0\n")) << update;
    const std::string whole = systemErrorOf([&] { gdi::NonClientCanvas canvas(gone); });
    EXPECT_TRUE(startsWith(whole, "Postcondition failed:\ngdi::NonClientCanvas::NonClientCanvas\ndc != 0\n"))
        << whole;
    const std::string compatible = systemErrorOf([&] { gdi::CompatibleCanvas canvas(deleted); });
    EXPECT_TRUE(startsWith(compatible, "Postcondition failed:\ngdi::CompatibleCanvas::CompatibleCanvas\ndc != 0\n"))
        << compatible;
}

TEST(CanvasKinds, MissingBitmapIsASystemError) {
    gdi::UpdateCanvas screen(nullptr);
    const std::string message = systemErrorOf([&] { gdi::MemoryCanvas canvas(screen.getHandle(), 0x8000000, 16); });
    EXPECT_TRUE(startsWith(message, "Postcondition failed:\ngdi::MemoryCanvas::MemoryCanvas\nbmp\n")) << message;
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

TEST(CanvasBlit, CopyPutsTheSourceRectangleAtTheTargetPoint) {
    PixelCanvas source;
    source->setBackgroundColor(blue);
    source->fillRect(2, 2, 4, 4);
    PixelCanvas target;
    source->copyTo(Rect(2, 2, 6, 6), *target, 10, 11);
    EXPECT_EQ(blue, target.at(10, 11));
    EXPECT_EQ(blue, target.at(12, 13));
    EXPECT_EQ(9, target.count(blue));
    // The white column and row of the source rectangle came along too.
    EXPECT_EQ(white, target.at(13, 14));
    EXPECT_EQ(400 - 9, target.count(white));
}

TEST(CanvasBlit, BlendingMixesByTheOpacityHeldWithinZeroToOne) {
    const COLORREF front = RGB(200, 100, 0);
    const COLORREF back = RGB(0, 100, 200);
    PixelCanvas source(front);
    PixelCanvas target(back);

    source->blendTo(Rect(0, 0, 5, 5), *target, 10, 10, 0.5);
    EXPECT_TRUE(closeTo(RGB(100, 100, 100), target.at(10, 10), 2)) << std::hex << target.at(10, 10);
    EXPECT_TRUE(closeTo(RGB(100, 100, 100), target.at(14, 14), 2)) << std::hex << target.at(14, 14);
    EXPECT_EQ(400 - 25, target.count(back));

    source->blendTo(Rect(0, 0, 4, 4), *target, 0, 0, 1.7);
    EXPECT_EQ(16, target.count(front));
    source->blendTo(Rect(0, 0, 4, 4), *target, 5, 0, -0.5);
    EXPECT_EQ(back, target.at(5, 0));
}

TEST(CanvasRect, ClientCornersAreMovedToTheScreen) {
    EXPECT_THROW(gdi::toRect(RECT{5, 0, 1, 0}), err::InvalidArgumentException);
    TestWindow window(100, 50);
    ASSERT_NE(nullptr, window.get());
    POINT origin{0, 0};
    ClientToScreen(window.get(), &origin);
    ASSERT_NE(0, origin.x);
    EXPECT_EQ(Rect(origin.x + 1, origin.y + 2, origin.x + 30, origin.y + 40),
              gdi::clientToScreen(Rect(1, 2, 30, 40), window.get()));
}
