#pragma once

#include <QLine>
#include <QRect>
#include <QString>
#include <memory>

#include "platform/report/Block.h"
#include "platform/runtime/Variant.h"

namespace report {

class Report;

// A control of a section, placed in twips from the section's top left corner.
class Control {
 public:
  enum class Type { Label, Field, Line, CheckBox, SubReport };
  Control(Type type, const QString& name, const QRect& rect) : m_type(type), m_name(name), m_rect(rect) {}
  virtual ~Control() = default;

  Type type() const { return m_type; }
  const QString& name() const { return m_name; }
  const QRect& rect() const { return m_rect; }
  void setRect(const QRect& rect) { m_rect = rect; }
  bool visible() const { return m_visible; }
  void setVisible(bool visible) { m_visible = visible; }

  // Puts back the properties this control had when its report was first loaded.
  virtual void restore(const Control& design) = 0;
  virtual std::unique_ptr<Control> clone() const = 0;

  // Adds what the control shows to `block` in `rect`, its place moved down by the growth of the
  // controls above it; the control may make `rect` taller. Returns how much taller it grew.
  virtual int layout(QRect& rect, Block& block, const LayoutContext& context) const = 0;

 private:
  Type m_type;
  QString m_name;
  QRect m_rect;
  bool m_visible = true;
};

class Label : public Control {
 public:
  Label(const QString& name, const QRect& rect, const QString& caption)
      : Control(Type::Label, name, rect), m_caption(caption) {}
  const QString& caption() const { return m_caption; }
  void setCaption(const QString& caption);
  // Shows a value through a format pattern; the page item keeps both, so that an export can write
  // the value rather than its text.
  void setValue(const Variant& value, const QString& format);
  TextStyle& style() { return m_style; }
  const TextStyle& style() const { return m_style; }
  bool wordWrap() const { return m_wordWrap; }
  void setWordWrap(bool wrap) { m_wordWrap = wrap; }

  void restore(const Control& design) override { *this = static_cast<const Label&>(design); }
  std::unique_ptr<Control> clone() const override { return std::make_unique<Label>(*this); }
  int layout(QRect& rect, Block& block, const LayoutContext& context) const override;

 private:
  QString m_caption;
  Variant m_value = Variant::null();
  QString m_format;
  TextStyle m_style;
  bool m_wordWrap = false;
};

// A text box showing a value. Its data field names a column of the report's data control, or is
// an expression when it starts with "=": column names, "quoted texts" and the & operator, which
// joins texts (a Null joins as nothing), for example =Cognome & " " & Nome. Before each format
// step of its section the engine puts the current record's value into it; the format step may then
// replace the value or give a text of its own.
class Field : public Control {
 public:
  enum class Summary { None, GrandTotal };  // GrandTotal: the sum of the data field over the run

  Field(const QString& name, const QRect& rect, const QString& dataField,
        const QString& outputFormat = QString())
      : Control(Type::Field, name, rect), m_dataField(dataField), m_outputFormat(outputFormat) {}

  const QString& dataField() const { return m_dataField; }
  void setDataField(const QString& dataField) { m_dataField = dataField; }
  const QString& outputFormat() const { return m_outputFormat; }
  void setOutputFormat(const QString& format) { m_outputFormat = format; }
  Summary summary() const { return m_summary; }
  void setSummary(Summary summary) { m_summary = summary; }
  TextStyle& style() { return m_style; }
  const TextStyle& style() const { return m_style; }
  // Display option: with it on (the default) a text longer than the width wraps and the field
  // grows downwards, pushing what lies below; with it off the text stays on one line, cut at the
  // width.
  bool canGrow() const { return m_canGrow; }
  void setCanGrow(bool canGrow) { m_canGrow = canGrow; }

  const Variant& value() const { return m_value; }
  void setValue(const Variant& value);
  // The text shown: the one set with setText, else the value through the output format.
  QString text() const;
  void setText(const QString& text);
  bool hasOwnText() const { return m_hasOwnText; }

  void restore(const Control& design) override { *this = static_cast<const Field&>(design); }
  std::unique_ptr<Control> clone() const override { return std::make_unique<Field>(*this); }
  int layout(QRect& rect, Block& block, const LayoutContext& context) const override;

 private:
  QString m_dataField;
  QString m_outputFormat;
  Summary m_summary = Summary::None;
  TextStyle m_style;
  bool m_canGrow = true;
  Variant m_value = Variant::null();
  QString m_text;
  bool m_hasOwnText = false;
};

// A straight line from `from` to `to`, in twips from the section's top left corner.
class Line : public Control {
 public:
  Line(const QString& name, const QPoint& from, const QPoint& to, int lineWidth = 15)
      : Control(Type::Line, name, QRect(from, to).normalized()), m_line(from, to), m_lineWidth(lineWidth) {}
  const QLine& line() const { return m_line; }
  int lineWidth() const { return m_lineWidth; }

  void restore(const Control& design) override { *this = static_cast<const Line&>(design); }
  std::unique_ptr<Control> clone() const override { return std::make_unique<Line>(*this); }
  int layout(QRect& rect, Block& block, const LayoutContext& context) const override;

 private:
  QLine m_line;
  int m_lineWidth;
};

// A box ticked when its data field's value is true, with an optional caption to its right.
class CheckBox : public Control {
 public:
  CheckBox(const QString& name, const QRect& rect, const QString& dataField,
           const QString& caption = QString())
      : Control(Type::CheckBox, name, rect), m_dataField(dataField), m_caption(caption) {}
  const QString& dataField() const { return m_dataField; }
  const QString& caption() const { return m_caption; }
  void setCaption(const QString& caption) { m_caption = caption; }
  bool checked() const { return m_checked; }
  void setChecked(bool checked) { m_checked = checked; }
  TextStyle& style() { return m_style; }
  const TextStyle& style() const { return m_style; }

  void restore(const Control& design) override { *this = static_cast<const CheckBox&>(design); }
  std::unique_ptr<Control> clone() const override { return std::make_unique<CheckBox>(*this); }
  int layout(QRect& rect, Block& block, const LayoutContext& context) const override;

 private:
  QString m_dataField;
  QString m_caption;
  bool m_checked = false;
  TextStyle m_style;
};

// A place for another report layout, run with its own data control each time the section that
// holds it is laid out. Its content takes as much height as it needs; a hidden sub-report takes
// none and is not run.
class SubReport : public Control {
 public:
  SubReport(const QString& name, const QRect& rect);
  ~SubReport() override;

  Report* report() const { return m_report.get(); }
  template <class Layout>
  Layout* reportAs() const {
    return dynamic_cast<Layout*>(m_report.get());
  }
  void setReport(std::unique_ptr<Report> report);
  // Unloads the layout held and detaches it.
  void clearReport();

  void restore(const Control& design) override;
  std::unique_ptr<Control> clone() const override;
  int layout(QRect& rect, Block& block, const LayoutContext& context) const override;

 private:
  std::unique_ptr<Report> m_report;
};

}  // namespace report
