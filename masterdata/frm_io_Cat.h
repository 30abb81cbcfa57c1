#pragma once

#include "masterdata/ListaForm.h"

// Material categories: a description of at most 20 characters. Shown without an owner.
class frm_io_Cat : public ListaForm {
  Q_OBJECT

 public:
  explicit frm_io_Cat(QWidget* parent = nullptr);

 protected:
  QString recordName() const override { return QStringLiteral("una Categoria"); }
  QString keyWords() const override { return QStringLiteral("con questa descrizione"); }
  void CollegaCampi() override;
  void takeResult() override;
  void setDefaultGlobal(const QString& text) override;
  QWidget* owner() const override { return nullptr; }
};
