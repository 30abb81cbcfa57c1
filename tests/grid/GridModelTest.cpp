#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QLoggingCategory>

#include "tests/grid/GridTestSupport.h"

namespace {

using gridtest::GridFixture;

// Collects what the model tester reports while it lives.
class ModelFindings {
 public:
  ModelFindings() {
    s_findings.clear();
    m_previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
          if (QLatin1String(context.category) == QLatin1String("qt.modeltest")) s_findings << text;
        });
  }
  ~ModelFindings() { qInstallMessageHandler(m_previous); }
  QStringList findings() const { return s_findings; }

 private:
  static inline QStringList s_findings;
  QtMessageHandler m_previous;
};

class GridModelTest : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    for (const char* row : {"('Cliente', 'Rossi', 'Milano')", "('Cliente', 'Bianchi', 'Roma')",
                            "('Fornitore', 'Verdi', 'Milano')", "('Cliente', 'Neri', 'Torino')"})
      testdb::exec(dbPath, QStringLiteral("INSERT INTO CliFor (Tipo, Nome, Località) VALUES ") + row);
  }
};

TEST_F(GridModelTest, TheRowsStayAConsistentModelThroughSortGroupCollapseAndClear) {
  ModelFindings findings;
  bind("SELECT * FROM CliFor");
  QAbstractItemModel* model = qobject_cast<QAbstractItemView*>(grid->view())->model();
  QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Warning);

  grid->sortKeys().add(3, grid::Descending);
  EXPECT_EQ(grid->cellText(1, 3), "Verdi");
  grid->groups().add(6, grid::Ascending);
  EXPECT_EQ(grid->rowCount(), 7);
  grid->collapseAll();
  EXPECT_EQ(grid->rowCount(), 3);
  grid->setRow(2);
  grid->expandAll();
  EXPECT_EQ(grid->rowCount(), 7);
  grid->groups().add(2, grid::Ascending);
  grid->collapseAll(true);
  grid->groups().clear();
  EXPECT_EQ(grid->rowCount(), 4);

  testdb::exec(dbPath, "DELETE FROM CliFor WHERE Tipo = 'Cliente'");
  grid->rebind();
  EXPECT_EQ(grid->rowCount(), 1);
  grid->setRecordSource(QString());
  grid->rebind();
  EXPECT_EQ(grid->rowCount(), 0);
  EXPECT_EQ(model->rowCount(), 0);
  EXPECT_TRUE(findings.findings().isEmpty()) << findings.findings().join('\n').toStdString();
}

}  // namespace
