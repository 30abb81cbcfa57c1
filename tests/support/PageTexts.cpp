#include "tests/support/PageTexts.h"

QStringList pageTexts(const report::Pages& pages) {
  QStringList texts;
  for (const report::Page& page : pages)
    for (const report::PageItem& item : page.items)
      if (item.kind == report::PageItem::Kind::Text) texts << item.text;
  return texts;
}
