#include "platform/synth.h"

#include "platform/audio.h"
#include "platform/audio_libraries.h"
#include "platform/seams.h"

#include <QFileInfo>

namespace synth {

namespace {

void quiet(int, const char*, void*) {}

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
    if (!fluid::library().loaded) {
        e.failed = true;
        return nullptr;
    }

    for (int level = 0; level < LAST_LOG_LEVEL; ++level)
        fluid::library().fluid_set_log_function(level, quiet, nullptr);
    e.settings = fluid::library().new_fluid_settings();
    if (!e.settings) {
        e.failed = true;
        return nullptr;
    }
    fluid::library().fluid_settings_setnum(e.settings, "synth.sample-rate", audio::kSampleRate);
    fluid::library().fluid_settings_setnum(e.settings, "synth.gain", kGain);
    // Samples are read when an instrument is first chosen, so the large
    // General MIDI SoundFont neither delays the start nor fills the memory.
    fluid::library().fluid_settings_setint(e.settings, "synth.dynamic-sample-loading", 1);
    fluid::library().fluid_settings_setint(e.settings, "synth.lock-memory", 0);
    e.synth = fluid::library().new_fluid_synth(e.settings);
    if (e.synth)
        e.font = fluid::library().fluid_synth_sfload(e.synth, QFile::encodeName(font).constData(), 1);
    if (!e.synth || e.font == FLUID_FAILED) {
        if (e.synth)
            fluid::library().delete_fluid_synth(e.synth);
        fluid::library().delete_fluid_settings(e.settings);
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
    if (const auto& candidates = platform::seams().soundFontCandidates)
        return *candidates;
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
    fluid_player_t* p = fluid::library().new_fluid_player(s);
    if (!p)
        return nullptr;
    // The player keeps its own copy of the data.
    if (fluid::library().fluid_player_add_mem(p, midiFile.constData(), static_cast<size_t>(midiFile.size()))
        != FLUID_OK) {
        fluid::library().delete_fluid_player(p);
        return nullptr;
    }
    std::unique_ptr<MidiPlayer> player(new MidiPlayer(p));
    // The samples of every instrument the track plays are read now, not when
    // the track first chooses the instrument in the middle of a render.
    for (const smf::Timing::Preset& preset : presets) {
        if (fluid::library().fluid_synth_pin_preset(s, engine().font, preset.bank, preset.program) == FLUID_OK)
            player->pinned_.push_back(preset);
    }
    return player;
}

MidiPlayer::~MidiPlayer()
{
    fluid::library().fluid_player_stop(asPlayer(player_));
    fluid::library().delete_fluid_player(asPlayer(player_));
    if (fluid_synth_t* s = engine().synth) {
        fluid::library().fluid_synth_all_sounds_off(s, -1);
        fluid::library().fluid_synth_system_reset(s);
        for (const smf::Timing::Preset& preset : pinned_)
            fluid::library().fluid_synth_unpin_preset(s, engine().font, preset.bank, preset.program);
    }
}

void MidiPlayer::start()
{
    fluid::library().fluid_player_play(asPlayer(player_));
}

bool MidiPlayer::finished() const
{
    return fluid::library().fluid_player_get_status(asPlayer(player_)) == FLUID_PLAYER_DONE;
}

int64_t MidiPlayer::currentTick() const
{
    return fluid::library().fluid_player_get_current_tick(asPlayer(player_));
}

void MidiPlayer::render(float* out, int frames)
{
    fluid::library().fluid_synth_write_float(engine().synth, frames, out, 0, 2, out, 1, 2);
}

}  // namespace synth
