#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <memory>

#include "platform/report/Report.h"
#include "tests/support/PageTexts.h"
#include "tests/support/RunTool.h"

// Layouts and data of the report engine tests: an article list grouped by category, and a
// job-order list with a sub-report of each job order's costs.
namespace reporttest {

// A fresh database with `articles` articles in three categories and two job orders ("C-01" with
// three labour rows, "C-02" with `costsOfSecond` rows); articles' prices 1 000,50 + i.
QString seededDatabase(int articles, int costsOfSecond = 2);

// Article list: page header with title and column labels, a group per category, detail with code,
// description, price ("#,##0.00") and date ("dd-mm-yyyy"), a grand total, page footer "Pagina N".
class ArticleList : public report::Report {
 public:
  ArticleList();
  report::Label* lblTitle;
  report::GroupHeader* ghCategory;
  report::Label* lblCategory;
  report::Field* txtTotal;
  report::Field* txtPage;
  int fetched = 0;
  int endOfData = 0;

 protected:
  void FetchData(bool eof) override;
  void Format(report::Section& section) override;
};

// The costs of one job order (labour rows joined with the employee).
class CostList : public report::Report {
 public:
  CostList();
};

// Job orders, each followed by its costs in SubReport1.
class JobOrderList : public report::Report {
 public:
  JobOrderList();
  QString connectionString;
  QString currentCode;

 protected:
  void ReportStart() override;
  void FetchData(bool eof) override;
  void Format(report::Section& section) override;
  void ReportEnd() override;
};

// The page (from 1) on which a text first appears, 0 when it does not.
int pageOf(const report::Pages& pages, const QString& text);

}  // namespace reporttest
