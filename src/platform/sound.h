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

// The same without waiting for the sound device or the decoding: both happen
// on the media engine's workers, in the order the sounds were asked for, and
// the sound starts as soon as the device is open. The caller never waits for the
// device's libraries to load.
void playInBackground(const QByteArray& wave);

// The wave converted to the audio output's format (interleaved stereo float
// at its rate); empty when the data are no playable wave.
std::vector<float> decode(const QByteArray& wave);

}  // namespace sound
