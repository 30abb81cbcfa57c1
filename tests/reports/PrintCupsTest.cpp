// Printing the job-order report on a real CUPS queue whose device writes to a file.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "core/Globals.h"
#include "platform/shell/Printers.h"
#include "reports/comfrmPrintProgress.h"
#include "reports/frmPrintReportCom.h"
#include "tests/reports/ReportTestSupport.h"
#include "tests/support/PdfText.h"

namespace {

const QString kDir = QStringLiteral(CUPS_TEST_DIR);
const QString kOutput = kDir + "/out/stampa.out";

// Records the texts of the progress window each time it is shown.
class ProgressWatch : public QObject {
 public:
  ProgressWatch() { qApp->installEventFilter(this); }
  ~ProgressWatch() override { qApp->removeEventFilter(this); }
  QStringList seen;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show)
      if (auto* progress = qobject_cast<comfrmPrintProgress*>(watched))
        seen << progress->windowTitle() + " | " + progress->lblPrintWhere->text() + " | " +
                    progress->lblPercent->text() + " | " + progress->cmdCancel->text();
    return false;
  }
};

class PrintCupsTest : public ReportTest {
 protected:
  void SetUp() override {
    if (QFile skip(kDir + "/skip"); skip.open(QIODevice::ReadOnly))
      GTEST_SKIP() << "CUPS non disponibile: " << skip.readAll().trimmed().toStdString();
    ReportTest::SetUp();
    // The print system is asked for the first time below, so it reaches the test's own server.
    qputenv("CUPS_SERVER", (kDir + "/cups.sock").toUtf8());
    const shell::PrinterList printers = shell::installedPrinters();
    Stampanti.clear();
    for (const shell::Printer& p : printers.printers) Stampanti << p.deviceName;
    NumStampanti = std::int32_t(Stampanti.size());
    defaultPrinter = printers.defaultPrinter;
  }
  void TearDown() override {
    Stampanti.clear();
    NumStampanti = 0;
    ReportTest::TearDown();
  }
  QString defaultPrinter;
};

TEST_F(PrintCupsTest, StampaSendsTheReportToTheChosenQueueWithoutADialog) {
  ASSERT_EQ(defaultPrinter, "commesse-test") << "the test server's queue is the default printer";
  QFile::remove(kOutput);
  frmPrintReportCom* dialog = openDialog();
  dialog->Stampa(defaultPrinter, QString());
  EXPECT_EQ(dialog->cmbprinters->currentText(), "commesse-test");
  ProgressWatch watch;
  click(dialog->cmdOK);
  EXPECT_EQ(watch.seen,
            QStringList{"Stampa | Stampa del documento su 'commesse-test' | Paginazione in corso | Annulla"});
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(qobject_cast<comfrmPrintProgress*>(w));

  // The job went through the queue and its device wrote the report.
  ASSERT_TRUE(QTest::qWaitFor([] { return QFile(kOutput).size() > 0; }, 30000))
      << "nothing reached " << kOutput.toStdString();
  QString completed;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        completed = runTool("lpstat", {"-W", "completed", "-o", "commesse-test"});
        return completed.contains("commesse-test-");
      },
      30000));
  QString text;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        text = testenv::pdfPages(kOutput).join("\n");
        return text.contains("Commesse selezionate");
      },
      30000));
  EXPECT_TRUE(text.contains("Commesse selezionate: (Tutte) - Clienti selezionati: (Tutti)"));
  EXPECT_TRUE(text.contains("Impianto elettrico"));
  EXPECT_TRUE(text.contains("05-03-2008"));
  EXPECT_TRUE(text.contains("1.120,00"));

  // A printer that is not there: the user is told and the dialog stays.
  dialog->cmbprinters->addItem("stampante-sparita");
  dialog->cmbprinters->setCurrentIndex(dialog->cmbprinters->count() - 1);
  click(dialog->cmdOK);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("stampante-sparita")) << messages[0].toStdString();
  EXPECT_TRUE(dialog->isVisible());
}

}  // namespace
