// The two generated songs as the game's player hears them: length, loudness, and shape.
#include "song_render.h"
#include "songs.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <functional>
#include <map>
#include <ostream>
#include <set>

namespace {

struct SongCase {
    const char* name;
    std::function<std::vector<uint8_t>()> compose;
    double shortest; // seconds
    double longest;
};

// each song composed and rendered once for all the tests that look at it
const std::vector<uint8_t>& songBytes(const SongCase& c) {
    static std::map<std::string, std::vector<uint8_t>> bytes;
    auto it = bytes.find(c.name);
    if (it == bytes.end())
        it = bytes.emplace(c.name, c.compose()).first;
    return it->second;
}

const SongRender& songRender(const SongCase& c) {
    static std::map<std::string, SongRender> renders;
    auto it = renders.find(c.name);
    if (it == renders.end())
        it = renders.emplace(c.name, renderSong(songBytes(c))).first;
    return it->second;
}

void PrintTo(const SongCase& c, std::ostream* out) {
    *out << c.name;
}

class Song : public testing::TestWithParam<SongCase> {};

TEST_P(Song, LastsItsIntendedLengthPlayedOnce) {
    openmpt::module mod(songBytes(GetParam()));
    double reported = mod.get_duration_seconds();
    EXPECT_GE(reported, GetParam().shortest);
    EXPECT_LE(reported, GetParam().longest);
    // a song that jumped back would be reported as ending at the jump
    const SongRender& r = songRender(GetParam());
    EXPECT_NEAR(r.samples.size() / 2.0 / r.rate, reported, 0.5);
}

TEST_P(Song, IsLoudEnoughWithoutClippingOrOffset) {
    SongLevels l = measureLevels(songRender(GetParam()));
    EXPECT_LE(l.peakDb, -1.0);
    EXPECT_GE(l.rmsDb, -20.0);
    EXPECT_LE(l.rmsDb, -12.0);
    EXPECT_LT(std::abs(l.mean), 2e-4);
}

TEST_P(Song, NeverFallsSilentForTwoSeconds) {
    EXPECT_LT(measureLevels(songRender(GetParam())).longestSilenceSeconds, 2.0);
}

TEST_P(Song, IsTheSameBytesEveryTime) {
    EXPECT_EQ(GetParam().compose(), songBytes(GetParam()));
}

TEST_P(Song, PlaysItsPatternsInOrderWithoutJumps) {
    openmpt::module mod(songBytes(GetParam()));
    ASSERT_GT(mod.get_num_orders(), 8);
    for (int32_t o = 0; o < mod.get_num_orders(); ++o) {
        int32_t p = mod.get_order_pattern(o);
        for (int32_t row = 0; row < mod.get_pattern_num_rows(p); ++row)
            for (int32_t ch = 0; ch < mod.get_num_channels(); ++ch) {
                std::string fx = mod.format_pattern_row_channel_command(
                    p, row, ch, openmpt::module::command_effect);
                EXPECT_TRUE(fx != "B" && fx != "D") << "order " << o << " row " << row;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(BothSongs, Song,
                         testing::Values(SongCase{"Menu", composeMenuSong, 60.0, 120.0},
                                         SongCase{"Game", composeGameSong, 240.0, 300.0}),
                         [](const testing::TestParamInfo<SongCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(GameSong, BuildsUpInsteadOfRepeatingOnePattern) {
    XmModule m = gameSongModule();
    std::set<uint8_t> distinct(m.orders.begin(), m.orders.end());
    EXPECT_GE(distinct.size(), 24u);
    openmpt::module mod(composeGameSong());
    EXPECT_EQ(mod.get_instrument_names(),
              (std::vector<std::string>{"Haitari", "Haitarin sointu", "Kantele", "Basso", "Potku",
                                        "Virveli", "Symbaali"}));
}

TEST(MenuSong, UsesTheQuietInstruments) {
    openmpt::module mod(composeMenuSong());
    EXPECT_EQ(mod.get_instrument_names(),
              (std::vector<std::string>{"Haitari", "Haitarin sointu", "Kantele", "Basso"}));
}

} // namespace
