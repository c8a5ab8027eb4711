#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "compose/actions.h"
#include "export/save_result.h"

namespace kinemora {

// A composition: the action words of a session from start, as a small text
// file that reproduces the session exactly on any machine:
//
//   # kinemora composition 1
//   rhumba clap noise cheer
//
// Words are separated by white space; '#' starts a comment that runs to the
// end of its line. "undo" and "redo" are read like any action; the program
// writes only the actions in effect. A UTF-8 byte order mark before the
// first line is passed over.
constexpr std::string_view kCompositionHeader = "# kinemora composition 1";
constexpr std::string_view kCompositionExtension = ".kinemora";
// Far more than any session: a composition this long would take hours to
// replay and more memory than a machine has.
constexpr std::size_t kCompositionMaxBytes = 1 << 20;

// The path with ".kinemora" added when its file name has no extension.
std::string withCompositionExtension(const std::string& path);
// Whether the path's file name ends in ".kinemora", in any case: such a file
// holds a composition, and an animation is never saved over one.
bool isCompositionPath(std::string_view path);

// The file text for `actions`: the header, then the words, a few to a line.
std::string compositionText(const std::vector<Action>& actions);

// The actions of a composition's text; false with *error naming the line
// and what is wrong there ("line 3: unknown word 'rhumbaa'"), or the
// version when the header names another.
bool parseComposition(std::string_view text, std::vector<Action>* actions, std::string* error);

// The same from a file ("-" for standard input); the message names the file
// and tells an empty one. Quoted names and words in it are escaped.
bool readComposition(const std::string& path, std::vector<Action>* actions, std::string* error);

// Writes the file whole or not at all, as every save does; "-" is standard
// output.
SaveResult writeComposition(const std::string& path, const std::vector<Action>& actions);

}  // namespace kinemora
