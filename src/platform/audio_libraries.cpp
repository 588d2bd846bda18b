#include "platform/audio_libraries.h"

#include <dlfcn.h>

#include <atomic>
#include <initializer_list>
#include <mutex>
#include <utility>

namespace {

using Symbol = std::pair<void**, const char*>;

// Opens the library `soname` and fills in each pointer from its symbol;
// false when the library or any of them is missing.
bool open(const char* soname, std::initializer_list<Symbol> symbols)
{
    void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return false;
    bool all = true;
    for (const auto& [pointer, name] : symbols) {
        *pointer = dlsym(handle, name);
        all = all && *pointer;
    }
    return all;
}

#define TAVORO_LIBRARY_SYMBOL(name) Symbol{reinterpret_cast<void**>(&lib.name), #name},

}  // namespace

namespace sdl {

namespace {
std::atomic<bool> opened{false};
}

const Library& library()
{
    static Library lib;
    static std::once_flag once;
    std::call_once(once, [] {
        lib.loaded = open("libSDL2-2.0.so.0", {TAVORO_SDL_FUNCTIONS(TAVORO_LIBRARY_SYMBOL)});
        opened = lib.loaded;
    });
    return lib;
}

bool isLoaded()
{
    return opened;
}

}  // namespace sdl

namespace fluid {

const Library& library()
{
    static Library lib;
    static std::once_flag once;
    std::call_once(once, [] {
        lib.loaded = open("libfluidsynth.so.3", {TAVORO_FLUID_FUNCTIONS(TAVORO_LIBRARY_SYMBOL)});
    });
    return lib;
}

}  // namespace fluid
