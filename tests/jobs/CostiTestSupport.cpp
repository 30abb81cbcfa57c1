#include "tests/jobs/CostiTestSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <map>

#include "platform/forms/SharedInstance.h"

void CostiTest::SetUp() {
  FormTest::SetUp();
  testdb::exec(cn,
               "INSERT INTO Commesse (CodCom, IdCliente, DesCom, EcoTar, Chiusa) VALUES ('A001', 1, "
               "'Chiusa', 50, True), "
               "('B002', 1, 'Cucina', 40, False), ('B001', 1, 'Bagno', NULL, False), ('C003', 1, 'Tetto', "
               "NULL, False)");
  testdb::exec(cn,
               "INSERT INTO Impiegati (CodImp, Cognome, Nome, Tariffa) VALUES (1, 'Rossi', 'Mario', 25), "
               "(2, 'Bianchi', 'Anna', NULL)");
  testdb::exec(
      cn,
      "INSERT INTO Liste (Chiave, Codice, Descrizione) VALUES ('um', 'PZ', 'Pezzi'), ('um', 'M', 'Metri')");
  testdb::exec(cn,
               "INSERT INTO Articoli (Codice, Descrizione, Costo, Prezzo, UM) VALUES ('CAVO1', 'Cavo 3x1,5', "
               "1.5, 2.2, 'M'), "
               "('VITE', 'Vite', 0.1, NULL, NULL)");
  testdb::exec(
      cn,
      "INSERT INTO CommessePre (IdVocePre, CodCom, Codice, Descrizione) VALUES (10, 'B001', 'V2', 'Scavo'), "
      "(11, 'B001', 'V1', 'Posa'), (12, 'B002', 'X1', 'Altro')");
  testdb::exec(cn,
               "INSERT INTO Costi (IdCosto, Classe, Tipo, CodCom, InEconomia, Data, CodImp, Codice, "
               "Descrizione, Quantita, "
               "CostoUnitario, Valore) VALUES "
               "(1, 0, NULL, 'B001', True, #03/05/2024#, 1, NULL, NULL, 2, 25, 50), "
               "(2, 3, 2, 'B001', True, #03/05/2024#, NULL, NULL, 'Gru', 1, 100, 100), "
               "(3, 0, NULL, 'B001', True, #03/06/2024#, 2, NULL, NULL, 1, 0, 0), "
               "(4, 2, NULL, 'B001', True, #03/05/1930#, NULL, 'CAVO1', 'Cavo', 1, 1.5, 1.5), "
               "(5, 2, NULL, 'B001', True, #03/05/2030#, NULL, 'VITE', 'Vite', 1, 0.1, 0.1)");
}

frm_io_Costi& CostiTest::window() { return forms::SharedInstance<frm_io_Costi>::get(); }

frm_io_Costi& CostiTest::open(const QDate& day) {
  frm_io_Costi& w = window();
  w.Apri(day);
  if (w.isVisible()) activate(&w);
  return w;
}

void clickRow(grid::GridEX* grid, int row, int column) {
  auto* view = qobject_cast<QAbstractItemView*>(grid->view());
  const int modelRow = row == -1 ? view->model()->rowCount() - 1 : row - 1;
  const QRect cell = view->visualRect(view->model()->index(modelRow, column - 1));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
  // A row that cannot be written takes the cursor back once the click is handled.
  QCoreApplication::processEvents();
}

QStringList visibleCaptions(grid::GridEX* grid) {
  std::map<int, QString> byPosition;
  for (int i = 1; i <= grid->columnCount(); ++i)
    if (grid->column(i)->visible()) byPosition[grid->column(i)->position()] = grid->column(i)->caption();
  QStringList captions;
  for (const auto& [position, caption] : byPosition) captions << caption;
  return captions;
}
