// GridEX: the layout text that saves and restores its columns, order, groups and appearance.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/grid/GridEX.h"
#include "platform/grid/GridEngine_p.h"

// The layout text: a JSON object with the columns, sort keys, groups, format styles, fonts, colours
// and flags of a grid. Sort keys and groups name their column by key when it has one.
namespace grid {
namespace {

const int LayoutVersion = 1;

QString colorText(quint32 value) {
  return QStringLiteral("&H") + QStringLiteral("%1").arg(value, 8, 16, QChar('0')).toUpper();
}

// A colour as the layout writes it ("&H" and eight hex digits); a missing one gives the fallback.
quint32 colorValue(const QJsonValue& v, quint32 fallback) {
  if (v.isUndefined()) return fallback;
  const QString text = v.toString();
  bool ok = text.startsWith("&H", Qt::CaseInsensitive);
  const quint32 value = ok ? text.mid(2).toUInt(&ok, 16) : 0;
  if (!ok) throw GridError(QStringLiteral("Colore non valido nel layout: %1").arg(text));
  return value;
}

const char* const ColorKeys[] = {"headerForeColor", "foreColor", "backColor", "groupHeaderBackColor"};

QJsonArray arrayOf(const QJsonObject& root, const char* name) {
  const QJsonValue v = root.value(name);
  if (v.isUndefined()) return {};
  if (!v.isArray())
    throw GridError(QStringLiteral("Il layout non è valido: \"%1\" non è un elenco.").arg(name));
  for (const QJsonValue& item : v.toArray())
    if (!item.isObject())
      throw GridError(
          QStringLiteral("Il layout non è valido: un elemento di \"%1\" non è un oggetto.").arg(name));
  return v.toArray();
}

QJsonObject fontObject(const QFont& f) {
  return QJsonObject{{"name", f.family()},   {"size", f.pointSizeF()},     {"bold", f.bold()},
                     {"italic", f.italic()}, {"underline", f.underline()}, {"strikeout", f.strikeOut()}};
}

QFont fontFrom(const QJsonValue& v, const QFont& fallback) {
  if (!v.isObject()) return fallback;
  const QJsonObject o = v.toObject();
  QFont f = fallback;
  if (o.contains("name")) f.setFamily(o.value("name").toString());
  if (o.value("size").toDouble() > 0) f.setPointSizeF(o.value("size").toDouble());
  f.setBold(o.value("bold").toBool());
  f.setItalic(o.value("italic").toBool());
  f.setUnderline(o.value("underline").toBool());
  f.setStrikeOut(o.value("strikeout").toBool());
  return f;
}

// A layout read and checked, ready to apply.
struct ParsedColumn {
  QString key, caption, format, cellStyle;
  int width = 1440;
  bool visible = true;
  int position = 0;
  int type = ColumnText;
  bool editable = true, selectable = true, resizable = true, button = false;
};

struct ParsedLayout {
  bool hasColumns = false;
  std::vector<ParsedColumn> columns;
  std::vector<std::pair<QJsonValue, int>> sortKeys, groups;
  QMap<QString, FormatStyle> styles;
  QJsonObject root;
};

ParsedLayout parse(const QString& text) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
  if (error.error != QJsonParseError::NoError)
    throw GridError(QStringLiteral("Il layout della griglia non è leggibile: %1 (posizione %2).")
                        .arg(error.errorString())
                        .arg(error.offset));
  if (!doc.isObject() || doc.object().value("gridLayout").toInt() != LayoutVersion)
    throw GridError(QStringLiteral("Il testo non è un layout di griglia."));
  ParsedLayout p;
  p.root = doc.object();
  p.hasColumns = p.root.contains("columns");
  for (const char* key : ColorKeys) colorValue(p.root.value(key), 0);
  for (const QJsonValue& v : arrayOf(p.root, "columns")) {
    const QJsonObject o = v.toObject();
    ParsedColumn c;
    c.key = o.value("key").toString();
    c.caption = o.value("caption").toString(c.key);
    c.width = o.value("width").toInt(1440);
    c.visible = o.value("visible").toBool(true);
    c.position = o.value("position").toInt(0);
    c.format = o.value("format").toString();
    c.cellStyle = o.value("cellStyle").toString();
    c.type = o.value("type").toInt(ColumnText);
    c.editable = o.value("editable").toBool(true);
    c.selectable = o.value("selectable").toBool(true);
    c.resizable = o.value("resizable").toBool(true);
    c.button = o.value("button").toBool(false);
    if (c.type < ColumnText || c.type > ColumnCheckBox || c.width < 0)
      throw GridError(QStringLiteral("Colonna non valida nel layout: %1").arg(c.key));
    p.columns.push_back(c);
  }
  auto keys = [&p](const char* name) {
    std::vector<std::pair<QJsonValue, int>> out;
    for (const QJsonValue& v : arrayOf(p.root, name)) {
      const QJsonObject o = v.toObject();
      out.push_back({o.value("column"), o.value("order").toInt(Ascending) < 0 ? Descending : Ascending});
    }
    return out;
  };
  p.sortKeys = keys("sortKeys");
  p.groups = keys("groups");
  if (p.root.contains("styles") && !p.root.value("styles").isObject())
    throw GridError(QStringLiteral("Il layout non è valido: \"styles\" non è un oggetto."));
  const QJsonObject styles = p.root.value("styles").toObject();
  for (auto it = styles.begin(); it != styles.end(); ++it) {
    const QJsonObject o = it.value().toObject();
    FormatStyle s;
    if (o.contains("backColor")) s.backColor = colorValue(o.value("backColor"), 0);
    if (o.contains("foreColor")) s.foreColor = colorValue(o.value("foreColor"), 0);
    if (o.contains("font")) s.font = fontFrom(o.value("font"), QFont());
    p.styles.insert(it.key(), s);
  }
  return p;
}

// The column a sort key or group names: a key, or a number counted from 1.
int resolveColumn(const QJsonValue& ref, const std::vector<ParsedColumn>& columns, const GridEngine& e,
                  bool useLayoutColumns) {
  if (ref.isDouble()) {
    const int n = ref.toInt();
    const int count =
        useLayoutColumns ? static_cast<int>(columns.size()) : static_cast<int>(e.columns.size());
    if (n >= 1 && n <= count) return n;
  } else if (ref.isString()) {
    if (useLayoutColumns) {
      for (size_t i = 0; i < columns.size(); ++i)
        if (QString::compare(columns[i].key, ref.toString(), Qt::CaseInsensitive) == 0)
          return static_cast<int>(i + 1);
    } else if (const GridColumn* c = e.columnByKey(ref.toString())) {
      return c->index();
    }
  }
  throw GridError(QStringLiteral("Il layout ordina o raggruppa per una colonna inesistente: %1")
                      .arg(ref.isString() ? ref.toString() : QString::number(ref.toInt())));
}

}  // namespace

