// Writing notes into a score and cutting it into patterns.
#include "score.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct NamedNote {
    const char* name;
    int note;
};

class NoteNames : public testing::TestWithParam<NamedNote> {};

TEST_P(NoteNames, BecomeXmNoteNumbers) {
    EXPECT_EQ(noteNumber(GetParam().name), GetParam().note);
}

INSTANTIATE_TEST_SUITE_P(Table, NoteNames,
                         testing::Values(NamedNote{"C0", 1}, NamedNote{"C4", 49},
                                         NamedNote{"A4", 58}, NamedNote{"F#5", 67},
                                         NamedNote{"Bb3", 47}, NamedNote{"B#3", 49},
                                         NamedNote{"Cb4", 48}, NamedNote{"B7", 96}));

TEST(Score, RefusesWhatIsNotANoteOrALine) {
    for (const char* bad : {"H4", "C", "c4", "C8"})
        EXPECT_THROW(noteNumber(bad), std::invalid_argument) << bad;
    for (const char* bad : {"C4", "C4:0", "X4:2", "C4:-1"})
        EXPECT_THROW(parseLine(bad), std::exception) << bad;
    EXPECT_THROW(parseChord("Cmaj9", 0), std::invalid_argument);
}

TEST(Score, LinesLayNotesEndToEnd) {
    std::vector<LineNote> line = parseLine("E5:2 r:1 G#5:3");
    ASSERT_EQ(line.size(), 3u);
    EXPECT_EQ(line[0].row, 0);
    EXPECT_EQ(line[0].note, noteNumber("E5"));
    EXPECT_EQ(line[1].row, 2);
    EXPECT_EQ(line[1].note, 0);
    EXPECT_EQ(line[2].row, 3);
    EXPECT_EQ(lineLength(line), 6);

    Score s = makeScore(2, 8);
    putLine(s, 1, 1, line, 3, 40, 2);
    EXPECT_EQ(cellAt(s, 1, 1).note, noteNumber("F#5"));
    EXPECT_EQ(cellAt(s, 1, 1).instrument, 3);
    EXPECT_EQ(cellAt(s, 1, 1).volume, 0x10 + 40);
    EXPECT_EQ(cellAt(s, 3, 1).note, xmKeyOff);
    EXPECT_EQ(cellAt(s, 4, 1).note, noteNumber("A#5"));
    EXPECT_THROW(cellAt(s, 8, 0), std::out_of_range);
}

TEST(Score, ChordsAreVoicedFromTheLowestNoteUp) {
    Chord am = parseChord("Am", 0);
    EXPECT_EQ(am.tones, (std::vector<int>{9, 0, 4}));
    // E7 moved up a tone is F#7; with three voices its fifth is left out
    Chord fs7 = parseChord("E7", 2);
    EXPECT_EQ(fs7.root, 6);
    std::vector<int> v = voiceChord(fs7, 3, noteNumber("G3"));
    EXPECT_EQ(v, (std::vector<int>{noteNumber("A#3"), noteNumber("E4"), noteNumber("F#4")}));
    EXPECT_EQ(
        voiceChord(am, 4, noteNumber("A3")),
        (std::vector<int>{noteNumber("A3"), noteNumber("C4"), noteNumber("E4"), noteNumber("A4")}));
    EXPECT_EQ(harmonyBelow(am, noteNumber("A5"), 3), noteNumber("E5"));
    EXPECT_EQ(harmonyBelow(am, noteNumber("B5"), 3), noteNumber("E5"));
    EXPECT_EQ(harmonyBelow(am, noteNumber("C6"), 3), noteNumber("A5"));
}

TEST(Score, CutsIntoPatternsAndSharesRepeatedOnes) {
    Score s = makeScore(2, 64 * 3 + 10);
    putNote(s, 0, 0, 49, 1, 64);
    putNote(s, 128, 0, 49, 1, 64); // the third pattern repeats the first
    putNote(s, 64, 1, 50, 1, 64);
    XmModule m = moduleFromScore(s, 64);
    EXPECT_EQ(m.orders, (std::vector<uint8_t>{0, 1, 0, 2}));
    ASSERT_EQ(m.patterns.size(), 3u);
    EXPECT_EQ(m.patterns[2].rows, 10);
    EXPECT_EQ(m.patterns[1].cells[1].note, 50);
}

} // namespace
