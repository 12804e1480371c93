#include "app/window_fonts.h"

#include <QApplication>
#include <QStringList>

namespace gavrel {

QFont SongTypeFont() {
  QFont font;
  font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                    QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
  font.setPixelSize(12);
  font.setWeight(QFont::Normal);
  return font;
}

QFont DefaultControlFont() {
  QFont font = QApplication::font();
  // The default face may lack Chinese glyphs; fontconfig falls back per
  // glyph, but naming a CJK face second keeps the fallback predictable.
  QStringList families = font.families();
  if (families.isEmpty()) families << font.family();
  families << QStringLiteral("Noto Sans CJK SC");
  font.setFamilies(families);
  font.setPixelSize(12);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace gavrel
