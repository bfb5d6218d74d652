#include "music/music_player.h"
#include "music/music_render.h"
#include "tiny_xm.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

constexpr int mixRate = 44100;

int framesOf(double seconds) {
    return static_cast<int>(seconds * mixRate);
}

// interleaved stereo frames mixed by the player, the same way the output callback gets them
std::vector<float> render(double seconds) {
    std::vector<float> frames(2 * framesOf(seconds));
    musicRender(frames.data(), framesOf(seconds));
    return frames;
}

// root mean square over the frames [from, to) seconds
double rms(const std::vector<float>& frames, double from, double to) {
    const std::size_t first = 2 * static_cast<std::size_t>(framesOf(from));
    const std::size_t last = std::min(frames.size(), 2 * static_cast<std::size_t>(framesOf(to)));
    double sum = 0;
    for (std::size_t i = first; i < last; ++i) {
        sum += double(frames[i]) * frames[i];
    }
    return last > first ? std::sqrt(sum / double(last - first)) : 0;
}

bool allZero(const std::vector<float>& frames) {
    return std::all_of(frames.begin(), frames.end(), [](float v) { return v == 0.0f; });
}

double maxDifference(const std::vector<float>& a, const std::vector<float>& b) {
    double most = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        most = std::max(most, double(std::fabs(a[i] - b[i])));
    }
    return most;
}

std::string tempPath(const std::string& name) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // ctest runs some tests twice at once, so the process id keeps their files apart
    return ::testing::TempDir() + "kiuas-" + std::to_string(getpid()) + "-" +
           test->test_suite_name() + "-" + test->name() + "-" + name;
}

std::string writeFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    const std::string path = tempPath(name);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string writeSong(const std::string& name, const TinyXm& song = {}) {
    return writeFile(name, tinyXmBytes(song));
}

constexpr double silenceLevel = 1e-6;
constexpr double soundLevel = 0.01;

} // namespace

// the test module is what libopenmpt reads back, so the player's tests hear a real song
TEST(TinyXm, DecodesAsWritten) {
    const TinyXm song;
    const std::vector<unsigned char> bytes = tinyXmBytes(song);
    openmpt_module* module = openmpt_module_create_from_memory2(
        bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr, openmpt_error_func_ignore,
        nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(module, nullptr);
    EXPECT_DOUBLE_EQ(openmpt_module_get_duration_seconds(module), tinyXmSeconds(song));
    EXPECT_NEAR(tinyXmSeconds(song), 1.92, 1e-9);
    EXPECT_EQ(openmpt_module_get_num_channels(module), 2);
    EXPECT_EQ(openmpt_module_get_num_patterns(module), 1);
    EXPECT_EQ(openmpt_module_get_num_instruments(module), 1);
    EXPECT_EQ(openmpt_module_get_num_samples(module), 1);

    std::vector<float> frames(2 * framesOf(tinyXmSeconds(song)));
    const std::size_t got = openmpt_module_read_interleaved_float_stereo(
        module, mixRate, framesOf(tinyXmSeconds(song)), frames.data());
    EXPECT_EQ(got, std::size_t(framesOf(tinyXmSeconds(song))));
    // the note sounds for the first half and is cut by the note-off at row 8
    EXPECT_GT(rms(frames, 0.0, 0.9), soundLevel);
    EXPECT_LT(rms(frames, 1.0, 1.9), silenceLevel);
    openmpt_module_destroy(module);
}

class MusicPlayer : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(musicStartWithoutOutput(mixRate)); }
    void TearDown() override { FSOUND_Close(); }

    MusicSong* load(const TinyXm& song = {}) {
        MusicSong* loaded = FMUSIC_LoadSong(writeSong("song.xm", song).c_str());
        EXPECT_NE(loaded, nullptr);
        return loaded;
    }
};

