// GridEX: printing its rows, and the print preview.
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/grid/CellValues.h"
#include "platform/grid/GEXPreview.h"
#include "platform/grid/GridEX.h"
#include "platform/grid/GridEngine_p.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Twips.h"

// Printing: the rows as shown (visible columns in display order, group rows, preview text) on pages
// with the page header and footer texts and the column headers.
namespace grid {
namespace {

double twipsToMillimetres(int twips) { return twips * 25.4 / TwipsPerInch; }

void configurePrinter(QPrinter& printer, const PrintSettings& settings) {
  const QMarginsF margins(twipsToMillimetres(settings.marginLeft()), twipsToMillimetres(settings.marginTop()),
                          twipsToMillimetres(settings.marginRight()),
                          twipsToMillimetres(settings.marginBottom()));
  printer.setPageLayout(
      QPageLayout(QPageSize(settings.paperSize()), settings.orientation(), margins, QPageLayout::Millimeter));
  printer.setPaperSource(settings.paperSource());
}

void drawThreeTexts(QPainter& p, const QRectF& band, const std::array<QString, 3>& texts) {
  p.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, texts[0]);
  p.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter, texts[1]);
  p.drawText(band, Qt::AlignRight | Qt::AlignVCenter, texts[2]);
}

}  // namespace

void GridEX::paintPages(QPrinter* printer) {
  d->ensureOrder();
  QPainter p(printer);
  if (!p.isActive()) return;
  const PrintSettings& s = d->printSettings;
  const double dpi = printer->resolution();
  const QRectF page(QPointF(0, 0), printer->pageLayout().paintRectPixels(printer->resolution()).size());

  std::vector<const GridColumn*> shown;
  for (const auto& c : d->columns)
    if (c->visible()) shown.push_back(c.get());
  std::sort(shown.begin(), shown.end(),
            [](const GridColumn* a, const GridColumn* b) { return a->position() < b->position(); });
  double total = 0;
  for (const GridColumn* c : shown) total += c->width() * dpi / TwipsPerInch;
  const double scale = total > page.width() && total > 0 ? page.width() / total : 1.0;

  const QFont bandFont(s.headerFooterFont(), printer);
  const QFont headerFont(d->headerFont, printer);
  const QFont rowFont(d->gridFont, printer);
  const double bandHeight = QFontMetricsF(bandFont).height() * 1.6;
  const double rowHeight = QFontMetricsF(rowFont).height() * 1.4;
  const double lineHeight = QFontMetricsF(rowFont).lineSpacing();
  const double pad = dpi / 30;
  const std::array<QString, 3> header{s.headerText(PrintLeft), s.headerText(PrintCenter),
                                      s.headerText(PrintRight)};
  const std::array<QString, 3> footer{s.footerText(PrintLeft), s.footerText(PrintCenter),
                                      s.footerText(PrintRight)};
  const bool hasHeader = !(header[0] + header[1] + header[2]).isEmpty();
  const bool hasFooter = !(footer[0] + footer[1] + footer[2]).isEmpty();
  const double bottom = page.height() - (hasFooter ? bandHeight : 0);
  const GridColumn* preview = d->previewRowLines > 0 ? d->column(d->previewColumn) : nullptr;

  double y = 0;
  bool firstPage = true;
  auto startPage = [&] {
    y = 0;
    if (hasHeader) {
      p.setFont(bandFont);
      p.setPen(Qt::black);
      drawThreeTexts(p, QRectF(0, 0, page.width(), bandHeight), header);
      y += bandHeight;
    }
    if (hasFooter) {
      p.setFont(bandFont);
      drawThreeTexts(p, QRectF(0, bottom, page.width(), bandHeight), footer);
    }
    if (d->columnHeaders && (firstPage || s.repeatHeaders())) {
      p.setFont(headerFont);
      double x = 0;
      for (const GridColumn* c : shown) {
        const double w = c->width() * dpi / TwipsPerInch * scale;
        const QRectF cell(x, y, w, rowHeight);
        p.fillRect(cell, QColor(230, 230, 230));
        p.drawRect(cell);
        p.drawText(cell.adjusted(pad, 0, -pad, 0), Qt::AlignLeft | Qt::AlignVCenter, c->caption());
        x += w;
      }
      y += rowHeight;
    }
    firstPage = false;
  };
  startPage();
  for (size_t r = 0; r < d->display.size(); ++r) {
    const int record = d->recordAt(static_cast<int>(r));
    QString previewText;
    if (preview && record >= 0) {
      previewText =
          d->cellValue(record, preview).toString().split('\n').mid(0, d->previewRowLines).join('\n');
    }
    const int previewLines = previewText.isEmpty() ? 0 : static_cast<int>(previewText.count('\n')) + 1;
    const double height = rowHeight + previewLines * lineHeight;
    if (y + height > bottom && y > 0) {
      printer->newPage();
      startPage();
    }
    p.setFont(rowFont);
    p.setPen(Qt::black);
    if (record < 0) {
      const GroupNode& node = d->groupNodes[static_cast<size_t>(-d->display[r] - 1)];
      const QRectF band(0, y, total * scale, rowHeight);
      p.fillRect(band, OleColor(d->groupHeaderBackColor));
      QFont bold = rowFont;
      bold.setBold(true);
      p.setFont(bold);
      p.drawText(band.adjusted(pad + node.level * dpi / 6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                 d->groupCaption(node));
    } else {
      double x = 0;
      for (const GridColumn* c : shown) {
        const double w = c->width() * dpi / TwipsPerInch * scale;
        const QRectF cell(x, y, w, rowHeight);
        if (d->gridLines) p.drawRect(cell);
        QString text = d->cellText(record, c);
        if (c->type() == ColumnCheckBox)
          text = d->cellValue(record, c).toBool() ? QStringLiteral("\u2713") : QString();
        p.drawText(cell.adjusted(pad, 0, -pad, 0),
                   (rightAligned(c) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, text);
        x += w;
      }
      if (previewLines > 0) {
        p.setPen(Qt::darkGray);
        p.drawText(QRectF(pad * 4, y + rowHeight, total * scale - pad * 5, previewLines * lineHeight),
                   Qt::AlignLeft | Qt::AlignTop, previewText);
      }
    }
    y += height;
  }
}

void GridEX::printPreview(GEXPreview* preview) {
  if (!preview) return;
  auto printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
  configurePrinter(*printer, d->printSettings);
  QPointer<GridEX> self(this);
  preview->setDocument(
      std::move(printer),
      [self](QPrinter* target) {
        if (self) self->paintPages(target);
      },
      this);
}

bool GridEX::printTo(const QString& printerName) {
  const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
  if (info.isNull()) return false;
  QPrinter printer(info, QPrinter::HighResolution);
  configurePrinter(printer, d->printSettings);
  if (d->printSettings.printResolution() > 0) printer.setResolution(d->printSettings.printResolution());
  paintPages(&printer);
  return true;
}

}  // namespace grid
