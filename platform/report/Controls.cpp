#include "platform/report/Controls.h"

#include "platform/report/Report.h"
#include "platform/runtime/Format.h"

namespace report {

void Field::setValue(const Variant& value) {
  m_value = value;
  m_text.clear();
  m_hasOwnText = false;
}

QString Field::text() const {
  return m_hasOwnText ? m_text : Format(m_value, m_outputFormat);
}

void Field::setText(const QString& text) {
  m_text = text;
  m_hasOwnText = true;
}

SubReport::SubReport(const QString& name, const QRect& rect) : Control(Type::SubReport, name, rect) {}

SubReport::~SubReport() { clearReport(); }

void SubReport::setReport(std::unique_ptr<Report> report) {
  clearReport();
  m_report = std::move(report);
}

void SubReport::clearReport() {
  if (m_report) m_report->Unload();
  m_report.reset();
}

void SubReport::restore(const Control& design) {
  clearReport();
  setRect(design.rect());
  setVisible(design.visible());
}

std::unique_ptr<Control> SubReport::clone() const {
  auto copy = std::make_unique<SubReport>(name(), rect());
  copy->setVisible(visible());
  return copy;
}

}  // namespace report
