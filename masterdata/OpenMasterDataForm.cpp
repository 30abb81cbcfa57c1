#include "masterdata/OpenMasterDataForm.h"

#include "masterdata/frm_io_Articoli_02.h"
#include "masterdata/frm_io_Cat.h"
#include "masterdata/frm_io_Clienti.h"
#include "masterdata/frm_io_Fornitori_01.h"
#include "masterdata/frm_io_IVA.h"
#include "masterdata/frm_io_Imp.h"
#include "masterdata/frm_io_UM.h"

namespace {
template <class Form>
void openFresh(const QString& code, const std::optional<Variant>& key) {
  auto* form = new Form;
  form->setViewCode(code);
  if (key)
    form->Apri(*key, 0);
  else
    form->Nuovo(0);
}
}  // namespace

bool OpenMasterDataForm(const QString& code, const std::optional<Variant>& key) {
  if (code == QLatin1String("art"))
    openFresh<frm_io_Articoli_02>(code, key);
  else if (code == QLatin1String("for"))
    openFresh<frm_io_Fornitori_01>(code, key);
  else if (code == QLatin1String("cli"))
    openFresh<frm_io_Clienti>(code, key);
  else if (code == QLatin1String("imp"))
    openFresh<frm_io_Imp>(code, key);
  else if (code == QLatin1String("cat"))
    openFresh<frm_io_Cat>(code, key);
  else if (code == QLatin1String("umi"))
    openFresh<frm_io_UM>(code, key);
  else if (code == QLatin1String("iva"))
    openFresh<frm_io_IVA>(code, key);
  else
    return false;
  return true;
}
