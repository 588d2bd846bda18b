#pragma once
// Sound effects played from memory: the wave data are decoded and handed to
// the audio output, and the call returns at once. A new sound cuts off the one
// still playing; data that cannot be played, or a missing audio device, leave
// the game silent. Nothing here fails.

#include <QByteArray>
#include <vector>

namespace sound {

// Plays a RIFF WAVE file held in memory, asynchronously. True when it plays.
bool playFromMemory(const QByteArray& wave);

// The wave converted to the audio output's format (interleaved stereo float
// at its rate); empty when the data are no playable wave.
std::vector<float> decode(const QByteArray& wave);

}  // namespace sound
