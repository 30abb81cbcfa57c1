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
void openFresh(const std::optional<Variant>& key) {
  auto* form = new Form;
  if (key)
    form->Apri(*key, 0);
  else
    form->Nuovo(0);
}
}  // namespace

bool OpenMasterDataForm(const QString& code, const std::optional<Variant>& key) {
  if (code == QLatin1String("art"))
    openFresh<frm_io_Articoli_02>(key);
  else if (code == QLatin1String("for"))
    openFresh<frm_io_Fornitori_01>(key);
  else if (code == QLatin1String("cli"))
    openFresh<frm_io_Clienti>(key);
  else if (code == QLatin1String("imp"))
    openFresh<frm_io_Imp>(key);
  else if (code == QLatin1String("cat"))
    openFresh<frm_io_Cat>(key);
  else if (code == QLatin1String("umi"))
    openFresh<frm_io_UM>(key);
  else if (code == QLatin1String("iva"))
    openFresh<frm_io_IVA>(key);
  else
    return false;
  return true;
}
