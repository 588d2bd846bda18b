#include "platform/synth.h"

#include "platform/audio.h"

#include <QFileInfo>

#include <fluidsynth.h>

#include <dlfcn.h>

#include <mutex>

namespace synth {

namespace {

std::optional<QStringList> candidateOverride;

void quiet(int, const char*, void*) {}

// FluidSynth's library is opened when the synthesizer is first made (on the
// media worker), not linked to the program: it brings some forty libraries of
// its own (sound servers, codecs, GLib) whose loading and linking would
// otherwise come before the window could appear.
#define TAVORO_FLUID_FUNCTIONS(X)                                                              \
    X(fluid_set_log_function) X(new_fluid_settings) X(delete_fluid_settings)                   \
    X(fluid_settings_setnum) X(fluid_settings_setint) X(new_fluid_synth) X(delete_fluid_synth) \
    X(fluid_synth_sfload) X(new_fluid_player) X(delete_fluid_player) X(fluid_player_add_mem)   \
    X(fluid_synth_pin_preset) X(fluid_synth_unpin_preset) X(fluid_player_stop)                 \
    X(fluid_synth_all_sounds_off) X(fluid_synth_system_reset) X(fluid_player_play)             \
    X(fluid_player_get_status) X(fluid_player_get_current_tick) X(fluid_synth_write_float)

struct Fluid {
#define TAVORO_FLUID_POINTER(name) decltype(&::name) name = nullptr;
    TAVORO_FLUID_FUNCTIONS(TAVORO_FLUID_POINTER)
#undef TAVORO_FLUID_POINTER
    bool loaded = false;
};

// The library's functions; `loaded` is false when it or one of them is
// missing (then there is no music).
const Fluid& fluid()
{
    static Fluid f;
    static std::once_flag once;
    std::call_once(once, [] {
        void* lib = dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            return;
        bool all = true;
#define TAVORO_FLUID_RESOLVE(name)                                                   \
    f.name = reinterpret_cast<decltype(&::name)>(dlsym(lib, #name));                \
    all = all && f.name;
        TAVORO_FLUID_FUNCTIONS(TAVORO_FLUID_RESOLVE)
#undef TAVORO_FLUID_RESOLVE
        f.loaded = all;
    });
    return f;
}

// The program's one synthesizer, made at the first track and kept for the run
// (never freed: the process ends with it).
struct Engine {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    int font = -1;
    bool failed = false;
};

Engine& engine()
{
    static Engine e;
    return e;
}

fluid_synth_t* synthesizer()
{
    Engine& e = engine();
    if (e.synth || e.failed)
        return e.synth;
    const QString font = findSoundFont();
    if (font.isEmpty())
        return nullptr;  // perhaps installed later: looked for again next time
    if (!fluid().loaded) {
        e.failed = true;
        return nullptr;
    }

    for (int level = 0; level < LAST_LOG_LEVEL; ++level)
        fluid().fluid_set_log_function(level, quiet, nullptr);
    e.settings = fluid().new_fluid_settings();
    if (!e.settings) {
        e.failed = true;
        return nullptr;
    }
    fluid().fluid_settings_setnum(e.settings, "synth.sample-rate", audio::kSampleRate);
    fluid().fluid_settings_setnum(e.settings, "synth.gain", kGain);
    // Samples are read when an instrument is first chosen, so the large
    // General MIDI SoundFont neither delays the start nor fills the memory.
    fluid().fluid_settings_setint(e.settings, "synth.dynamic-sample-loading", 1);
    fluid().fluid_settings_setint(e.settings, "synth.lock-memory", 0);
    e.synth = fluid().new_fluid_synth(e.settings);
    if (e.synth)
        e.font = fluid().fluid_synth_sfload(e.synth, QFile::encodeName(font).constData(), 1);
    if (!e.synth || e.font == FLUID_FAILED) {
        if (e.synth)
            fluid().delete_fluid_synth(e.synth);
        fluid().delete_fluid_settings(e.settings);
        e.synth = nullptr;
        e.settings = nullptr;
        e.failed = true;
    }
    return e.synth;
}

fluid_player_t* asPlayer(void* p)
{
    return static_cast<fluid_player_t*>(p);
}

}  // namespace

QStringList soundFontCandidates()
{
    if (candidateOverride)
        return *candidateOverride;
    // TimGM6mb first: a small General MIDI font that sounds well enough for
    // the game's tunes and keeps the memory low (FluidR3 reads some 50 MiB
    // of samples for a track even on demand); Debian's default GM font when
    // it is the only one.
    return {
        QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"),
        QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
        QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2"),
        QStringLiteral("/usr/share/soundfonts/default.sf2"),
    };
}

QString findSoundFont()
{
    for (const QString& p : soundFontCandidates()) {
        const QFileInfo info(p);
        if (info.isFile() && info.isReadable())
            return info.absoluteFilePath();
    }
    return {};
}

void setSoundFontCandidatesForTesting(std::optional<QStringList> paths)
{
    candidateOverride = std::move(paths);
}

int sampleRate()
{
    return audio::kSampleRate;
}

std::unique_ptr<MidiPlayer> MidiPlayer::create(const QByteArray& midiFile,
                                               const std::vector<smf::Timing::Preset>& presets)
{
    if (findSoundFont().isEmpty())
        return nullptr;
    fluid_synth_t* s = synthesizer();
    if (!s)
        return nullptr;
    fluid_player_t* p = fluid().new_fluid_player(s);
    if (!p)
        return nullptr;
    // The player keeps its own copy of the data.
    if (fluid().fluid_player_add_mem(p, midiFile.constData(), static_cast<size_t>(midiFile.size()))
        != FLUID_OK) {
        fluid().delete_fluid_player(p);
        return nullptr;
    }
    std::unique_ptr<MidiPlayer> player(new MidiPlayer(p));
    // The samples of every instrument the track plays are read now, not when
    // the track first chooses the instrument in the middle of a render.
    for (const smf::Timing::Preset& preset : presets) {
        if (fluid().fluid_synth_pin_preset(s, engine().font, preset.bank, preset.program) == FLUID_OK)
            player->pinned_.push_back(preset);
    }
    return player;
}

MidiPlayer::~MidiPlayer()
{
    fluid().fluid_player_stop(asPlayer(player_));
    fluid().delete_fluid_player(asPlayer(player_));
    if (fluid_synth_t* s = engine().synth) {
        fluid().fluid_synth_all_sounds_off(s, -1);
        fluid().fluid_synth_system_reset(s);
        for (const smf::Timing::Preset& preset : pinned_)
            fluid().fluid_synth_unpin_preset(s, engine().font, preset.bank, preset.program);
    }
}

void MidiPlayer::start()
{
    fluid().fluid_player_play(asPlayer(player_));
}

bool MidiPlayer::finished() const
{
    return fluid().fluid_player_get_status(asPlayer(player_)) == FLUID_PLAYER_DONE;
}

int64_t MidiPlayer::currentTick() const
{
    return fluid().fluid_player_get_current_tick(asPlayer(player_));
}

void MidiPlayer::render(float* out, int frames)
{
    fluid().fluid_synth_write_float(engine().synth, frames, out, 0, 2, out, 1, 2);
}

}  // namespace synth
