#include "reports/PrintReportDialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "core/Globals.h"
#include "core/MainWindowHooks.h"
#include "core/comUtility.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/forms/KeyFilters.h"
#include "platform/forms/KeyPreview.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/WaitCursor.h"
#include "platform/forms/WindowPlacement.h"
#include "platform/grid/ColumnFit.h"
#include "platform/grid/GridEX.h"
#include "platform/report/ExportFilter.h"
#include "platform/report/Report.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportViewer.h"
#include "reports/comRepLib.h"

namespace {

constexpr int ProgressDelayMs = 1000;  // a preview or export shows its progress once it lasts this long

}  // namespace

bool PrintReportDialog::s_running = false;

PrintReportDialog::PrintReportDialog(const QString& caption, const QString& copiesCaption)
    : QWidget(nullptr, Qt::Window),
      frmTipo(new QGroupBox(QStringLiteral("Tipo di stampa"))),
      GridEX1(new grid::GridEX),
      frmStampante(new QGroupBox(QStringLiteral("Stampante"))),
      cmbprinters(new QComboBox),
      cmdPropPrinter(new QPushButton(QStringLiteral("Proprietà"))),
      txtNumCopies(new QLineEdit(QStringLiteral("1"))),
      UpDown1(new QScrollBar(Qt::Vertical)),
      cmdOK(new QPushButton(QStringLiteral("Stampa"))),
      cmdPreview(new QPushButton(QStringLiteral("Anteprima"))),
      cmdExp(new QPushButton(QStringLiteral("&Esporta.."))),
      cmdCancel(new QPushButton(QStringLiteral("Chiudi"))),
      expmnu(new QMenu(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(caption);
  ImageList1.push_back(style()->standardIcon(QStyle::SP_FileDialogDetailedView));

  GridEX1->addColumn(QString(), QString())->setType(grid::ColumnIcon);
  GridEX1->addColumn(QString(), QString())->setVisible(false);
  GridEX1->addColumn(QString(), QString());
  GridEX1->column(1)->setWidth(360);
  GridEX1->column(1)->setResizable(false);
  GridEX1->setFillWidth(true);
  GridEX1->setColumnHeaders(false);
  GridEX1->setRowHeaders(false);
  GridEX1->setAllowEdit(false);
  GridEX1->setAllowAddNew(false);
  GridEX1->setAllowDelete(false);
  GridEX1->setMinimumSize(260, 120);
  connect(GridEX1, &grid::GridEX::unboundReadData, this, [this](int row, grid::RowBuffer* values) {
    if (row < 1 || row > int(m_Lista.size())) return;
    const ListRow& entry = m_Lista[size_t(row - 1)];
    values->setValue(1, Variant(entry.image));
    values->setValue(2, Variant(entry.kind));
    values->setValue(3, Variant(entry.title));
  });
  connect(GridEX1, &grid::GridEX::fetchIcon, this, [this](int row, int column, int* icon) {
    *icon = column == 1 && row >= 1 && row <= int(m_Lista.size()) ? m_Lista[size_t(row - 1)].image : 0;
  });
  connect(GridEX1, &grid::GridEX::dblClick, this, [this] { runOutput(OutputPrint); });
  auto* kindLayout = new QVBoxLayout(frmTipo);
  kindLayout->addWidget(GridEX1);

  lbl[0] = new QLabel(QStringLiteral("Nome:"));
  lbl[4] = new QLabel(copiesCaption);
  UpDown1->setRange(0, 999);
  UpDown1->setInvertedAppearance(true);
  UpDown1->setValue(1);
  UpDown1->setFixedHeight(txtNumCopies->sizeHint().height());
  connect(UpDown1, &QScrollBar::valueChanged, this,
          [this](int value) { txtNumCopies->setText(QString::number(value)); });
  txtNumCopies->setMaximumWidth(60);
  m_keys = new forms::KeyPreview(this);
  m_keys->setEnterMoves(0);
  m_keys->setCancelButton(cmdCancel);
  m_keys->setKeyFilter(txtNumCopies, forms::DigitsOnly);
  auto* printerLayout = new QGridLayout(frmStampante);
  printerLayout->addWidget(lbl[0], 0, 0);
  printerLayout->addWidget(cmbprinters, 0, 1, 1, 3);
  printerLayout->addWidget(cmdPropPrinter, 0, 4);
  printerLayout->addWidget(lbl[4], 1, 0);
  printerLayout->addWidget(txtNumCopies, 1, 1);
  printerLayout->addWidget(UpDown1, 1, 2, Qt::AlignLeft);
  printerLayout->setColumnStretch(3, 1);
  cmbprinters->setMinimumWidth(240);

  for (int i = 0; i < kExportFormatCount; ++i) {
    const ExportFormat& exportFormat = exportFormats()[i];
    QAction* menuItem = expmnu->addAction(exportFormat.menuItem);
    mnuexp[exportFormat.mode] = menuItem;
    connect(menuItem, &QAction::triggered, this, [this, mode = exportFormat.mode] { runOutput(mode); });
  }
  connect(cmdOK, &QPushButton::clicked, this, [this] { runOutput(OutputPrint); });
  connect(cmdPreview, &QPushButton::clicked, this, [this] { runOutput(OutputPreview); });
  connect(cmdExp, &QPushButton::clicked, this, [this] { expmnu->popup(QCursor::pos()); });
  connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {cmdOK, cmdPreview, cmdExp, cmdCancel}) buttons->addWidget(b);
  m_top = new QHBoxLayout;
  m_top->addWidget(frmTipo, 1);
  m_body = new QVBoxLayout(this);
  m_body->addLayout(m_top);
  m_body->addWidget(frmStampante);
  m_body->addLayout(buttons);
}

