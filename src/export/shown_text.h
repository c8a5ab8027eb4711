#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kinemora {

// Text that came from outside (a file name, a word someone typed) as a
// message shows it. Every message that quotes such text goes through here.

// Control characters (an escape sequence, a line break) as C escapes and the
// backslash doubled, so that nothing quoted can move a terminal's cursor or
// recolour it.
std::string printable(std::string_view text);

// Longest piece of quoted text a message shows, in characters.
constexpr std::size_t kShownTextMax = 60;

// printable(text), and when that is longer than kShownTextMax characters,
// its first and last characters with "..." between them, kShownTextMax in
// all: a message stays readable and a dialog narrower than the screen, and
// a path keeps the file's name at its end. UTF-8 characters are never cut.
std::string shownText(std::string_view text);

}  // namespace kinemora
