#pragma once
// SDL2, opened when the audio device is first opened (on the media worker),
// not linked to the program: its library and those it brings would otherwise
// be loaded and linked before the window could appear. Only the functions the
// audio output and the sound effects use.

#include <SDL.h>

namespace sdl {

#define TAVORO_SDL_FUNCTIONS(X)                                                          \
    X(SDL_SetHint) X(SDL_InitSubSystem) X(SDL_QuitSubSystem) X(SDL_OpenAudioDevice)      \
    X(SDL_CloseAudioDevice) X(SDL_PauseAudioDevice) X(SDL_LockAudioDevice)               \
    X(SDL_UnlockAudioDevice) X(SDL_RWFromConstMem) X(SDL_LoadWAV_RW) X(SDL_FreeWAV)      \
    X(SDL_BuildAudioCVT) X(SDL_ConvertAudio)

struct Library {
#define TAVORO_SDL_POINTER(name) decltype(&::name) name = nullptr;
    TAVORO_SDL_FUNCTIONS(TAVORO_SDL_POINTER)
#undef TAVORO_SDL_POINTER
    // False when the library or one of its functions is missing: then there
    // is no sound.
    bool loaded = false;
};

// The library, opened at the first call (from any thread).
const Library& library();

}  // namespace sdl
