// Which of the menu's three buttons lies under the pointer.
#pragma once

enum class MenuButton { None, Start, Reset, Exit };

MenuButton buttonAt(int x, int y);
