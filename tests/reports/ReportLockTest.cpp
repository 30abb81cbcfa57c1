// Another program saving while the job-order report runs: each save goes through at once, whether
// the report is exported, printed or shown.
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <functional>

#include "core/Globals.h"
#include "platform/report/ExportFilter.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportViewer.h"
#include "reports/arp_o_Com01.h"
#include "tests/reports/ReportTestSupport.h"

namespace {

const QString kSaved = QStringLiteral("Da un altro programma");

// The job-order report that has another program book a cost as each job order is laid out, and
// keeps how long each save took in milliseconds.
class ReportBesideAWriter : public arp_o_Com01 {
 public:
  explicit ReportBesideAWriter(const QString& path) : m_path(path) {}
  QList<qint64> saves;

 protected:
  void Format(report::Section& section) override {
    arp_o_Com01::Format(section);
    if (section.type() != report::SectionType::Detail) return;
    QElapsedTimer clock;
    clock.start();
    runTool("sqlite3",
            {"-bail", "-cmd", ".timeout 3000", m_path,
             "INSERT INTO Costi (Classe, CodCom, Descrizione) VALUES (3, 'C001', '" + kSaved + "')"});
    saves << clock.elapsed();
  }

 private:
  QString m_path;
};

class ReportLockTest : public ReportTest {};

TEST_F(ReportLockTest, AnotherProgramSavesAtOnceWhileTheReportIsExportedPrintedOrShown) {
  QTemporaryDir dir;
  const std::vector<std::pair<const char*, std::function<void(arp_o_Com01&)>>> runs = {
      {"esportazione",
       [&dir](arp_o_Com01& report) {
         report::PdfExport pdf;
         pdf.setFileName(dir.filePath("commesse.pdf"));
         report.Export(pdf);
       }},
      // The report runs in full before the missing printer is told.
      {"stampa",
       [](arp_o_Com01& report) {
         report.setPrinterDeviceName("Assente");
         EXPECT_THROW(report.Print(false), report::ReportError);
       }},
      {"anteprima", [](arp_o_Com01& report) { report.Show()->close(); }},
  };
  int saved = 0;
  for (const auto& [what, run] : runs) {
    SCOPED_TRACE(what);
    ReportBesideAWriter report(cn.path());
    report.dc1.setConnectionString(ConnString);
    report.dc1.setSource(
        "SELECT Commesse.*, CliFor.Nome FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = "
        "CliFor.IdCliFor");
    run(report);
    EXPECT_EQ(report.saves.size(), 3) << "one save for each job order";
    for (const qint64 ms : report.saves) EXPECT_LT(ms, 1000) << "a save waited for the report";
    saved += int(report.saves.size());
  }
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE Descrizione = '" + kSaved + "'"), saved);
}

}  // namespace
