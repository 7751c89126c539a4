#pragma once
// The reference of the classes a form file may name, as Markdown, made from
// the class registry so that it always matches the code: every registered
// class, its ancestors and the classes of held objects (fonts, pens, scales),
// each with its parent, its own published properties (type, default,
// enumeration values or set members), extra stream properties and events with
// their parameter types.
#include <string>
#include <vector>

#include "runtime/ClassInfo.h"

namespace tintoral {

// The reference of the given component classes, the other classes (such as
// collection items), and the classes they lead to.
std::string ClassReferenceMarkdown(const std::vector<const TClassInfo*>& componentClasses,
                                   const std::vector<const TClassInfo*>& otherClasses = {});

// The reference of every class registered now, with the data-link items of
// the instruments' OPCItems.
std::string RegisteredClassReferenceMarkdown();

}  // namespace tintoral
