#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/report/ExportFilter.h"
#include "platform/report/Report.h"
#include "tests/reports/ExportReaders.h"

using namespace report;

namespace {

const QSize A4(11906, 16838);
const QMargins Margins(1080, 1080, 1080, 1080);

PageItem text(const QRect& rect, const QString& shown, bool bold = false,
              Qt::Alignment alignment = Qt::AlignLeft) {
  PageItem item;
  item.rect = rect;
  item.text = shown;
  item.style.bold = bold;
  item.style.alignment = alignment;
  return item;
}

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The column just after the end of `text` in a line of pdftotext's layout, -1 when absent.
qsizetype endColumn(const QString& page, const QString& text) {
  for (const QString& line : page.split(u'\n'))
    if (const qsizetype at = line.indexOf(text); at >= 0) return at + text.size();
  return -1;
}

// The bytes this process has handed to the system to write so far.
qint64 bytesWritten() {
  QFile io("/proc/self/io");
  if (!io.open(QIODevice::ReadOnly)) return 0;
  const QRegularExpressionMatch written =
      QRegularExpression("wchar: (\\d+)").match(QString::fromLatin1(io.readAll()));
  return written.captured(1).toLongLong();
}

}  // namespace

// Three pages as a word processor lays them out: the same three pages, a bold label a little
// wider than its box still on one line before the value beside it, amounts right-aligned under
// their heading, bold and line breaks as the page has them.
TEST(RtfExport, WordProcessorKeepsThePagesLinesAndColumns) {
  const QTemporaryDir dir;
  Page first{A4, {}, Margins};
  first.items = {text(QRect(1080, 1200, 1700, 240), "Date Commessa:", true),
                 text(QRect(2880, 1200, 1500, 240), "23-03-2022"),
                 text(QRect(1080, 1560, 6000, 260), "Riepilogo dati economici", true),
                 text(QRect(6000, 1900, 1500, 240), "Importo", true, Qt::AlignRight),
                 text(QRect(1080, 2170, 3000, 240), "Materiali"),
                 text(QRect(6000, 2170, 1500, 240), "1.234,56", false, Qt::AlignRight),
                 text(QRect(1080, 2440, 3000, 240), "Manodopera"),
                 text(QRect(6000, 2440, 1500, 240), "98.765,43", false, Qt::AlignRight),
                 text(QRect(1080, 15400, 3000, 240), "Pagina 1")};
  Page second{A4, {text(QRect(1080, 1200, 3000, 240), "Pagina 2")}, Margins};
  second.items.push_back(text(QRect(1080, 1500, 3000, 240), "Grassetto", true));
  second.items.push_back(text(QRect(1080, 1800, 3000, 480), "riga uno\nriga due"));
  second.items.back().wrap = true;
  const Page third{A4, {text(QRect(1080, 1200, 3000, 240), "Pagina 3")}, Margins};
  RtfExport rtf;
  rtf.setFileName(dir.filePath("pagine.rtf"));
  rtf.Export({first, second, third});

  const QString raw = QString::fromLatin1(contents(rtf.fileName()));
  EXPECT_EQ(raw.count(QRegularExpression(R"(\\page(bb)?(?![a-z]))")), 2) << raw.toStdString();
  EXPECT_TRUE(raw.contains(QRegularExpression(R"(\\b(\\[a-z]+\d*)* Grassetto\\)"))) << raw.toStdString();
  EXPECT_TRUE(raw.contains(R"(riga uno\line riga due)"));

  const QStringList pages = rtfPages(rtf.fileName());
  ASSERT_EQ(pages.size(), 3) << pages.join("\f").toStdString();
  EXPECT_TRUE(pages[0].contains(QRegularExpression("Date Commessa:\\s+23-03-2022")))
      << pages[0].toStdString();
  EXPECT_TRUE(pages[0].contains(QRegularExpression("\\n\\s*Riepilogo dati economici")));
  EXPECT_NE(endColumn(pages[0], "Importo"), -1);
  EXPECT_LE(std::abs(endColumn(pages[0], "1.234,56") - endColumn(pages[0], "Importo")), 1)
      << pages[0].toStdString();
  EXPECT_LE(std::abs(endColumn(pages[0], "98.765,43") - endColumn(pages[0], "Importo")), 1);
  EXPECT_TRUE(pages[0].contains("Pagina 1"));
  EXPECT_TRUE(pages[1].contains("Grassetto"));
  EXPECT_TRUE(pages[1].contains(QRegularExpression("riga uno\\s*\\n\\s*riga due"))) << pages[1].toStdString();
  EXPECT_TRUE(pages[2].contains("Pagina 3"));
}