PrintReportDialog::~PrintReportDialog() = default;

void PrintReportDialog::addBesideList(QWidget* frame) { m_top->addWidget(frame); }

void PrintReportDialog::addBelowList(QWidget* frame) {
  m_body->insertWidget(m_body->indexOf(frmStampante), frame);
}

void PrintReportDialog::fillPrintersAndList(const QString& printer, std::vector<ListRow> rows) {
  for (const QIcon& icon : ImageList1) GridEX1->addImage(icon);
  cmbprinters->addItems(Stampanti.mid(0, NumStampanti));
  const int index = cmbprinters->findText(printer);
  if (index >= 0) cmbprinters->setCurrentIndex(index);
  m_Lista = std::move(rows);
  QStringList titles;
  for (const ListRow& row : m_Lista) titles << row.title;
  GridEX1->column(3)->setWidth(grid::textCellWidth(*GridEX1, titles));
  m_NumRighe = std::int32_t(m_Lista.size());
  GridEX1->setItemCount(m_NumRighe);
  if (m_NumRighe > 0) GridEX1->setRow(1);
}

void PrintReportDialog::showCentred() {
  forms::centreOn(*this, MainWindowHooks::mainWindow());
  show();
  raise();
  activateWindow();
}

void PrintReportDialog::addQueryRows(const std::vector<std::pair<QComboBox*, QString>>& lists) {
  try {
    db::Connection cn;
    cn.Open(ConnString);
    for (const auto& [combo, sql] : lists) {
      db::Recordset rs;
      rs.Open(sql, cn, db::adOpenForwardOnly, db::adLockReadOnly);
      for (; !rs.isEOF(); rs.MoveNext()) combo->addItem(NzStr(rs.Value(0), QString()));
      rs.Close();
    }
    cn.Close();
  } catch (const db::DbError& e) {
    forms::showError(e, this);
  }
}

void PrintReportDialog::runOutput(int output) {
  m_Output = std::int16_t(output);
  StampaReport();
}

void PrintReportDialog::StampaReport() {
  // A run lets the program repaint and take clicks: a second run does not start under it.
  if (s_running) return;
  const int kind = GridEX1->row() > 0 ? GridEX1->value(2).toInt() : 0;
  report::Report* report = reportOf(kind);
  if (!report) return;
  s_running = true;
  const auto done = qScopeGuard([] { s_running = false; });
  try {
    const QString query = queryOf(kind);
    SetReportPrinter(*report, cmbprinters->currentText());
    setLabels(kind);
    report->dc1.setConnectionString(ConnString);
    report->dc1.setSource(query);
    setSubReports(kind);
    setExportMode(kind, OutputPrint);
    switch (m_Output) {
      case OutputPrint: PrintReportProgress(*report); break;
      case OutputPreview: {
        SetPreviewToolbar(*report);
        const forms::WaitCursor busy;
        const RunProgress progress(*report, QStringLiteral("Anteprima del documento"), ProgressDelayMs);
        report::ReportViewer* viewer = report->Show();
        connect(viewer, &report::ReportViewer::printFailed, viewer, [viewer](const QString& message) {
          forms::MsgBox(message, forms::vbExclamation, QString(), viewer);
        });
        break;
      }
      default:
        if (exportFormatOf(m_Output)) exportReport(*report, kind);
        break;
    }
  } catch (const report::ReportError& e) {
    forms::showError(e, this);
  }
}

// The file is chosen first, so that each page goes into it as soon as it is made.
void PrintReportDialog::exportReport(report::Report& report, int kind) {
  setExportMode(kind, m_Output);
  const ExportFormat& exportFormat = *exportFormatOf(m_Output);
  const std::unique_ptr<report::ExportFilter> filter = newExportFilter(m_Output);
  comdlg.DefaultExt = exportFormat.extension;
  comdlg.Filter = exportFormat.filter;
  comdlg.FileName.clear();
  comdlg.ShowSave(this);
  const forms::WaitCursor busy;
  if (comdlg.FileName.isEmpty()) {
    // Cancelled: nothing is written, the report is run all the same.
    const RunProgress progress(report, QStringLiteral("Esportazione annullata"), ProgressDelayMs);
    report.Run();
    return;
  }
  filter->setFileName(comdlg.FileName);
  const RunProgress progress(report, "Esportazione in '" + comdlg.FileName + "'", ProgressDelayMs);
  report.Export(*filter);
}

void PrintReportDialog::closeEvent(QCloseEvent* event) {
  if (s_running) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}
