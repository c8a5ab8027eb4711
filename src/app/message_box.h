#pragma once

#include <string>
#include <string_view>

namespace kinemora {

// Every message box of the window goes through here: FLTK sizes a box to
// its longest line, and a box wider than the screen cannot be read (one
// wide enough fails with an X error), whatever the text quotes.

// The longest line a box shows, in characters: about 600 pixels.
constexpr std::size_t kMessageLineMax = 80;
// The most lines it shows; the rest becomes "...".
constexpr std::size_t kMessageLinesMax = 20;

// `text` as a box shows it: lines longer than kMessageLineMax broken at
// their last space that fits (inside a word only when none does), at most
// kMessageLinesMax lines, and '@' doubled so that FLTK draws it as itself
// rather than as a symbol.
std::string fittedToScreen(std::string_view text);

// A message with a Close button; returns once it is closed.
void tell(const std::string& text);

// What to do with unsaved changes.
enum class Answer { Save, DontSave, Cancel };

// The question, titled "Unsaved Changes", with the buttons Save (Return),
// Don't Save and Cancel (Escape, and closing the box).
Answer askToSave(const std::string& question);

}  // namespace kinemora
