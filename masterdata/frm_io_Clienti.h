#pragma once

#include "masterdata/CliForForm.h"

// Customers (CliFor rows with Tipo "Cliente").
class frm_io_Clienti : public CliForForm {
  Q_OBJECT

 public:
  explicit frm_io_Clienti(QWidget* parent = nullptr);
};