QString GridEX::layoutString(bool withColumns) const {
  QJsonObject root{{"gridLayout", LayoutVersion}};
  auto keyRef = [this](int column) -> QJsonValue {
    const GridColumn* c = d->column(column);
    if (c && !c->key().isEmpty()) return c->key();
    return column;
  };
  if (withColumns) {
    QJsonArray columns;
    for (const auto& c : d->columns) {
      columns.append(QJsonObject{{"key", c->key()},
                                 {"caption", c->caption()},
                                 {"width", c->width()},
                                 {"visible", c->visible()},
                                 {"position", c->position()},
                                 {"format", c->format()},
                                 {"cellStyle", c->cellStyle()},
                                 {"type", static_cast<int>(c->type())},
                                 {"editable", c->editable()},
                                 {"selectable", c->selectable()},
                                 {"resizable", c->resizable()},
                                 {"button", c->hasButton()}});
    }
    root.insert("columns", columns);
  }
  auto keyArray = [&](const SortKeyList& list) {
    QJsonArray out;
    for (const SortKey& k : list.keys())
      out.append(QJsonObject{{"column", keyRef(k.column)}, {"order", k.order}});
    return out;
  };
  root.insert("sortKeys", keyArray(*d->sortKeys));
  root.insert("groups", keyArray(*d->groupKeys));
  QJsonObject styles;
  for (auto it = d->styles.constBegin(); it != d->styles.constEnd(); ++it) {
    QJsonObject s;
    if (it->backColor) s.insert("backColor", colorText(*it->backColor));
    if (it->foreColor) s.insert("foreColor", colorText(*it->foreColor));
    if (it->font) s.insert("font", fontObject(*it->font));
    styles.insert(it.key(), s);
  }
  root.insert("styles", styles);
  root.insert("headerFont", fontObject(d->headerFont));
  root.insert("font", fontObject(d->gridFont));
  root.insert("headerForeColor", colorText(d->headerForeColor));
  root.insert("foreColor", colorText(d->foreColor));
  root.insert("backColor", colorText(d->backColor));
  root.insert("groupHeaderBackColor", colorText(d->groupHeaderBackColor));
  root.insert("gridLines", d->gridLines);
  root.insert("gridLineStyle", d->gridLineStyle);
  root.insert("columnAutoResize", d->columnAutoResize);
  root.insert("columnHeaders", d->columnHeaders);
  root.insert("rowHeaders", d->rowHeaders);
  root.insert("groupByBox", d->groupByBox);
  root.insert("groupByBoxText", d->groupByBoxText);
  root.insert("allowColumnDrag", d->allowColumnDrag);
  root.insert("recordNavigator", d->navigator);
  root.insert("recordNavigatorString", d->navigatorString);
  root.insert("previewColumn", d->previewColumn);
  root.insert("previewRowLines", d->previewRowLines);
  root.insert("allowEdit", d->allowEdit);
  root.insert("allowAddNew", d->allowAddNew);
  root.insert("allowDelete", d->allowDelete);
  root.insert("newRowVisible", d->newRowVisible);
  return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

void GridEX::loadLayoutString(const QString& text, bool replaceColumns, const QString& connectionString) {
  const ParsedLayout p = parse(text);
  const bool newColumns = replaceColumns && p.hasColumns;
  std::vector<SortKey> sortKeys, groups;
  for (const auto& [ref, order] : p.sortKeys)
    sortKeys.push_back({resolveColumn(ref, p.columns, *d, newColumns), order});
  for (const auto& [ref, order] : p.groups)
    groups.push_back({resolveColumn(ref, p.columns, *d, newColumns), order});

  // Everything is checked: apply.
  d->settlePending();
  const QJsonObject& o = p.root;
  if (!connectionString.isEmpty()) d->connectionString = connectionString;
  if (newColumns) {
    d->removeAllColumns();
    for (const ParsedColumn& pc : p.columns) {
      GridColumn* c = d->appendColumn(pc.key, pc.caption, false);
      c->m_width = pc.width;
      c->m_visible = pc.visible;
      c->m_position = pc.position > 0 ? pc.position : c->index();
      c->m_format = pc.format;
      c->m_cellStyle = pc.cellStyle;
      c->m_type = static_cast<ColumnType>(pc.type);
      c->m_editable = pc.editable;
      c->m_selectable = pc.selectable;
      c->m_resizable = pc.resizable;
      c->m_button = pc.button;
    }
  }
  d->styles = p.styles;
  d->headerFont = fontFrom(o.value("headerFont"), d->headerFont);
  d->gridFont = fontFrom(o.value("font"), d->gridFont);
  d->headerForeColor = colorValue(o.value("headerForeColor"), d->headerForeColor);
  d->foreColor = colorValue(o.value("foreColor"), d->foreColor);
  d->backColor = colorValue(o.value("backColor"), d->backColor);
  d->groupHeaderBackColor = colorValue(o.value("groupHeaderBackColor"), d->groupHeaderBackColor);
  d->gridLines = o.value("gridLines").toBool(d->gridLines);
  d->gridLineStyle = o.value("gridLineStyle").toInt(d->gridLineStyle);
  d->columnAutoResize = o.value("columnAutoResize").toBool(d->columnAutoResize);
  d->columnHeaders = o.value("columnHeaders").toBool(d->columnHeaders);
  d->rowHeaders = o.value("rowHeaders").toBool(d->rowHeaders);
  d->groupByBox = o.value("groupByBox").toBool(d->groupByBox);
  d->groupByBoxText = o.value("groupByBoxText").toString(d->groupByBoxText);
  d->allowColumnDrag = o.value("allowColumnDrag").toBool(d->allowColumnDrag);
  d->navigator = o.value("recordNavigator").toBool(d->navigator);
  d->navigatorString = o.value("recordNavigatorString").toString(d->navigatorString);
  d->previewColumn = o.value("previewColumn").toInt(d->previewColumn);
  d->previewRowLines = o.value("previewRowLines").toInt(d->previewRowLines);
  d->allowEdit = o.value("allowEdit").toBool(d->allowEdit);
  d->allowAddNew = o.value("allowAddNew").toBool(d->allowAddNew);
  d->allowDelete = o.value("allowDelete").toBool(d->allowDelete);
  d->newRowVisible = o.value("newRowVisible").toBool(d->newRowVisible);
  d->toggledGroups.clear();
  d->collapsedByDefault = false;
  d->sortKeys->assign(sortKeys);
  d->groupKeys->assign(groups);
  QStringList missing;
  if (newColumns && d->recordset) d->mapColumns(&missing);
  d->rebuildOrder(true);
  d->applyAppearance();
  GridEngine::throwIfMissing(missing);
}

void GridEX::loadLayoutFile(const QString& path, bool replaceColumns, const QString& connectionString) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw GridError(
        QStringLiteral("Impossibile leggere il file di layout \"%1\": %2").arg(path, file.errorString()));
  loadLayoutString(QString::fromUtf8(file.readAll()), replaceColumns, connectionString);
}

}  // namespace grid
