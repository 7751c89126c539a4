#pragma once
// Keeps a form file's own text through the designer's changes. The form
// writer lays out a form its own way (its number format, its defaults, its
// order), which need not be the way the file was written by hand or by
// another program. So the file is not rewritten: the writer's text of the
// state before a change and after it are compared object by object and
// property by property, and only what differs is changed in the file's
// text: a changed property's lines are replaced (or added, or removed), new
// objects are added as the writer writes them, removed ones dropped, moved
// ones moved with their own lines; an object with no change keeps its
// lines byte for byte.
#include <string>
#include <string_view>

namespace tintoral {

// `original` reads as the state that the writer writes as `before`; the
// result reads as the state it writes as `after`.
std::string MergeFormText(std::string_view original, std::string_view before, std::string_view after);

}  // namespace tintoral
