#pragma once

#include "masterdata/ListaForm.h"

// Units of measure: a code (upper case, fixed once saved) and a description.
class frm_io_UM : public ListaForm {
  Q_OBJECT

 public:
  explicit frm_io_UM(QWidget* parent = nullptr);

 protected:
  QString recordName() const override { return QStringLiteral("un'Unità di misura"); }
  void afterOpen() override;
  void takeResult() override;
  void setDefaultGlobal(const QString& text) override;
};
