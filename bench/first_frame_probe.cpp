// Loaded with LD_PRELOAD into a Qt program by startup_bench: the first time
// the program hands a painted frame to the X server, the probe waits until
// the server has it, tells startup_bench through a pipe and ends the process.
// The program itself knows nothing of it.
//
// Qt's xcb backing store sends a frame either from shared memory straight
// into the window (xcb_shm_put_image) or, without shared memory, by copying
// a server-side pixmap into the window (xcb_copy_area); those two calls are
// intercepted here.
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// The xcb libraries come in with Qt's platform plugin, which is loaded
// privately, so the real function is looked up in the loaded library itself.
template <typename Function>
Function real(const char *library, const char *name)
{
    void *function = dlsym(RTLD_NEXT, name);
    if (!function) {
        if (void *handle = dlopen(library, RTLD_NOW | RTLD_NOLOAD))
            function = dlsym(handle, name);
    }
    if (!function)
        _exit(4);
    return reinterpret_cast<Function>(function);
}

[[noreturn]] void frameSent(xcb_connection_t *connection)
{
    // A round trip: once the reply is back, the server has drawn the frame.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    const char *fdText = std::getenv("FIRST_FRAME_FD");
    const char shown = 'F';
    if (!fdText || write(std::atoi(fdText), &shown, 1) != 1)
        _exit(3);
    _exit(0);
}

} // namespace

extern "C" {

xcb_void_cookie_t xcb_shm_put_image(xcb_connection_t *c, xcb_drawable_t drawable, xcb_gcontext_t gc,
                                    uint16_t total_width, uint16_t total_height, uint16_t src_x, uint16_t src_y,
                                    uint16_t src_width, uint16_t src_height, int16_t dst_x, int16_t dst_y,
                                    uint8_t depth, uint8_t format, uint8_t send_event, xcb_shm_seg_t shmseg,
                                    uint32_t offset)
{
    static const auto next = real<decltype(&xcb_shm_put_image)>("libxcb-shm.so.0", "xcb_shm_put_image");
    next(c, drawable, gc, total_width, total_height, src_x, src_y, src_width, src_height, dst_x, dst_y, depth,
         format, send_event, shmseg, offset);
    frameSent(c);
}

xcb_void_cookie_t xcb_copy_area(xcb_connection_t *c, xcb_drawable_t src_drawable, xcb_drawable_t dst_drawable,
                                xcb_gcontext_t gc, int16_t src_x, int16_t src_y, int16_t dst_x, int16_t dst_y,
                                uint16_t width, uint16_t height)
{
    static const auto next = real<decltype(&xcb_copy_area)>("libxcb.so.1", "xcb_copy_area");
    next(c, src_drawable, dst_drawable, gc, src_x, src_y, dst_x, dst_y, width, height);
    frameSent(c);
}

} // extern "C"
