#include "jobs/QuoteLineGrid.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/comUtility.h"
#include "jobs/frm_gex_prev.h"
#include "jobs/frm_io_Text.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/SharedInstance.h"
#include "platform/grid/ColumnFit.h"
#include "platform/grid/GEXPreview.h"
#include "platform/grid/GridEX.h"

namespace quotelines {

namespace {

void addColumn(grid::GridEX& gex, const QString& key, const QString& caption, int width,
               bool visible = true) {
  grid::GridColumn* c = gex.addColumn(key, caption);
  c->setWidth(width);
  c->setVisible(visible);
}

void loadUnits(grid::ValueList& list) {
  db::Connection cn;
  cn.setCursorLocation(db::adUseClient);
  cn.Open(ConnString);
  db::Recordset rs;
  rs.Open(QStringLiteral("SELECT Codice, Descrizione FROM Liste WHERE Chiave='um' ORDER BY Codice"), cn,
          db::adOpenForwardOnly, db::adLockReadOnly, db::adCmdText);
  list.clear();
  for (; !rs.isEOF(); rs.MoveNext()) list.add(rs.Value(0), NzStr(rs.Value(1), QString()));
}

// The unit column shows the units' descriptions: as wide as the longest of them and its heading.
void fitUnitColumn(grid::GridEX& gex) {
  grid::GridColumn* um = gex.column(colUM);
  QStringList texts;
  for (int i = 0; i < um->valueList().count(); ++i) texts << um->valueList().text(i);
  um->setWidth(std::max(grid::listCellWidth(gex, texts), grid::headingWidth(gex, um->caption())));
}

}  // namespace

void setUp(grid::GridEX& gex, const QString& parentKey, const QString& rateFormat) {
  addColumn(gex, QStringLiteral("IdVocePre"), QStringLiteral("IdVocePre"), 900, false);
  addColumn(gex, parentKey, parentKey, 900, false);
  addColumn(gex, QStringLiteral("Codice"), QStringLiteral("Codice"), 1200);
  addColumn(gex, QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 3900);
  gex.column(colDescrizione)->setButton(true);
  addColumn(gex, QStringLiteral("DescEstesa"), QStringLiteral("DescEstesa"), 2000, false);
  addColumn(gex, QStringLiteral("Ordine"), QStringLiteral("Ordine"), 700, false);
  addColumn(gex, QStringLiteral("UM"), QStringLiteral("UM"), 1100);  // fitted to its units on load
  addColumn(gex, QStringLiteral("Tariffa"), QStringLiteral("Tariffa"), 1200);
  gex.column(colTariffa)->setFormat(rateFormat);
  addColumn(gex, QStringLiteral("CostoStimato"), QStringLiteral("CostoStimato"), 1200, false);
  gex.column(colCostoStimato)->setFormat(QStringLiteral("Currency"));

  gex.setAllowAddNew(true);
  gex.setAllowDelete(true);
  gex.setRowHeaders(true);
  gex.setGroupByBoxVisible(false);
  gex.setAllowColumnDrag(false);
  gex.sortKeys().add(colCodice, grid::Ascending);
  gex.setRecordNavigator(true);
  gex.setRecordNavigatorString(QStringLiteral("riga:|/"));
  gex.setPreviewColumn(colDescEstesa);
  gex.setPreviewRowLines(20);

  grid::PrintSettings& print = gex.printSettings();
  print.setPaperSize(QPageSize::A4);
  print.setOrientation(QPageLayout::Portrait);
  print.setPaperSource(QPrinter::Auto);
  print.setPrintResolution(300);  // medium quality
  print.setMarginRight(740);
  print.setMarginBottom(740);
  print.setRepeatHeaders(true);
  print.setHeaderFooterFont(QFont(QStringLiteral("Tahoma"), 9));
}

bool load(grid::GridEX& gex, const QString& recordSource) {
  try {
    loadUnits(gex.column(colUM)->valueList());
    fitUnitColumn(gex);
    gex.setConnectionString(ConnString);
    gex.setRecordSource(recordSource);
    gex.rebind();
  } catch (const db::DbError& e) {
    forms::showError(e);
    return false;
  }
  return true;
}

void editExtendedDescription(grid::GridEX& gex) {
  const QString text = NzStr(gex.value(colDescEstesa), QString());
  const QString result = forms::SharedInstance<frm_io_Text>::get().Testo(text, gex.window());
  if (!result.isEmpty()) gex.setValue(colDescEstesa, Variant(result));
}

void showPreview(grid::GridEX& gex, bool modal) {
  frm_gex_prev& window = forms::SharedInstance<frm_gex_prev>::get();
  gex.printPreview(window.gexprev);
  if (modal) {
    window.exec();
  } else {
    window.show();
    window.raise();
  }
}

}  // namespace quotelines