TEST_F(MusicPlayer, LoadedSongIsSilentUntilPlayed) {
    MusicSong* song = load();
    EXPECT_FALSE(musicSongPlaying(song));
    EXPECT_TRUE(allZero(render(0.5)));

    ASSERT_TRUE(FMUSIC_PlaySong(song));
    EXPECT_TRUE(musicSongPlaying(song));
    const std::vector<float> heard = render(0.5);
    EXPECT_GT(rms(heard, 0.0, 0.5), soundLevel);
    EXPECT_LE(*std::max_element(heard.begin(), heard.end()), 1.0f);
}

// without looping the song ends after its length and stays silent
TEST_F(MusicPlayer, SongWithoutLoopingEndsAfterItsLength) {
    const TinyXm tiny;
    MusicSong* song = load(tiny);
    ASSERT_TRUE(FMUSIC_SetLooping(song, false));
    ASSERT_TRUE(FMUSIC_PlaySong(song));

    const double step = 0.01;
    double endedAt = -1;
    for (double t = 0; t < tinyXmSeconds(tiny) + 1.0; t += step) {
        render(step);
        if (!musicSongPlaying(song)) {
            endedAt = t;
            break;
        }
    }
    EXPECT_GE(endedAt, tinyXmSeconds(tiny) - step);
    EXPECT_LE(endedAt, tinyXmSeconds(tiny) + 0.25); // a short fade after the last row
    EXPECT_TRUE(allZero(render(2.0)));
}

TEST_F(MusicPlayer, SongWithLoopingStartsOverAtItsEnd) {
    const TinyXm tiny;
    MusicSong* song = load(tiny);
    ASSERT_TRUE(FMUSIC_PlaySong(song));
    const double length = tinyXmSeconds(tiny);
    const std::vector<float> heard = render(2 * length);
    EXPECT_TRUE(musicSongPlaying(song));
    EXPECT_LT(rms(heard, length - 0.8, length - 0.05), silenceLevel);
    EXPECT_GT(rms(heard, length + 0.05, length + 0.8), soundLevel);

    // switching looping off while it plays lets the current pass be the last
    ASSERT_TRUE(FMUSIC_SetLooping(song, false));
    render(length + 0.5);
    EXPECT_FALSE(musicSongPlaying(song));
}

