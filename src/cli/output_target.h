#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kinemora {

// Where kinemora-compose writes, judged before anything is composed. "-"
// stands for standard output.

// The file a composition is saved to: ".kinemora" added to a file name
// that has no extension, as the window adds it; "-", a name under /dev or
// /proc, and an existing file that is not a regular one (a device, a pipe)
// as given, since there the name is not ours to choose.
std::string compositionTarget(const std::string& path);

// Why the animation (to `output`, none when empty) and the composition (to
// `composition`, none when empty) cannot be written as asked: an animation
// over a composition, both to one file, a binary file (`binary` names its
// form, such as "binary glTF"; empty for text) to a terminal. Nothing when
// they can.
std::optional<std::string> targetRefusal(const std::string& output, std::string_view binary,
                                         const std::string& composition);

}  // namespace kinemora
