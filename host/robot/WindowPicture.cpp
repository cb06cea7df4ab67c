#include "robot/WindowPicture.h"

#include <gdiplus.h>

#include "com/ComHolders.h"

namespace
{
// The PNG encoder of GDI+.
const CLSID PngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

class GdiplusSession
{
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        m_ok = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession()
    {
        if (m_ok)
            Gdiplus::GdiplusShutdown(m_token);
    }
    bool Ok() const { return m_ok; }

private:
    ULONG_PTR m_token = 0;
    bool m_ok = false;
};

struct GdiplusImageTraits
{
    using Handle = Gdiplus::GpBitmap*;
    static Handle Empty() { return nullptr; }
    static void Close(Handle image) { Gdiplus::DllExports::GdipDisposeImage(image); }
};
using GdiplusImage = UniqueHandle<GdiplusImageTraits>;

bool SaveBitmap(HBITMAP bitmap, const std::string& path)
{
    const GdiplusSession session;
    if (!session.Ok())
        return false;
    wchar_t widePath[MAX_PATH] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH))
        return false;
    GdiplusImage image;
    if (Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, image.Out()) != Gdiplus::Ok)
        return false;
    return Gdiplus::DllExports::GdipSaveImageToFile(image.Get(), widePath, &PngEncoder, nullptr) == Gdiplus::Ok;
}
}

bool SaveWindowPicture(HWND window, const std::string& path)
{
    if (!IsWindow(window))
        return false;
    // Paint what is pending (sent to the window's own thread). Nothing is
    // invalidated: a full repaint erases controls that then redraw late. The
    // window's thread draws through its own display connection, so its
    // last drawing may reach the screen a moment later.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(100);
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    const WindowDC screen(nullptr);
    const MemoryDC memory(CreateCompatibleDC(screen.Get()));
    const Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    const HGDIOBJ previous = SelectObject(memory.Get(), bitmap.Get());
    const bool copied =
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), frame.left, frame.top, SRCCOPY) != FALSE;
    SelectObject(memory.Get(), previous);
    return copied && SaveBitmap(bitmap.Get(), path);
}
