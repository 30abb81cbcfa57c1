#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <memory>
#include <typeinfo>
#include <vector>

#include "platform/report/ExportFilter.h"
#include "platform/report/ReportError.h"

using namespace report;

namespace {

// A page of sixty priced rows, several kilobytes in every format.
Page pricedRows() {
  Page page{QSize(11906, 16838), {}, QMargins(1080, 1080, 1080, 1080)};
  for (int i = 0; i < 60; ++i) {
    PageItem code;
    code.rect = QRect(1080, 1080 + 240 * i, 1500, 230);
    code.text = QStringLiteral("Articolo %1").arg(i);
    PageItem price = code;
    price.rect.moveLeft(3000);
    price.text = QStringLiteral("%1,50").arg(1000 + i);
    price.value = Variant(*Currency::fromDouble(1000.5 + i));
    price.format = QStringLiteral("#,##0.00");
    page.items.push_back(code);
    page.items.push_back(price);
  }
  return page;
}

std::vector<std::unique_ptr<ExportFilter>> everyFormat() {
  std::vector<std::unique_ptr<ExportFilter>> filters;
  filters.push_back(std::make_unique<PdfExport>());
  filters.push_back(std::make_unique<HtmlExport>());
  filters.push_back(std::make_unique<RtfExport>());
  filters.push_back(std::make_unique<ExcelExport>());
  return filters;
}

// The description of the ReportError that `exporting` raises; empty when it raises none.
QString errorOf(const std::function<void()>& exporting) {
  try {
    exporting();
  } catch (const ReportError& e) {
    return e.description();
  }
  return QString();
}

// While it lives, the files of this process may grow to `bytes` only, as on a full disk: a write
// beyond fails instead of ending the process. The export runs in the test's own process, so that
// a failure ends the test like any other.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_before);
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{bytes, m_before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_before);
    std::signal(SIGXFSZ, m_handler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit m_before{};
  void (*m_handler)(int) = nullptr;
};

}  // namespace

// The folder is removed while the file is being written: the commit that gives the file its
// name fails, and that is the export's error.
TEST(ExportFailure, AFolderGoneBeforeTheCommitFailsEveryFormatAndLeavesNoFile) {
  const QTemporaryDir dir;
  const QString folder = dir.filePath("uscita");
  const QString name = folder + "/report.out";
  for (const auto& filter : everyFormat()) {
    ASSERT_TRUE(QDir().mkpath(folder));
    filter->setFileName(name);
    filter->begin();
    filter->page(pricedRows());
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_TRUE(
        errorOf([&] { filter->finish(); }).startsWith("Impossibile scrivere il file \"" + name + "\": "))
        << typeid(*filter).name();
    EXPECT_FALSE(QFileInfo::exists(folder)) << typeid(*filter).name();
  }
}

TEST(ExportFailure, AFullDiskIsReportedAndLeavesTheOlderFileIntact) {
  const QTemporaryDir dir;
  const QString name = dir.filePath("report.out");
  const QByteArray older(800, 'v');
  for (const auto& filter : everyFormat()) {
    QFile old(name);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(older);
    old.close();
    filter->setFileName(name);
    QString error;
    {
      const FileSizeLimit fullDisk(1000);
      error = errorOf([&] { filter->Export({pricedRows(), pricedRows()}); });
    }
    EXPECT_EQ(error,
              "Impossibile scrivere il file \"" + name + "\": errore di scrittura, forse il disco è pieno.")
        << typeid(*filter).name();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), older);
    old.close();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"report.out"});
  }
}
