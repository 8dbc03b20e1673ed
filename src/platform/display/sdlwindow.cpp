// The desktop window (SDL2): shows the screen scaled, turns pointer and key events into
// injected input and moves the platform's clock in real time while a message loop waits.
#include "platform/display/display.h"

#ifdef SKINKIT_HAVE_SDL2

#include "platform/gdi/gdidevice.h"
#include "platform/user/userdevice.h"

#include <SDL.h>

#include <algorithm>

namespace {

bool g_open = false; // one desktop window at a time

class SdlDesktopWindow : public DesktopWindow, public UserHostDriver {
public:
    SdlDesktopWindow(int scale) : m_scale(scale) {}
    ~SdlDesktopWindow() override;
    bool Init(const char* title);

    void Present() override;
    bool IsOpen() const override { return m_open; }
    int Scale() const override { return m_scale; }
    void SetTitle(const char* title) override {
        if (m_window) SDL_SetWindowTitle(m_window, title);
    }
    bool Wait() override;

private:
    void Handle(const SDL_Event& e);
    void FollowRealTime();
    bool MakeTexture(int width, int height);

    int m_scale;
    bool m_open = false;
    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture* m_texture = nullptr;
    int m_width = 0;
    int m_height = 0;
    uint64_t m_shown = 0;   // screen serial last presented
    Uint32 m_realStart = 0; // real time when the window opened
    DWORD m_clockStart = 0; // the platform's clock then
};

bool SdlDesktopWindow::Init(const char* title) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) return false;
    SIZE s = GdiGetScreenSize();
    m_window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                s.cx * m_scale, s.cy * m_scale, 0);
    if (m_window) m_renderer = SDL_CreateRenderer(m_window, -1, 0);
    if (!m_renderer || !MakeTexture(s.cx, s.cy)) return false;
    m_realStart = SDL_GetTicks();
    m_clockStart = UserGetClock();
    m_open = true;
    UserSetHostDriver(this);
    Present();
    return true;
}

SdlDesktopWindow::~SdlDesktopWindow() {
    UserSetHostDriver(nullptr);
    if (m_texture) SDL_DestroyTexture(m_texture);
    if (m_renderer) SDL_DestroyRenderer(m_renderer);
    if (m_window) SDL_DestroyWindow(m_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    g_open = false;
}

bool SdlDesktopWindow::MakeTexture(int width, int height) {
    if (m_texture) SDL_DestroyTexture(m_texture);
    // The screen keeps 0x00RRGGBB in 32 bits, which is SDL's RGB888.
    m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                  width, height);
    m_width = width;
    m_height = height;
    return m_texture != nullptr;
}

void SdlDesktopWindow::Present() {
    if (!m_renderer) return;
    GdiScreenPixels p = GdiGetScreenPixels();
    if ((p.width != m_width || p.height != m_height) && !MakeTexture(p.width, p.height)) return;
    SDL_UpdateTexture(m_texture, nullptr, p.bits, int(p.stride));
    SDL_RenderClear(m_renderer);
    SDL_RenderCopy(m_renderer, m_texture, nullptr, nullptr);
    SDL_RenderPresent(m_renderer);
    m_shown = GdiGetScreenSerial();
}

void SdlDesktopWindow::FollowRealTime() {
    DWORD target = m_clockStart + DWORD(SDL_GetTicks() - m_realStart);
    LONG ahead = LONG(target - UserGetClock());
    if (ahead > 0) UserAdvanceClock(DWORD(ahead));
}

UINT KeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return UINT('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return UINT('0' + (key - SDLK_0));
    switch (key) {
    case SDLK_RETURN:
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_DOWN:
        return VK_DOWN;
    default:
        return 0;
    }
}

void SdlDesktopWindow::Handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        if (m_open) PostQuitMessage(0);
        m_open = false;
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT)
            UserInjectPointerDown(e.button.x / m_scale, e.button.y / m_scale);
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT)
            UserInjectPointerUp(e.button.x / m_scale, e.button.y / m_scale);
        break;
    case SDL_MOUSEMOTION:
        UserInjectPointerMove(e.motion.x / m_scale, e.motion.y / m_scale);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (UINT vk = KeyOf(e.key.keysym.sym)) UserInjectKey(vk, e.type == SDL_KEYDOWN);
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED) Present();
        break;
    default:
        break;
    }
}

bool SdlDesktopWindow::Wait() {
    if (!m_open) return false;
    if (GdiGetScreenSerial() != m_shown) Present();
    FollowRealTime();
    // Sleep until an event comes or the next timer is due.
    int timeout = 100;
    if (DWORD due = 0; UserNextTimerDue(&due))
        timeout = std::clamp(int(LONG(due - UserGetClock())), 0, 100);
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, timeout)) {
        Handle(e);
        while (SDL_PollEvent(&e))
            Handle(e);
    }
    FollowRealTime();
    return true;
}

} // namespace

std::unique_ptr<DesktopWindow> OpenSdlDesktopWindow(int scale, const char* title) {
    if (g_open) return nullptr;
    auto window = std::make_unique<SdlDesktopWindow>(scale);
    g_open = true;
    if (!window->Init(title)) return nullptr; // its destructor undoes what was done
    return window;
}

#else

std::unique_ptr<DesktopWindow> OpenSdlDesktopWindow(int, const char*) {
    return nullptr;
}

#endif
