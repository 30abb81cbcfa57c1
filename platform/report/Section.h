#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "platform/report/Controls.h"
#include "platform/report/ReportError.h"
#include "platform/runtime/Variant.h"

namespace report {

// A control found by name, as the kind the layout gave it; a misspelt name or a wrong kind is a
// ReportError rather than a null pointer.
template <class C>
C& checkedControl(Control* control, const QString& name) {
  if (auto* found = dynamic_cast<C*>(control)) return *found;
  throw ReportError(QStringLiteral("Il report non ha il controllo \"%1\" del tipo atteso.").arg(name));
}

enum class SectionType {
  ReportHeader,
  PageHeader,
  GroupHeader,
  Detail,
  GroupFooter,
  PageFooter,
  ReportFooter
};

// A band of a layout: a height in twips and the controls placed on it. A section is never split
// across pages unless it is taller than a whole page (its sub-reports then break between their
// rows). A hidden section takes no room.
class Section {
 public:
  Section(SectionType type, const QString& name, int height) : m_type(type), m_name(name), m_height(height) {}
  virtual ~Section() = default;
  Section(const Section&) = delete;
  Section& operator=(const Section&) = delete;

  SectionType type() const { return m_type; }
  const QString& name() const { return m_name; }
  int height() const { return m_height; }
  void setHeight(int height) { m_height = height; }
  bool visible() const { return m_visible; }
  void setVisible(bool visible) { m_visible = visible; }

  Label& addLabel(const QString& name, const QRect& rect, const QString& caption);
  Field& addField(const QString& name, const QRect& rect, const QString& dataField,
                  const QString& outputFormat = QString());
  Line& addLine(const QString& name, const QPoint& from, const QPoint& to, int lineWidth = 15);
  CheckBox& addCheckBox(const QString& name, const QRect& rect, const QString& dataField,
                        const QString& caption = QString());
  SubReport& addSubReport(const QString& name, const QRect& rect);

  const std::vector<std::unique_ptr<Control>>& controls() const { return m_controls; }
  Control* control(const QString& name) const;  // nullptr when the section has no such control
  // The control of that name and kind; a ReportError when the section has none.
  template <class C>
  C& controlAs(const QString& name) const {
    return checkedControl<C>(control(name), name);
  }

  // The design snapshot and its restoration (Report::Load and Report::Unload).
  void keepDesign();
  void restoreDesign();

 private:
  template <class C, class... Args>
  C& add(Args&&... args);

  SectionType m_type;
  QString m_name;
  int m_height;
  bool m_visible = true;
  std::vector<std::unique_ptr<Control>> m_controls;
  std::vector<std::unique_ptr<Control>> m_design;
  bool m_designVisible = true;
  int m_designHeight = 0;
};

// The header of a group: a new group starts, closing the one before with its footer, whenever the
// break value set for the record just fetched differs from the one of the record before.
class GroupHeader : public Section {
 public:
  GroupHeader(const QString& name, int height) : Section(SectionType::GroupHeader, name, height) {}
  const Variant& breakValue() const { return m_breakValue; }
  void setBreakValue(const Variant& value) { m_breakValue = value; }

 private:
  Variant m_breakValue;
};

}  // namespace report
