#include "jobs/CostGrids.h"

#include <vector>

#include "platform/grid/GridEX.h"

namespace costs {
namespace {

const char* const kCostColumns[] = {
    "IdCosto",     "Classe", "Tipo",      "Riga",          "CodCom",      "InEconomia", "IdStima",
    "Data",        "CodImp", "CodMac",    "NumOre1",       "NumMinuti1",  "NumOre2",    "NumMinuti2",
    "Ore",         "NumOre", "NumMinuti", "Tariffa",       "NumPezzi",    "NumScarti",  "Codice",
    "Descrizione", "UM",     "Quantita",  "CostoUnitario", "Riferimenti", "Valore",     "PrezzoUnitario"};

struct Visible {
  int column;
  const char* caption;
  int width;  // twips
  const char* format = "";
  const char* defaultValue = nullptr;
};

// Materials and other costs differ only in their first column: the article or the category.
std::vector<Visible> visibleColumns(CostClass costClass) {
  if (costClass == Labour)
    return {{colCodImp, "Impiegato", 2800},
            {colQuantita, "Ore", 900, "#.00"},
            {colCostoUnitario, "Costo orario", 1300, "##,##0.00"},
            {colPrezzoUnitario, "Tariffa oraria", 1300, "##,##0.00", "0"},
            {colIdStima, "Voce Stima", 1500}};
  return {costClass == Materials ? Visible{colCodice, "Codice", 1600} : Visible{colTipo, "Tipo", 1600},
          {colDescrizione, "Descrizione", 3000},
          {colUM, "UM", 700},
          {colQuantita, "Quantità", 1100, "##,##0.00", "1"},
          {colCostoUnitario, "Costo U.", 1100, "##,##0.00"},
          {colPrezzoUnitario, "Prezzo U.", 1100, "##,##0.00", "0"},
          {colIdStima, "Voce Stima", 1500}};
}

QString navigatorText(CostClass costClass) {
  switch (costClass) {
    case Labour: return QStringLiteral("manodopera:|/");
    case Materials: return QStringLiteral("materiali:|/");
    case OtherCosts: return QStringLiteral("altri costi:|/");
  }
  return QString();
}

// A read-only list that serves as another grid's drop-down.
void setUpList(grid::GridEX& grid) {
  grid.setAllowEdit(false);
  grid.setAllowAddNew(false);
  grid.setAllowDelete(false);
  grid.hide();
}

}  // namespace

void setUpCostGrid(grid::GridEX& grid, CostClass costClass) {
  grid.clearColumns();
  for (const char* name : kCostColumns) grid.addColumn(name, name)->setVisible(false);
  grid.column(colInEconomia)->setCaption(QStringLiteral("E"));
  grid.column(colInEconomia)->setType(grid::ColumnCheckBox);
  grid.column(colValore)->setFormat(QStringLiteral("Currency"));
  int position = 1;
  for (const Visible& v : visibleColumns(costClass)) {
    grid::GridColumn* c = grid.column(v.column);
    c->setCaption(QString::fromUtf8(v.caption));
    c->setWidth(v.width);
    c->setFormat(QString::fromLatin1(v.format));
    if (v.defaultValue) c->setDefaultValue(Variant(QString::fromLatin1(v.defaultValue)));
    c->setVisible(true);
    c->setPosition(position++);
  }
  if (costClass == Labour) grid.column(colCodImp)->setResizable(false);
  grid.setAllowEdit(true);
  grid.setAllowAddNew(true);
  grid.setAllowDelete(true);
  grid.setRowHeaders(true);
  grid.setGroupByBoxVisible(false);
  grid.setAllowColumnDrag(false);
  grid.setRecordNavigator(true);
  grid.setRecordNavigatorString(navigatorText(costClass));
}

void setUpEmployeeList(grid::GridEX& grid) {
  setUpList(grid);
  grid.addColumn(QStringLiteral("CodImp"), QStringLiteral("CodImp"))->setVisible(false);
  grid.addColumn(QStringLiteral("Impiegato"), QStringLiteral("Impiegato"));
  grid.setColumnHeaders(false);
  grid.setDropDownColumns(QStringLiteral("CodImp"), QStringLiteral("Impiegato"));
}

void setUpQuoteLineList(grid::GridEX& grid) {
  setUpList(grid);
  grid.addColumn(QStringLiteral("Codice"), QStringLiteral("Codice"));
  grid.addColumn(QStringLiteral("Descrizione"), QStringLiteral("Descrizione"))->setWidth(3000);
  grid.addColumn(QStringLiteral("IdVocePre"), QStringLiteral("IdVocePre"))->setVisible(false);
  grid.setColumnHeaders(false);
  grid.setDropDownColumns(QStringLiteral("IdVocePre"), QStringLiteral("Codice"));
}

void setUpArticleList(grid::GridEX& grid) {
  setUpList(grid);
  grid.addColumn(QStringLiteral("Codice"), QStringLiteral("Codice articolo"))->setWidth(1600);
  grid.addColumn(QStringLiteral("Descrizione"), QStringLiteral("Descrizione"))->setWidth(3000);
  grid.addColumn(QStringLiteral("Costo"), QStringLiteral("Costo"))->setFormat(QStringLiteral("#,#.0000"));
  grid.addColumn(QStringLiteral("Prezzo"), QStringLiteral("Prezzo"))->setFormat(QStringLiteral("#,#.00"));
  grid.sortKeys().add(1, grid::Ascending);
  grid.setDropDownColumns(QStringLiteral("Codice"), QStringLiteral("Codice"));
}

}  // namespace costs
