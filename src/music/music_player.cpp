// The music player behind the seven operations: libopenmpt decodes the XM songs and a PortAudio
// stream plays their mix on its own thread. One mutex guards the player; the output callback
// holds it while it mixes one buffer, so a song is never changed or freed under the mixer.
#include "music/music_player.h"
#include "music/music_render.h"

#include <alsa/asoundlib.h>
#include <libopenmpt/libopenmpt.h>
#include <portaudio.h>
#ifdef KIUAS_HAVE_JACK
#include <jack/jack.h>
#endif

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <vector>

MusicSong* menuSong = nullptr;
MusicSong* gameSong = nullptr;

struct MusicSong {
    openmpt_module* module = nullptr;
    bool looping = true;
    bool playing = false;
};

namespace {

constexpr int minMixRate = 8000;
constexpr int maxMixRate = 192000;
constexpr unsigned long framesPerBuffer = 1024;
constexpr double outputLatency = 0.08;
constexpr int mixChunkFrames = 256;

struct Player {
    std::mutex lock;
    bool started = false;
    int mixRate = 0;
    PaStream* stream = nullptr;
    std::vector<MusicSong*> songs; // every loaded song not yet freed
};

Player player;

// a song handle that is loaded and not yet freed; the caller holds the lock
bool knownSong(const MusicSong* song) {
    return song != nullptr &&
           std::find(player.songs.begin(), player.songs.end(), song) != player.songs.end();
}

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

#ifdef KIUAS_HAVE_JACK
void ignoreJackMessage(const char*) {}
#endif

// keeps the sound libraries from writing to stderr while they look for a device
void quietSoundLibraries() {
    snd_lib_error_set_handler(ignoreAlsaMessage);
#ifdef KIUAS_HAVE_JACK
    jack_set_error_function(ignoreJackMessage);
    jack_set_info_function(ignoreJackMessage);
#endif
}

// adds a song's next frames into out; a song without looping stops at its end
void mixSong(MusicSong& song, int mixRate, float* out, int frameCount) {
    float chunk[2 * mixChunkFrames];
    int done = 0;
    while (done < frameCount) {
        const int wanted = std::min(mixChunkFrames, frameCount - done);
        const size_t got =
            openmpt_module_read_interleaved_float_stereo(song.module, mixRate, wanted, chunk);
        if (got == 0) {
            song.playing = false;
            return;
        }
        for (size_t i = 0; i < 2 * got; ++i) {
            out[2 * done + i] += chunk[i];
        }
        done += static_cast<int>(got);
    }
}

int outputCallback(const void*, void* output, unsigned long frameCount,
                   const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void*) {
    musicRender(static_cast<float*>(output), static_cast<int>(frameCount));
    return paContinue;
}

// opens and starts the default output; null when there is none
PaStream* openOutput(int mixRate) {
    const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    if (device == paNoDevice) {
        return nullptr;
    }
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    PaStreamParameters out{};
    out.device = device;
    out.channelCount = 2;
    out.sampleFormat = paFloat32;
    out.suggestedLatency =
        info != nullptr ? std::max(outputLatency, info->defaultLowOutputLatency) : outputLatency;
    PaStream* stream = nullptr;
    if (Pa_OpenStream(&stream, nullptr, &out, mixRate, framesPerBuffer, paNoFlag, outputCallback,
                      nullptr) != paNoError) {
        return nullptr;
    }
    return stream;
}

bool validMixRate(int mixRate) {
    return mixRate >= minMixRate && mixRate <= maxMixRate;
}

// the file's bytes; empty when it can't be read (a folder opens but does not read)
std::vector<char> readWholeFile(const char* path) {
    std::vector<char> data;
    std::FILE* in = std::fopen(path, "rb");
    if (in == nullptr) {
        return data;
    }
    char block[65536];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, in)) > 0) {
        data.insert(data.end(), block, block + got);
    }
    if (std::ferror(in)) {
        data.clear();
    }
    std::fclose(in);
    return data;
}

} // namespace

// opens the sound output; false, and a silent player, when there is no device
bool FSOUND_Init(int mixRate, int, unsigned int) {
    {
        std::lock_guard<std::mutex> hold(player.lock);
        if (player.started) {
            return true;
        }
    }
    if (!validMixRate(mixRate)) {
        return false;
    }
    quietSoundLibraries();
    if (Pa_Initialize() != paNoError) {
        return false;
    }
    PaStream* stream = openOutput(mixRate);
    if (stream == nullptr) {
        Pa_Terminate();
        return false;
    }
    {
        std::lock_guard<std::mutex> hold(player.lock);
        player.started = true;
        player.mixRate = mixRate;
        player.stream = stream;
    }
    if (Pa_StartStream(stream) != paNoError) {
        {
            std::lock_guard<std::mutex> hold(player.lock);
            player.started = false;
            player.stream = nullptr;
        }
        Pa_CloseStream(stream);
        Pa_Terminate();
        return false;
    }
    return true;
}

