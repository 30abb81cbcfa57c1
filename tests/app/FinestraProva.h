#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/frmMain.h"
#include "platform/forms/MsgBox.h"
#include "platform/runtime/Variant.h"
#include "platform/shell/Printers.h"

class QHeaderView;
class QTableView;

// The main window started on the test database (datiprova), with a scripted printer list and
// message boxes answered by the test.
class FinestraProva : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the window and runs its start, then makes it the active window.
  void Avvia();

  QTableView* tabella() const;
  QHeaderView* intestazione() const;
  // Shows a view through its View menu item.
  void MostraVista(int indice);
  // Makes current the first row whose column `chiave` holds the value; false when none does.
  bool SelezionaRiga(const QString& chiave, const Variant& valore);
  // The value of a column in the current row.
  Variant ValoreCorrente(const QString& chiave) const;
  // Clicks the header of the column with that field name.
  void ClicIntestazione(const QString& chiave);
  // Types text as a user does: each key to the widget that has the focus at that moment.
  void Digita(const QString& testo);
  void Premi(QWidget* widget, int tasto, Qt::KeyboardModifiers modificatori = Qt::NoModifier);
  // The texts of the message boxes shown so far, other than the missing-layout warnings.
  QStringList Messaggi() const;

  std::unique_ptr<frmMain> w;
  std::vector<forms::MsgBoxRequest> mostrati;
  int risposta = forms::vbYes;
  shell::PrinterList stampanti{{{"Ufficio", "HP LaserJet 4"}, {"Magazzino", "Epson LX-300"}}, "Ufficio"};
};
