#pragma once

#include <QString>

// A database for the main window's tests: a copy of the template with a small, known set of rows
// that exercises every deletion rule (linked and unlinked rows, keys with apostrophes).
//
// Customers 1 "Rossi Mario" (job orders C001, C002), 2 "Bianchi Srl" (job order C'03),
// 3 "D'Angelo Luca" (none); suppliers 4 "Ferramenta Nord" (article ART1), 5 "Legnami Sud" (none).
// Job orders C001 (open, template 1, two quote lines, costs on 05/03/2024 and 06/03/2024),
// C002 (closed, a cost on 05/03/2024), C'03 (open, a cost on 07/03/2024).
// Articles ART1 (category "Ferro", unit "kg", VAT "22", used by a cost) and ART'2 (category
// "Legno d'abete", unit "m'", VAT "10", unused). Lists: categories Ferro, Legno d'abete, Vetro;
// units kg, m', pz. VAT codes 22, 10, 4. Employees 1 (used by a cost) and 2. Templates 1 (used by
// C001) and 2 (two lines, unused).
namespace testdata {

// Makes the database and sets DBPath and ConnString to it.
QString createDatabase();

}  // namespace testdata
