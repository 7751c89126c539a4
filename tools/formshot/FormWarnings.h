#pragma once
// What a form that reads well will still not show as its author meant, for
// the tools to warn about with the file and the line: a shadowed label with
// AutoSize whose stored size is smaller than its caption needs. Such a label
// is sized only when its caption, font or margins change, not when it is
// read, so a hand-written form that gives no Width shows its caption cut.
#include <string>
#include <string_view>
#include <vector>

namespace tintoral {

class TComponent;

// "PATH:LINE: warning: ..." for each such component among `root` and the
// components it owns, in the order they were read; `text` is the file's
// text, `path` its name.
std::vector<std::string> FormWarnings(TComponent& root, std::string_view text, const std::string& path);

// The line of "object NAME" (or "inherited" / "inline") in the form text, 0
// when there is none.
int ObjectLine(std::string_view text, const std::string& name);

}  // namespace tintoral
