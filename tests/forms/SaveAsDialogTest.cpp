#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include "platform/forms/SaveAsDialog.h"
#include "platform/shell/Desktop.h"
#include "tests/support/FormTestSupport.h"

namespace {

// Shows the Save As dialog for the extension; the folder it opened in, and the file name it gives
// after the user picks the file (or cancels, when the file is empty).
QString folderShown(const QString& extension, const QString& chosenFile, QString* fileName = nullptr) {
  forms::SaveAsDialog comdlg;
  comdlg.DefaultExt = extension;
  comdlg.Filter = "File (*" + extension + ")|*" + extension;
  QString folder;
  runModal(
      [&] {
        comdlg.ShowSave();
        return Variant();
      },
      [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return modal->close(), void(ADD_FAILURE() << "no file dialog");
        folder = dialog->directory().absolutePath();
        if (chosenFile.isEmpty()) return dialog->reject();
        auto* typed = dialog->findChild<QLineEdit*>("fileNameEdit");
        if (!typed) return dialog->reject(), void(ADD_FAILURE() << "no file name field");
        typed->setText(chosenFile);
        static_cast<QDialog*>(dialog)->accept();  // the file dialog's own checks run
      });
  if (fileName) *fileName = comdlg.FileName;
  return folder;
}

TEST(SaveAsDialogTest, OpensInTheDocumentsFolderThenWhereTheLastFileOfTheSameFormatWent) {
  const QString documents = shell::documentsFolder();
  ASSERT_FALSE(documents.isEmpty());
  ASSERT_NE(documents, QDir::currentPath()) << "the test must tell the documents from the working folder";
  QTemporaryDir excel, pdf;

  EXPECT_EQ(folderShown(".xls", QString()), documents);
  EXPECT_EQ(folderShown(".xls", QString()), documents) << "a cancelled dialog changes nothing";
  QString chosen;
  folderShown(".xls", excel.path() + "/lista", &chosen);
  EXPECT_EQ(chosen, excel.path() + "/lista.xls");

  EXPECT_EQ(folderShown(".pdf", QString()), documents) << "each format keeps its own folder";
  folderShown(".pdf", pdf.path() + "/lista.pdf");
  EXPECT_EQ(folderShown(".xls", QString()), excel.path());
  EXPECT_EQ(folderShown(".pdf", QString()), pdf.path());

  excel.remove();
  EXPECT_EQ(folderShown(".xls", QString()), documents) << "a folder that is gone is not offered";
}

}  // namespace