bool musicStartWithoutOutput(int mixRate) {
    std::lock_guard<std::mutex> hold(player.lock);
    if (player.started) {
        return true;
    }
    if (!validMixRate(mixRate)) {
        return false;
    }
    player.started = true;
    player.mixRate = mixRate;
    return true;
}

// stops the output and frees every song still loaded
void FSOUND_Close() {
    PaStream* stream = nullptr;
    {
        std::lock_guard<std::mutex> hold(player.lock);
        if (!player.started) {
            return;
        }
        stream = player.stream;
        player.stream = nullptr;
    }
    // the callback takes the lock, so the stream is stopped without holding it
    if (stream != nullptr) {
        Pa_StopStream(stream);
        Pa_CloseStream(stream);
        Pa_Terminate();
    }
    std::vector<MusicSong*> left;
    {
        std::lock_guard<std::mutex> hold(player.lock);
        left.swap(player.songs);
        player.started = false;
        player.mixRate = 0;
    }
    for (MusicSong* song : left) {
        openmpt_module_destroy(song->module);
        delete song;
    }
}

void musicRender(float* frames, int frameCount) {
    std::fill(frames, frames + 2 * frameCount, 0.0f);
    std::lock_guard<std::mutex> hold(player.lock);
    for (MusicSong* song : player.songs) {
        if (song->playing) {
            mixSong(*song, player.mixRate, frames, frameCount);
        }
    }
    for (int i = 0; i < 2 * frameCount; ++i) {
        frames[i] = std::clamp(frames[i], -1.0f, 1.0f);
    }
}

bool musicSongPlaying(const MusicSong* song) {
    std::lock_guard<std::mutex> hold(player.lock);
    return knownSong(song) && song->playing;
}

// loads a whole XM file; null when the player is not started or the file is missing or unreadable
MusicSong* FMUSIC_LoadSong(const char* path) {
    if (path == nullptr) {
        return nullptr;
    }
    {
        std::lock_guard<std::mutex> hold(player.lock);
        if (!player.started) {
            return nullptr;
        }
    }
    const std::vector<char> data = readWholeFile(path);
    if (data.empty()) {
        return nullptr;
    }
    openmpt_module* module = openmpt_module_create_from_memory2(
        data.data(), data.size(), openmpt_log_func_silent, nullptr, openmpt_error_func_ignore,
        nullptr, nullptr, nullptr, nullptr);
    if (module == nullptr) {
        return nullptr;
    }
    openmpt_module_set_repeat_count(module, -1);
    MusicSong* song = new MusicSong{module, true, false};
    {
        std::lock_guard<std::mutex> hold(player.lock);
        if (player.started) {
            player.songs.push_back(song);
            return song;
        }
    }
    openmpt_module_destroy(module);
    delete song;
    return nullptr;
}

// looping on repeats the song forever; off lets it end and fall silent
bool FMUSIC_SetLooping(MusicSong* song, bool looping) {
    std::lock_guard<std::mutex> hold(player.lock);
    if (!knownSong(song)) {
        return false;
    }
    song->looping = looping;
    openmpt_module_set_repeat_count(song->module, looping ? -1 : 0);
    return true;
}

// starts the song from its beginning, whether or not it played before
bool FMUSIC_PlaySong(MusicSong* song) {
    std::lock_guard<std::mutex> hold(player.lock);
    if (!knownSong(song)) {
        return false;
    }
    openmpt_module_set_position_seconds(song->module, 0.0);
    openmpt_module_set_repeat_count(song->module, song->looping ? -1 : 0);
    song->playing = true;
    return true;
}

// silences the song at once
bool FMUSIC_StopSong(MusicSong* song) {
    std::lock_guard<std::mutex> hold(player.lock);
    if (!knownSong(song)) {
        return false;
    }
    song->playing = false;
    return true;
}

// releases the song, playing or not
bool FMUSIC_FreeSong(MusicSong* song) {
    {
        std::lock_guard<std::mutex> hold(player.lock);
        if (!knownSong(song)) {
            return false;
        }
        player.songs.erase(std::find(player.songs.begin(), player.songs.end(), song));
    }
    openmpt_module_destroy(song->module);
    delete song;
    return true;
}