// Each page reaches the file as it comes, so that a long report is not held in memory: before
// the end nearly all of the file is on the disk already.
TEST(RtfExport, PagesReachTheFileAsTheyCome) {
  const QTemporaryDir dir;
  std::vector<std::unique_ptr<ExportFilter>> filters;
  filters.push_back(std::make_unique<RtfExport>());
  filters.push_back(std::make_unique<HtmlExport>());
  for (const auto& filter : filters) {
    filter->setFileName(dir.filePath("report.out"));
    filter->begin();
    const qint64 before = bytesWritten();
    for (int p = 0; p < 1000; ++p) {
      Page page{A4, {}, Margins};
      for (int row = 0; row < 20; ++row)
        page.items.push_back(
            text(QRect(1080, 1200 + row * 300, 4000, 240), QStringLiteral("Riga %1").arg(row)));
      filter->page(std::move(page));
    }
    const qint64 written = bytesWritten() - before;
    filter->finish();
    const qint64 size = QFileInfo(filter->fileName()).size();
    EXPECT_GT(written, size * 9 / 10) << typeid(*filter).name() << " " << written << " of " << size;
    QFile::remove(filter->fileName());
  }
}

namespace {

// A letter whose note, in a font of its own, is a sub-report attached when the report starts.
class Note : public Report {
 public:
  Note() {
    Label& note =
        addSection(SectionType::Detail, "Detail", 300).addLabel("lblNote", QRect(0, 0, 4000, 240), "Nota");
    note.style().family = "DejaVu Serif";
    note.style().italic = true;
  }
};

class Letter : public Report {
 public:
  Letter() {
    Section& detail = addSection(SectionType::Detail, "Detail", 700);
    detail.addLabel("lblTitle", QRect(0, 0, 4000, 240), "Lettera");
    note = &detail.addSubReport("Note", QRect(0, 300, 4000, 300));
  }
  SubReport* note;

 protected:
  void ReportStart() override { note->setReport(std::make_unique<Note>()); }
};

}  // namespace

// The fonts and styles listed ahead of the pages are those of the design as the report starts,
// its sub-reports' included: the note is in its own font, and in HTML it has its class.
TEST(RtfExport, FontsAheadOfThePagesIncludeTheSubReportsAttachedAtTheStart) {
  const QTemporaryDir dir;
  Letter letter;
  RtfExport rtf;
  rtf.setFileName(dir.filePath("lettera.rtf"));
  letter.Export(rtf);
  const QString rich = QString::fromLatin1(contents(rtf.fileName()));
  EXPECT_TRUE(rich.contains(R"({\f1\fswiss DejaVu Serif;})")) << rich.toStdString();
  EXPECT_TRUE(rich.contains(QRegularExpression(R"(\\f1(\\[a-z]+\d*)* Nota)"))) << rich.toStdString();

  HtmlExport html;
  html.setFileName(dir.filePath("lettera.html"));
  letter.Export(html);
  const QString markup = QString::fromUtf8(contents(html.fileName()));
  EXPECT_TRUE(
      markup.contains(".s1{font-family:'DejaVu Serif';font-size:9pt;text-align:left;font-style:italic}"))
      << markup.toStdString();
  EXPECT_TRUE(markup.contains(QRegularExpression(R"(<div class="s1" style="[^"]*">Nota</div>)")));
}
