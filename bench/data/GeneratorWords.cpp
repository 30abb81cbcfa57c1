#include "bench/data/GeneratorWords.h"

namespace benchdata {

namespace {

constexpr const char* kSurnames[] = {
    "Rossi",      "Russo",   "Ferrari",   "Esposito",   "Bianchi",    "Romano",     "Colombo",
    "Ricci",      "Marino",  "Greco",     "Bruno",      "Gallo",      "Conti",      "De Luca",
    "Mancini",    "Costa",   "Giordano",  "Rizzo",      "Lombardi",   "Moretti",    "Barbieri",
    "Fontana",    "Santoro", "Mariani",   "Rinaldi",    "Caruso",     "Ferrara",    "Galli",
    "Martini",    "Leone",   "Longo",     "Gentile",    "Martinelli", "Vitale",     "Lombardo",
    "Serra",      "Coppola", "De Santis", "D'Angelo",   "Marchetti",  "Parisi",     "Villa",
    "Conte",      "Ferraro", "Ferri",     "Fabbri",     "Bianco",     "Marini",     "Grasso",
    "Valentini",  "Messina", "Sala",      "De Angelis", "Gatti",      "Pellegrini", "Palumbo",
    "Sanna",      "Farina",  "Rizzi",     "Monti",      "Cattaneo",   "Morelli",    "Amato",
    "Silvestri",  "Mazza",   "Testa",     "Grassi",     "Pellegrino", "Carbone",    "Giuliani",
    "Benedetti",  "Barone",  "Rossetti",  "Caputo",     "Montanari",  "Guerra",     "Palmieri",
    "Bernardi",   "Martino", "Fiore",     "De Rosa",    "Ferretti",   "Bellini",    "Basile",
    "Riva",       "Donati",  "Piras",     "Vitali",     "Battaglia",  "Sartori",    "Neri",
    "Costantini", "Milani",  "Pagano",    "Ruggiero",   "Sorrentino", "D'Amico",    "Orlando",
    "Damico",     "Negri",   "Dell'Orto", "Zanetti",    "Bassi",      "Tosi"};

constexpr const char* kGivenNames[] = {
    "Marco", "Giuseppe", "Giovanni", "Antonio",   "Luca",   "Andrea",  "Francesco", "Alessandro",
    "Paolo", "Roberto",  "Stefano",  "Davide",    "Matteo", "Simone",  "Federico",  "Lorenzo",
    "Maria", "Anna",     "Giulia",   "Francesca", "Sara",   "Laura",   "Chiara",    "Valentina",
    "Elena", "Silvia",   "Alessia",  "Martina",   "Paola",  "Roberta", "Cristina",  "Federica"};

constexpr const char* kCompanyForms[] = {"Costruzioni Srl",     "Impianti Spa",       "Edilizia Snc",
                                         "Immobiliare Srl",     "& Figli Snc",        "Servizi Srl",
                                         "Group Spa",           "Ristrutturazioni",   "Engineering Srl",
                                         "Impresa Edile",       "Termoidraulica Srl", "Elettroforniture Spa",
                                         "Materiali Edili Srl", "Commerciale Srl"};

constexpr const char* kStreets[] = {"Via Roma",
                                    "Via Garibaldi",
                                    "Corso Italia",
                                    "Via Mazzini",
                                    "Piazza Duomo",
                                    "Via Dante",
                                    "Via Verdi",
                                    "Viale Europa",
                                    "Via Marconi",
                                    "Via Cavour",
                                    "Via XX Settembre",
                                    "Corso Vittorio Emanuele",
                                    "Via Matteotti",
                                    "Via dei Mille",
                                    "Via Manzoni",
                                    "Via San Francesco",
                                    "Via della Repubblica",
                                    "Via Leopardi",
                                    "Viale Kennedy",
                                    "Via Fermi"};

constexpr Town kTowns[] = {
    {"Milano", "MI", "20121"},     {"Roma", "RM", "00184"},    {"Torino", "TO", "10121"},
    {"Napoli", "NA", "80133"},     {"Bologna", "BO", "40121"}, {"Firenze", "FI", "50122"},
    {"Genova", "GE", "16121"},     {"Verona", "VR", "37121"},  {"Padova", "PD", "35122"},
    {"Brescia", "BS", "25121"},    {"Bergamo", "BG", "24121"}, {"Parma", "PR", "43121"},
    {"Modena", "MO", "41121"},     {"Bari", "BA", "70121"},    {"Palermo", "PA", "90133"},
    {"Trento", "TN", "38122"},     {"Udine", "UD", "33100"},   {"Vicenza", "VI", "36100"},
    {"Forlì", "FC", "47121"},      {"Cantù", "CO", "22063"},   {"L'Aquila", "AQ", "67100"},
    {"Sant'Agata", "FE", "44040"}, {"Lecce", "LE", "73100"},   {"Perugia", "PG", "06121"}};

constexpr Unit kUnits[] = {{"PZ", "Pezzi"},      {"MT", "Metri"},      {"KG", "Chilogrammi"},
                           {"LT", "Litri"},      {"H", "Ore"},         {"M2", "Metri quadri"},
                           {"M3", "Metri cubi"}, {"CF", "Confezione"}, {"RT", "Rotolo"},
                           {"KM", "Chilometri"}};

constexpr const char* kCategories[] = {"Elettrico", "Idraulica",       "Ferramenta",    "Edilizia",
                                       "Vernici",   "Legname",         "Utensili",      "Minuteria",
                                       "Sicurezza", "Climatizzazione", "Illuminazione", "Isolanti"};

constexpr VatCode kVatCodes[] = {{"IVA22", "Aliquota ordinaria 22%", 22, false},
                                 {"IVA10", "Aliquota ridotta 10%", 10, false},
                                 {"IVA4", "Aliquota minima 4%", 4, false},
                                 {"ES15", "Esente art. 15", 0, true}};

constexpr const char* kArticleNouns[] = {
    "Cavo unipolare", "Tubo multistrato", "Interruttore",        "Presa schuko",   "Scatola di derivazione",
    "Raccordo a T",   "Valvola a sfera",  "Vite autofilettante", "Tassello",       "Pannello cartongesso",
    "Stucco",         "Pittura lavabile", "Tavola abete",        "Trapano",        "Guanti da lavoro",
    "Caschetto",      "Condizionatore",   "Faretto LED",         "Lana di roccia", "Silicone",
    "Collante",       "Sacco cemento",    "Mattone forato",      "Canalina",       "Quadro elettrico"};

constexpr const char* kArticleDetails[] = {
    "1,5 mm²", "2,5 mm²", "16 mm", "20 mm", "3/4\"", "1/2\"",      "bianco",        "grigio",
    "10 pz",   "25 kg",   "5 l",   "12x40", "IP65",  "da esterno", "professionale", "serie civile"};

constexpr const char* kJobKinds[] = {
    "Impianto elettrico",     "Ristrutturazione bagno", "Rifacimento facciata",        "Impianto idraulico",
    "Manutenzione ordinaria", "Adeguamento normativo",  "Impianto di climatizzazione", "Tinteggiatura",
    "Cablaggio strutturato",  "Posa pavimenti",         "Impermeabilizzazione tetto",  "Illuminazione LED"};

constexpr const char* kLabourTasks[] = {"Montaggio",  "Sopralluogo", "Cablaggio",     "Collaudo",
                                        "Assistenza", "Smontaggio",  "Posa in opera", "Progettazione",
                                        "Trasferta",  "Manutenzione"};

constexpr OtherCost kOtherCosts[] = {{1, "Trasporto materiale"},      {2, "Noleggio ponteggio"},
                                     {3, "Subappalto opere murarie"}, {4, "Consulenza tecnica"},
                                     {5, "Spese di vitto"},           {1, "Consegna urgente"},
                                     {2, "Noleggio piattaforma"},     {5, "Pedaggi autostradali"}};

constexpr const char* kActivityNames[] = {
    "Progettazione", "Installazione",    "Collaudo",        "Manutenzione", "Assistenza",  "Sopralluogo",
    "Formazione",    "Direzione lavori", "Preventivazione", "Pratiche",     "Smaltimento", "Reperibilità"};

}  // namespace

std::span<const char* const> surnames() { return kSurnames; }
std::span<const char* const> givenNames() { return kGivenNames; }
std::span<const char* const> companyForms() { return kCompanyForms; }
std::span<const char* const> streets() { return kStreets; }
std::span<const Town> towns() { return kTowns; }
std::span<const Unit> units() { return kUnits; }
std::span<const char* const> categories() { return kCategories; }
std::span<const VatCode> vatCodes() { return kVatCodes; }
std::span<const char* const> articleNouns() { return kArticleNouns; }
std::span<const char* const> articleDetails() { return kArticleDetails; }
std::span<const char* const> jobKinds() { return kJobKinds; }
std::span<const char* const> labourTasks() { return kLabourTasks; }
std::span<const OtherCost> otherCosts() { return kOtherCosts; }
std::span<const char* const> activityNames() { return kActivityNames; }

std::uint64_t Random::next() {
  std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

int Random::between(int low, int high) {
  const std::uint64_t span = std::uint64_t(std::int64_t(high) - low + 1);
  return low + int(next() % span);
}

double Random::between(double low, double high) {
  return low + (high - low) * double(next() >> 11) * (1.0 / 9007199254740992.0);
}

bool Random::chance(double probability) { return between(0.0, 1.0) < probability; }

}  // namespace benchdata
