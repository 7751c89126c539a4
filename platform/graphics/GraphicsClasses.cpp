// Run-time classes of the graphics objects.
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"

namespace tintoral {

const TClassInfo& TPen::StaticClass() {
  static const TClassInfo info("TPen", &TPersistent::StaticClass());
  return info;
}

const TClassInfo& TBrush::StaticClass() {
  static const TClassInfo info("TBrush", &TPersistent::StaticClass());
  return info;
}

const TClassInfo& TFont::StaticClass() {
  static const TClassInfo info("TFont", &TPersistent::StaticClass());
  return info;
}

const TClassInfo& TBitmap::StaticClass() {
  static const TClassInfo info("TBitmap", &TPersistent::StaticClass());
  return info;
}

}  // namespace tintoral
