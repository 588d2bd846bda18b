#include "platform/sdl_library.h"

#include <dlfcn.h>

#include <mutex>

namespace sdl {

const Library& library()
{
    static Library lib;
    static std::once_flag once;
    std::call_once(once, [] {
        void* handle = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return;
        bool all = true;
#define TAVORO_SDL_RESOLVE(name)                                           \
    lib.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    all = all && lib.name;
        TAVORO_SDL_FUNCTIONS(TAVORO_SDL_RESOLVE)
#undef TAVORO_SDL_RESOLVE
        lib.loaded = all;
    });
    return lib;
}

}  // namespace sdl
