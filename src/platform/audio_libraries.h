#pragma once
// FluidSynth and SDL2, opened when first needed (on the media worker: when
// the music is first made ready, when the audio device first opens), not
// linked to the program: their libraries and the forty or so they bring
// (sound servers, codecs, GLib) would otherwise be loaded and linked before
// the window could appear. Only the functions the program uses.

#include <SDL.h>
#include <fluidsynth.h>

#define TAVORO_SDL_FUNCTIONS(X)                                                          \
    X(SDL_SetHint) X(SDL_InitSubSystem) X(SDL_QuitSubSystem) X(SDL_OpenAudioDevice)      \
    X(SDL_CloseAudioDevice) X(SDL_PauseAudioDevice) X(SDL_LockAudioDevice)               \
    X(SDL_UnlockAudioDevice) X(SDL_RWFromConstMem) X(SDL_LoadWAV_RW) X(SDL_FreeWAV)      \
    X(SDL_BuildAudioCVT) X(SDL_ConvertAudio) X(SDL_TLSCleanup)

#define TAVORO_FLUID_FUNCTIONS(X)                                                              \
    X(fluid_set_log_function) X(new_fluid_settings) X(delete_fluid_settings)                   \
    X(fluid_settings_setnum) X(fluid_settings_setint) X(new_fluid_synth) X(delete_fluid_synth) \
    X(fluid_synth_sfload) X(new_fluid_player) X(delete_fluid_player) X(fluid_player_add_mem)   \
    X(fluid_synth_pin_preset) X(fluid_synth_unpin_preset) X(fluid_player_stop)                 \
    X(fluid_synth_all_sounds_off) X(fluid_synth_system_reset) X(fluid_player_play)             \
    X(fluid_player_get_status) X(fluid_player_get_current_tick) X(fluid_synth_write_float)

#define TAVORO_LIBRARY_POINTER(name) decltype(&::name) name = nullptr;

namespace sdl {

struct Library {
    TAVORO_SDL_FUNCTIONS(TAVORO_LIBRARY_POINTER)
    // False when the library or one of its functions is missing: then there
    // is no sound.
    bool loaded = false;
};

// The library, opened at the first call (from any thread).
const Library& library();

// Whether it has been opened and found complete (never opens it).
bool isLoaded();

}  // namespace sdl

namespace fluid {

struct Library {
    TAVORO_FLUID_FUNCTIONS(TAVORO_LIBRARY_POINTER)
    // False when the library or one of its functions is missing: then there
    // is no music.
    bool loaded = false;
};

// The library, opened at the first call (from any thread).
const Library& library();

}  // namespace fluid
