// Where tones go: a playback stream that stays open from one tone to the next.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace sound {

// A 16-bit mono playback stream. The tone player (platform/sound/tone_player.h) opens it at its
// first tone, writes every tone into it as the tone comes, and lets it run dry between tones;
// after a failure it closes it and opens it again at the next tone. Any of these calls may take
// long or block (a sound server that is slow or never answers): only the player's own thread
// makes them. Not thread-safe: one thread at a time.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    // Opens the stream at `sample_rate`. False when there is no device or it failed; the stream
    // is then closed.
    virtual bool open(int32_t sample_rate) = 0;
    // Queues `samples` to be played after those written before, or at once when the stream has
    // run dry, and returns when the stream has taken them all, which may be before they have
    // been heard. False when the stream failed; the caller then closes it. Only on an open
    // stream.
    virtual bool write(std::span<const int16_t> samples) = 0;
    // Closes the stream, cutting off what it has not played yet. Nothing for a closed stream.
    virtual void close() = 0;
};

// The "default" device of the sound library, or, in a build without one, an output that never
// opens.
std::unique_ptr<SoundOutput> make_default_output();

// True when the program was built with a sound library; without one nothing is ever played.
bool sound_supported();

} // namespace sound
