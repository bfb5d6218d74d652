#include "shell/menu_buttons.h"

#include <gtest/gtest.h>

namespace {

struct ButtonCase {
    int x;
    int y;
    MenuButton expected;
};

class MenuButtonEdges : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(MenuButtonEdges, PointerPicksTheRightButton) {
    const ButtonCase& c = GetParam();
    EXPECT_EQ(buttonAt(c.x, c.y), c.expected) << "at (" << c.x << ", " << c.y << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Edges, MenuButtonEdges,
    ::testing::Values(
        // columns: 126 and 514 belong to no button, 127 and 513 do
        ButtonCase{126, 190, MenuButton::None}, ButtonCase{127, 190, MenuButton::Start},
        ButtonCase{513, 190, MenuButton::Start}, ButtonCase{514, 190, MenuButton::None},
        // rows of the start button
        ButtonCase{300, 142, MenuButton::None}, ButtonCase{300, 143, MenuButton::Start},
        ButtonCase{300, 239, MenuButton::Start},
        // the row between start and reset
        ButtonCase{300, 240, MenuButton::None}, ButtonCase{300, 241, MenuButton::Reset},
        ButtonCase{300, 337, MenuButton::Reset},
        // the row between reset and exit
        ButtonCase{300, 338, MenuButton::None}, ButtonCase{300, 339, MenuButton::Exit},
        ButtonCase{300, 436, MenuButton::Exit}, ButtonCase{300, 437, MenuButton::None},
        // corners of the exit button, and far outside
        ButtonCase{127, 339, MenuButton::Exit}, ButtonCase{513, 436, MenuButton::Exit},
        ButtonCase{0, 0, MenuButton::None}, ButtonCase{639, 479, MenuButton::None},
        ButtonCase{-5, 200, MenuButton::None}, ButtonCase{700, 300, MenuButton::None}));

} // namespace
