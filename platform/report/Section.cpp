#include "platform/report/Section.h"

namespace report {

template <class C, class... Args>
C& Section::add(Args&&... args) {
  auto control = std::make_unique<C>(std::forward<Args>(args)...);
  C& ref = *control;
  m_controls.push_back(std::move(control));
  return ref;
}

Label& Section::addLabel(const QString& name, const QRect& rect, const QString& caption) {
  return add<Label>(name, rect, caption);
}

Field& Section::addField(const QString& name, const QRect& rect, const QString& dataField,
                         const QString& outputFormat) {
  return add<Field>(name, rect, dataField, outputFormat);
}

Line& Section::addLine(const QString& name, const QPoint& from, const QPoint& to, int lineWidth) {
  return add<Line>(name, from, to, lineWidth);
}

CheckBox& Section::addCheckBox(const QString& name, const QRect& rect, const QString& dataField,
                               const QString& caption) {
  return add<CheckBox>(name, rect, dataField, caption);
}

SubReport& Section::addSubReport(const QString& name, const QRect& rect) {
  return add<SubReport>(name, rect);
}

Control* Section::control(const QString& name) const {
  for (const auto& c : m_controls)
    if (c->name().compare(name, Qt::CaseInsensitive) == 0) return c.get();
  return nullptr;
}

void Section::keepDesign() {
  m_design.clear();
  for (const auto& c : m_controls) m_design.push_back(c->clone());
  m_designVisible = m_visible;
  m_designHeight = m_height;
}

void Section::restoreDesign() {
  for (size_t i = 0; i < m_controls.size() && i < m_design.size(); ++i) m_controls[i]->restore(*m_design[i]);
  m_visible = m_designVisible;
  m_height = m_designHeight;
}

}  // namespace report
