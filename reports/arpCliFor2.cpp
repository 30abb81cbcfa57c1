#include "reports/arpCliFor2.h"

arpCliFor2::arpCliFor2()
    : ExportListLayout(
          QStringLiteral("lblTitle"), QString(), QStringLiteral("Line5"),
          {{QStringLiteral("Label1"), QStringLiteral("Codice"), QStringLiteral("Field2"),
            QStringLiteral("IdCliFor"), 0, 700, QStringLiteral("00000")},
           {QStringLiteral("lblCliFor_Nome"), QStringLiteral("Nome"), QStringLiteral("txtCliFor_Nome"),
            QStringLiteral("Nome"), 760, 3000},
           {QStringLiteral("lblCliFor_Localit"), QStringLiteral("Località"),
            QStringLiteral("txtCliFor_Localit"), QStringLiteral("Località"), 3820, 2100},
           {QString(), QString(), QStringLiteral("Field1"), QStringLiteral("Prov"), 5980, 480},
           {QStringLiteral("lblCliFor_Telefono"), QStringLiteral("Telefono"),
            QStringLiteral("txtCliFor_Telefono"), QStringLiteral("Telefono"), 6520, 1560},
           {QStringLiteral("lblCliFor_Cellulare"), QStringLiteral("Cellulare"),
            QStringLiteral("txtCliFor_Cellulare"), QStringLiteral("Cellulare"), 8140, Width - 8140}},
          QStringLiteral("Line2"),
          {QStringLiteral("txtCliFor_Nome"), QStringLiteral("txtCliFor_Localit"),
           QStringLiteral("txtCliFor_Telefono"), QStringLiteral("txtCliFor_Cellulare"),
           QStringLiteral("Field1"), QStringLiteral("Field2")}) {}
