#pragma once

#include "masterdata/CliForForm.h"

// Suppliers (CliFor rows with Tipo "Fornitore").
class frm_io_Fornitori_01 : public CliForForm {
  Q_OBJECT

 public:
  explicit frm_io_Fornitori_01(QWidget* parent = nullptr);
};
