#pragma once
// The reference of the classes a form file may name, as Markdown, made from
// the class registry so that it always matches the code: for each class its
// parent, every published property with its type, its value in a new object
// (what a form file gets when it leaves the property out) and the names of
// its enumeration values or set members, its extra stream properties, and
// its events with their parameter types. Held objects (fonts, pens, scales)
// get sections of their own.
#include <string>
#include <vector>

#include "runtime/Persistent.h"

namespace tintoral {

// The reference of the classes of `newObjects`, each shown with the values it
// has, and of the objects they hold.
std::string ClassReferenceMarkdown(const std::vector<const TPersistent*>& newObjects);

// The reference of every class registered now, from a new object of each,
// with the data-link items of the instruments' OPCItems.
std::string RegisteredClassReferenceMarkdown();

}  // namespace tintoral