// playing a song again starts it from the top, whether it was playing, stopped or ended
TEST_F(MusicPlayer, PlayingAgainRestartsFromTheTop) {
    MusicSong* song = load();
    ASSERT_TRUE(FMUSIC_SetLooping(song, false));
    ASSERT_TRUE(FMUSIC_PlaySong(song));
    const std::vector<float> opening = render(0.3);

    struct Case {
        const char* name;
        double playedFor;
        bool stop;
    };
    const Case cases[] = {
        {"while playing, in the silent second half", 1.2, false},
        {"after a stop", 0.5, true},
        {"after its end", 3.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(FMUSIC_PlaySong(song));
        render(c.playedFor);
        if (c.stop) {
            FMUSIC_StopSong(song);
        }
        ASSERT_TRUE(FMUSIC_PlaySong(song));
        EXPECT_LT(maxDifference(render(0.3), opening), 1e-6);
    }
}

TEST_F(MusicPlayer, StopSilencesAtOnce) {
    MusicSong* song = load();
    ASSERT_TRUE(FMUSIC_PlaySong(song));
    render(0.2);
    ASSERT_TRUE(FMUSIC_StopSong(song));
    EXPECT_FALSE(musicSongPlaying(song));
    EXPECT_TRUE(allZero(render(0.5)));
}

// stopping and freeing are harmless in every state of a song, also twice
TEST_F(MusicPlayer, StopAndFreeAreSafeAtAnyTime) {
    struct Case {
        const char* name;
        bool play;
        double playedFor;
        bool stopFirst;
    };
    const Case cases[] = {
        {"never played", false, 0, false},
        {"playing", true, 0.3, false},
        {"stopped", true, 0.3, true},
        {"ended", true, 3.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MusicSong* song = load();
        FMUSIC_SetLooping(song, false);
        if (c.play) {
            FMUSIC_PlaySong(song);
            render(c.playedFor);
        }
        if (c.stopFirst) {
            FMUSIC_StopSong(song);
        }
        EXPECT_TRUE(FMUSIC_StopSong(song));
        EXPECT_TRUE(FMUSIC_StopSong(song));
        EXPECT_TRUE(FMUSIC_FreeSong(song));
        // the freed handle is no longer known: every operation on it does nothing
        EXPECT_FALSE(FMUSIC_FreeSong(song));
        EXPECT_FALSE(FMUSIC_StopSong(song));
        EXPECT_FALSE(FMUSIC_PlaySong(song));
        EXPECT_FALSE(FMUSIC_SetLooping(song, true));
        EXPECT_TRUE(allZero(render(0.1)));
    }
}

TEST_F(MusicPlayer, FreeingOneSongLeavesTheOtherPlaying) {
    MusicSong* first = load();
    MusicSong* second = load();
    ASSERT_TRUE(FMUSIC_PlaySong(first));
    const std::vector<float> alone = render(0.3);

    ASSERT_TRUE(FMUSIC_PlaySong(first));
    ASSERT_TRUE(FMUSIC_PlaySong(second));
    const std::vector<float> both = render(0.3);
    // two songs are mixed: the same song twice, in step, is twice as loud
    EXPECT_NEAR(rms(both, 0, 0.3), 2 * rms(alone, 0, 0.3), 1e-4);

    ASSERT_TRUE(FMUSIC_FreeSong(first));
    EXPECT_TRUE(musicSongPlaying(second));
    EXPECT_GT(rms(render(0.3), 0, 0.3), soundLevel);
}

// close frees the songs still loaded; their handles are then ignored
TEST_F(MusicPlayer, CloseFreesWhatIsLeft) {
    MusicSong* song = load();
    FMUSIC_PlaySong(song);
    render(0.1);
    FSOUND_Close();
    EXPECT_FALSE(FMUSIC_PlaySong(song));
    EXPECT_FALSE(FMUSIC_FreeSong(song));
    EXPECT_TRUE(allZero(render(0.1)));
    FSOUND_Close();
}

TEST_F(MusicPlayer, NullSongIsIgnored) {
    EXPECT_FALSE(FMUSIC_SetLooping(nullptr, false));
    EXPECT_FALSE(FMUSIC_PlaySong(nullptr));
    EXPECT_FALSE(FMUSIC_StopSong(nullptr));
    EXPECT_FALSE(FMUSIC_FreeSong(nullptr));
    EXPECT_FALSE(musicSongPlaying(nullptr));
    EXPECT_TRUE(allZero(render(0.1)));
}

TEST_F(MusicPlayer, MissingOrMalformedFileLoadsAsNull) {
    std::vector<unsigned char> badMagic = tinyXmBytes({});
    badMagic[0] = 'X';
    const std::vector<unsigned char> whole = tinyXmBytes({});
    const std::string text = "this is not a song\r\n";
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
    };
    const Case cases[] = {
        {"empty file", {}},
        {"text", std::vector<unsigned char>(text.begin(), text.end())},
        {"wrong signature", badMagic},
        {"cut inside the header", std::vector<unsigned char>(whole.begin(), whole.begin() + 60)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FMUSIC_LoadSong(writeFile("bad.xm", c.bytes).c_str()), nullptr);
    }
    EXPECT_EQ(FMUSIC_LoadSong(tempPath("no-such-file.xm").c_str()), nullptr);
    EXPECT_EQ(FMUSIC_LoadSong(::testing::TempDir().c_str()), nullptr); // a folder
    EXPECT_EQ(FMUSIC_LoadSong(nullptr), nullptr);
}

// the main thread plays, stops and frees songs while another thread mixes, as the callback does
TEST_F(MusicPlayer, SongsChangeSafelyWhileMixing) {
    std::atomic<bool> done{false};
    std::atomic<long> buffers{0};
    std::thread mixer([&] {
        std::vector<float> frames(2 * 512);
        while (!done) {
            musicRender(frames.data(), 512);
            ++buffers;
        }
    });
    const std::string path = writeSong("song.xm");
    for (int round = 0; round < 40; ++round) {
        MusicSong* song = FMUSIC_LoadSong(path.c_str());
        ASSERT_NE(song, nullptr);
        FMUSIC_SetLooping(song, round % 2 == 0);
        FMUSIC_PlaySong(song);
        const long seen = buffers;
        while (buffers < seen + 2) {
            std::this_thread::yield();
        }
        if (round % 3 == 0) {
            FMUSIC_StopSong(song);
        }
        FMUSIC_PlaySong(song);
        FMUSIC_FreeSong(song); // often while it is playing
    }
    MusicSong* left = FMUSIC_LoadSong(path.c_str());
    FMUSIC_PlaySong(left);
    FSOUND_Close(); // frees it under the mixer too
    done = true;
    mixer.join();
}

// operations before a start, or after one that failed, do nothing
TEST(MusicPlayerNotStarted, EveryOperationDoesNothing) {
    const std::string path = writeSong("song.xm");
    struct Case {
        const char* name;
        bool tryStart;
    };
    const Case cases[] = {{"never started", false}, {"start failed", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.tryStart) {
            EXPECT_FALSE(FSOUND_Init(0, 32, 0));
        }
        EXPECT_EQ(FMUSIC_LoadSong(path.c_str()), nullptr);
        EXPECT_FALSE(FMUSIC_SetLooping(nullptr, false));
        EXPECT_FALSE(FMUSIC_PlaySong(nullptr));
        EXPECT_FALSE(FMUSIC_StopSong(nullptr));
        EXPECT_FALSE(FMUSIC_FreeSong(nullptr));
        std::vector<float> frames(2 * 256, 1.0f);
        musicRender(frames.data(), 256);
        EXPECT_TRUE(allZero(frames));
        FSOUND_Close();
    }
}

// the real output: the callback mixes while the main thread changes songs; skipped without a
// device (ctest also runs it over an ALSA null device, see CMakeLists.txt)
TEST(MusicPlayerOutput, PlaysInTheBackground) {
    if (!FSOUND_Init(mixRate, 32, 0)) {
        GTEST_SKIP() << "no sound device";
    }
    const std::string path = writeSong("song.xm");
    for (int round = 0; round < 5; ++round) {
        MusicSong* song = FMUSIC_LoadSong(path.c_str());
        ASSERT_NE(song, nullptr);
        FMUSIC_SetLooping(song, false);
        ASSERT_TRUE(FMUSIC_PlaySong(song));
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        FMUSIC_StopSong(song);
        FMUSIC_PlaySong(song);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_TRUE(FMUSIC_FreeSong(song));
    }
    MusicSong* left = FMUSIC_LoadSong(path.c_str());
    FMUSIC_PlaySong(left);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    FSOUND_Close();
    EXPECT_FALSE(FMUSIC_PlaySong(left));
}

// with no sound device the player stays silent on stderr too: the sound libraries' messages
// are switched off before PortAudio looks for a device (where there is a device, it still must
// write nothing)
TEST(MusicPlayerOutput, StartingWritesNothingToStderr) {
    const std::string path = writeSong("song.xm");
    ::testing::internal::CaptureStderr();
    const bool started = FSOUND_Init(mixRate, 32, 0);
    MusicSong* song = FMUSIC_LoadSong(path.c_str());
    FMUSIC_SetLooping(song, false);
    FMUSIC_PlaySong(song);
    FMUSIC_FreeSong(song);
    FSOUND_Close();
    const std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(written, "");
    EXPECT_EQ(song != nullptr, started);
}
