#include "tests/report/ReportTestSupport.h"

#include "platform/db/Connection.h"
#include "tests/support/TestEnv.h"

namespace reporttest {

using namespace report;

QString seededDatabase(int articles, int costsOfSecond) {
  const QString path = testenv::freshDatabase();
  db::Connection c;
  c.Open(testenv::connectionString(path));
  c.BeginTrans();
  const QStringList categories{"Bulloneria", "Colle & Vernici", "Ferramenta"};
  for (int i = 0; i < articles; ++i)
    c.Execute(QStringLiteral("INSERT INTO Articoli (Codice, Descrizione, Prezzo, DataIns, Categoria) "
                             "VALUES ('A%1', 'Articolo numero %2', %3, #03/05/08#, '%4')")
                  .arg(i, 4, 10, QChar('0'))
                  .arg(i)
                  .arg(1000.5 + i)
                  .arg(categories[i % 3]));
  c.Execute("INSERT INTO Impiegati (CodImp, Cognome, Nome) VALUES (1, 'Rossi', 'Mario')");
  c.Execute("INSERT INTO Impiegati (CodImp, Cognome, Nome) VALUES (2, 'Bianchi', 'Lucia')");
  c.Execute("INSERT INTO Commesse (CodCom, DesCom) VALUES ('C-01', 'Prima commessa')");
  c.Execute("INSERT INTO Commesse (CodCom, DesCom) VALUES ('C-02', 'Seconda commessa')");
  for (int i = 0; i < 3; ++i)
    c.Execute(QStringLiteral("INSERT INTO Costi (Classe, CodCom, CodImp, Data, Quantita, Valore) "
                             "VALUES (0, 'C-01', 1, #01/1%1/09#, %2, %3)")
                  .arg(i)
                  .arg(i + 1)
                  .arg(25 * (i + 1)));
  for (int i = 0; i < costsOfSecond; ++i)
    c.Execute(QStringLiteral("INSERT INTO Costi (Classe, CodCom, CodImp, Data, Quantita, Valore) "
                             "VALUES (0, 'C-02', 2, #02/01/09#, %1, %2)")
                  .arg(100 + i)
                  .arg(1000 + i));
  c.CommitTrans();
  return path;
}

ArticleList::ArticleList() {
  Section& ph = addSection(SectionType::PageHeader, "PageHeader", 700);
  lblTitle = &ph.addLabel("lblTitle", QRect(0, 0, 6000, 360), "Articoli");
  lblTitle->style().pointSize = 14;
  lblTitle->style().bold = true;
  ph.addLabel("lblCodice", QRect(0, 400, 1200, 255), "Codice");
  ph.addLabel("lblDescrizione", QRect(1300, 400, 3000, 255), "Descrizione");
  ph.addLabel("lblPrezzo", QRect(4400, 400, 1500, 255), "Prezzo").style().alignment = Qt::AlignRight;
  ph.addLabel("lblData", QRect(6000, 400, 1400, 255), "Data");
  ph.addLine("Line1", QPoint(0, 680), QPoint(7400, 680));

  ghCategory = &addGroupHeader("ghCategoria", 400);
  lblCategory = &ghCategory->addLabel("lblCategoria", QRect(0, 60, 5000, 300), QString());
  lblCategory->style().bold = true;

  Section& detail = addSection(SectionType::Detail, "Detail", 270);
  detail.addField("txtCodice", QRect(0, 0, 1200, 255), "Codice");
  detail.addField("txtDescrizione", QRect(1300, 0, 3000, 255), "Descrizione");
  detail.addField("txtPrezzo", QRect(4400, 0, 1500, 255), "Prezzo", "#,##0.00").style().alignment =
      Qt::AlignRight;
  detail.addField("txtData", QRect(6000, 0, 1400, 255), "DataIns", "dd-mm-yyyy");

  const GroupHeader& group = *ghCategory;
  addGroupFooter("gfCategoria", 120, group).addLine("Line2", QPoint(0, 60), QPoint(7400, 60));

  Section& rf = addSection(SectionType::ReportFooter, "ReportFooter", 400);
  rf.addLabel("lblTotale", QRect(1300, 100, 3000, 255), "Totale");
  txtTotal = &rf.addField("txtTotale", QRect(4400, 100, 1500, 255), "Prezzo", "#,##0.00");
  txtTotal->setSummary(Field::Summary::GrandTotal);
  txtTotal->style().alignment = Qt::AlignRight;

  Section& pf = addSection(SectionType::PageFooter, "PageFooter", 300);
  txtPage = &pf.addField("txtPagina", QRect(5000, 0, 2400, 255), QString());
  txtPage->style().alignment = Qt::AlignRight;
}

void ArticleList::FetchData(bool eof) {
  if (eof) {
    ++endOfData;
    return;
  }
  ++fetched;
  ghCategory->setBreakValue(dc1.value("Categoria"));
}

void ArticleList::Format(Section& section) {
  if (&section == ghCategory) lblCategory->setCaption(ghCategory->breakValue().toString());
  if (section.name() == "PageFooter") txtPage->setText(QStringLiteral("Pagina %1").arg(pageNumber()));
}

CostList::CostList() {
  Section& detail = addSection(SectionType::Detail, "Detail", 270);
  detail.addField("txtData", QRect(0, 0, 1200, 255), "Data", "dd-mm-yyyy");
  detail.addField("txtCognome", QRect(1300, 0, 2500, 255), "=Cognome & \" \" & Nome");
  detail.addField("txtQuantita", QRect(3900, 0, 1000, 255), "Quantita").style().alignment = Qt::AlignRight;
  detail.addCheckBox("CheckBox1", QRect(5000, 0, 300, 255), "InEconomia");
  detail.addField("txtValore", QRect(5400, 0, 1500, 255), "Valore", "##,##0.00").style().alignment =
      Qt::AlignRight;
}

JobOrderList::JobOrderList() {
  Section& detail = addSection(SectionType::Detail, "Detail", 900);
  detail.addField("txtCodCom", QRect(0, 0, 1500, 300), "CodCom").style().bold = true;
  detail.addField("txtDesCom", QRect(1600, 0, 5000, 300), "DesCom");
  detail.addSubReport("SubReport1", QRect(300, 400, 7000, 400));
}

void JobOrderList::ReportStart() {
  controlAs<SubReport>("SubReport1").setReport(std::make_unique<CostList>());
}

void JobOrderList::FetchData(bool eof) {
  if (!eof) currentCode = dc1.value("CodCom").toString();
}

void JobOrderList::Format(Section& section) {
  if (section.type() != SectionType::Detail) return;
  Report* costs = controlAs<SubReport>("SubReport1").report();
  costs->dc1.setConnectionString(connectionString);
  costs->dc1.setSource(
      "SELECT Costi.*, Impiegati.Cognome, Impiegati.Nome FROM Costi INNER JOIN Impiegati ON "
      "Costi.CodImp = Impiegati.CodImp WHERE Costi.CodCom='" +
      currentCode + "' ORDER BY Costi.Data DESC");
}

void JobOrderList::ReportEnd() { controlAs<SubReport>("SubReport1").clearReport(); }

int pageOf(const Pages& pages, const QString& text) {
  for (size_t i = 0; i < pages.size(); ++i)
    for (const PageItem& item : pages[i].items)
      if (item.kind == PageItem::Kind::Text && item.text == text) return int(i) + 1;
  return 0;
}

}  // namespace reporttest
