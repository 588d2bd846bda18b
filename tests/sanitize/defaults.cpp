// Built into every program of a sanitizer build: how the sanitizers behave
// unless ASAN_OPTIONS, UBSAN_OPTIONS or LSAN_OPTIONS say otherwise.

#include <dlfcn.h>
#include <link.h>

#include <cstring>

extern "C" {

const char* __asan_default_options()
{
    // Leaks are looked for at exit; a finding ends the program with an error.
    // Nothing the game reads may make it ask for a gigabyte at once. The
    // suppressions name reads of system libraries that are not ours (see the
    // file).
    return "detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1"
           ":strict_string_checks=1:check_initialization_order=1:max_allocation_size_mb=1024"
           ":suppressions=" TAVORO_ASAN_SUPPRESSIONS;
}

const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

const char* __lsan_default_options()
{
    return "suppressions=" TAVORO_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

// The leak checker runs after everything else at exit and finds the memory
// still reachable from the loaded libraries' data. On Wayland, Qt's plug-in
// lets go of EGL at exit, and Mesa's EGL library then unloads its software
// driver and is unloaded itself: what they allocated and only they pointed to
// (the driver's caches) then looks leaked, reported as "allocated from
// <unknown module>". Those two stay loaded in a sanitizer build, so the check
// sees what they hold. Every other library is closed as usual; the game
// itself unloads nothing, so a leak of ours is found all the same.
int dlclose(void* handle)
{
    using Close = int (*)(void*);
    static const Close next = reinterpret_cast<Close>(dlsym(RTLD_NEXT, "dlclose"));
    link_map* map = nullptr;
    if (handle && dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name) {
        const char* name = map->l_name;
        const std::size_t length = std::strlen(name);
        const bool mesaEgl = std::strstr(name, "libEGL_mesa.so") != nullptr;
        const bool mesaDriver = length > 7 && std::strcmp(name + length - 7, "_dri.so") == 0;
        if (mesaEgl || mesaDriver)
            return 0;
    }
    return next(handle);
}

}  // extern "C"
