#include "platform/report/PreviewToolbar.h"

#include <stdexcept>

namespace report {

namespace {

const int kPercents[] = {50, 75, 100, 150, 200};

}  // namespace

PreviewToolbar::PreviewToolbar()
    : m_tools{{
          {PreviewAction::CopyPage, QStringLiteral("Copia")},
          {PreviewAction::Separator, QString()},
          {PreviewAction::Print, QStringLiteral("Stampa...")},
          {PreviewAction::Separator, QString()},
          {PreviewAction::FirstPage, QStringLiteral("Prima pagina")},
          {PreviewAction::LastPage, QStringLiteral("Ultima pagina")},
          {PreviewAction::Separator, QString()},
          {PreviewAction::ZoomOut, QStringLiteral("Riduci")},
          {PreviewAction::ZoomIn, QStringLiteral("Ingrandisci")},
          {PreviewAction::ZoomChoice, QString()},
          {PreviewAction::Separator, QString()},
          {PreviewAction::PreviousPage, QStringLiteral("Pagina precedente")},
          {PreviewAction::NextPage, QStringLiteral("Pagina successiva")},
          {PreviewAction::PageNumber, QString()},
          {PreviewAction::Separator, QString()},
          {PreviewAction::Back, QStringLiteral("Indietro")},
          {PreviewAction::Forward, QStringLiteral("Avanti")},
          {PreviewAction::Separator, QString()},
          {PreviewAction::CopyText, QStringLiteral("Copia testo")},
          {PreviewAction::Separator, QString()},
          {PreviewAction::Close, QStringLiteral("Chiudi")},
      }},
      m_fitWidth(QStringLiteral("Adatta alla larghezza")),
      m_fitPage(QStringLiteral("Pagina intera")) {}

PreviewTool& PreviewToolbar::tool(int index) {
  if (index < 0 || index >= ToolCount) throw std::out_of_range("preview tool index");
  return m_tools[size_t(index)];
}

const PreviewTool& PreviewToolbar::tool(int index) const {
  return const_cast<PreviewToolbar*>(this)->tool(index);
}

int PreviewToolbar::zoomChoiceCount() const { return 2 + int(std::size(kPercents)); }

QString PreviewToolbar::zoomCaption(int choice) const {
  if (choice == 1) return m_fitWidth;
  if (choice == 2) return m_fitPage;
  const int percent = zoomPercent(choice);
  return percent ? QStringLiteral("%1%").arg(percent) : QString();
}

void PreviewToolbar::setZoomCaption(int choice, const QString& caption) {
  if (choice == 1) m_fitWidth = caption;
  if (choice == 2) m_fitPage = caption;
}

int PreviewToolbar::zoomPercent(int choice) {
  const int i = choice - 3;
  return i >= 0 && i < int(std::size(kPercents)) ? kPercents[i] : 0;
}

}  // namespace report
