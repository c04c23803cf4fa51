#include "NorwegianWords.h"

namespace words {

const char* const kFirstNames[] = {
    "Ole", "Kari", "Per", "Anne", "Lars", "Ingrid", "Knut", "Solveig", "Bjørn", "Åse",
    "Jørgen", "Hilde", "Tor", "Marit", "Øyvind", "Sigrid", "Håkon", "Liv", "Geir", "Ragnhild",
    "Eirik", "Kjersti", "Svein", "Tone", "Arne", "Berit", "Espen", "Gro", "Nils", "Randi",
    "Stian", "Trude", "Vegard", "Æsa", "Halvard", "Mette", "Jon", "Siri", "Rune", "Ellen"};
const int kFirstNameCount = sizeof(kFirstNames) / sizeof(kFirstNames[0]);

const char* const kSurnames[] = {
    "Hansen", "Johansen", "Olsen", "Larsen", "Andersen", "Pedersen", "Nilsen", "Kristiansen",
    "Jensen", "Karlsen", "Johnsen", "Pettersen", "Eriksen", "Berg", "Haugen", "Hagen",
    "Johannessen", "Andreassen", "Jacobsen", "Dahl", "Jørgensen", "Halvorsen", "Lund", "Sæther",
    "Bakken", "Strand", "Moen", "Solberg", "Kristoffersen", "Østby", "Lie", "Aas", "Brekke",
    "Løken", "Rønning", "Bråten", "Grønli", "Myhre", "Tønnessen", "Fjærli"};
const int kSurnameCount = sizeof(kSurnames) / sizeof(kSurnames[0]);

const char* const kStreets[] = {
    "Storgata", "Kirkeveien", "Skolegata", "Fjordveien", "Industriveien", "Sjøgata",
    "Bjørkeveien", "Granåsen", "Havnegata", "Møllebakken", "Strandveien", "Løkkeveien",
    "Torget", "Eikelundveien", "Solbakken", "Fossveien", "Åsveien", "Kongens gate",
    "Dronningens gate", "Verkstedveien"};
const int kStreetCount = sizeof(kStreets) / sizeof(kStreets[0]);

const Place kPlaces[] = {
    {"0150", "OSLO"},      {"0484", "OSLO"},        {"1337", "SANDVIKA"}, {"1430", "ÅS"},
    {"1608", "FREDRIKSTAD"}, {"2004", "LILLESTRØM"}, {"2317", "HAMAR"},   {"2609", "LILLEHAMMER"},
    {"3015", "DRAMMEN"},   {"3182", "HORTEN"},      {"3616", "KONGSBERG"}, {"3916", "PORSGRUNN"},
    {"4005", "STAVANGER"}, {"4306", "SANDNES"},     {"4610", "KRISTIANSAND S"}, {"4836", "ARENDAL"},
    {"5003", "BERGEN"},    {"5527", "HAUGESUND"},   {"6002", "ÅLESUND"},  {"6413", "MOLDE"},
    {"7010", "TRONDHEIM"}, {"7500", "STJØRDAL"},    {"8006", "BODØ"},     {"8514", "NARVIK"},
    {"9008", "TROMSØ"},    {"9600", "HAMMERFEST"}};
const int kPlaceCount = sizeof(kPlaces) / sizeof(kPlaces[0]);

const char* const kCompanyWords[] = {
    "Nordlys", "Fjord", "Fjell", "Vestland", "Bygg", "Elektro", "Rør", "Maskin", "Transport",
    "Data", "Regnskap", "Trelast", "Marine", "Kjøl", "Varme", "Ventilasjon", "Snekker", "Maler",
    "Glass", "Stål", "Betong", "Grøntanlegg", "Sikkerhet", "Renhold", "Havbruk", "Energi"};
const int kCompanyWordCount = sizeof(kCompanyWords) / sizeof(kCompanyWords[0]);

const char* const kCompanyForms[] = {"AS", "AS", "AS", "ASA", "ANS", "DA", "Enk"};
const int kCompanyFormCount = sizeof(kCompanyForms) / sizeof(kCompanyForms[0]);

const char* const kProductWords[] = {
    "Skrue", "Mutter", "Skive", "Bolt", "Rørklemme", "Kabel", "Stikkontakt", "Bryter",
    "Sikring", "Koblingsboks", "Lampe", "Vifte", "Pumpe", "Ventil", "Kran", "Slange", "Filter",
    "Termostat", "Sensor", "Batteri", "Lader", "Verktøykasse", "Hammer", "Sag", "Drill",
    "Hengsel", "Lås", "Beslag", "Plate", "List"};
const int kProductWordCount = sizeof(kProductWords) / sizeof(kProductWords[0]);

const char* const kProductMaterials[] = {
    "rustfri", "galvanisert", "messing", "kobber", "aluminium", "plast", "eik", "furu",
    "hvit", "sort", "grå", "25 mm", "50 mm", "3x2,5 mm²", "230 V", "12 V", "½\"", "¾\""};
const int kProductMaterialCount = sizeof(kProductMaterials) / sizeof(kProductMaterials[0]);

const char* const kSubjects[] = {
    "Service varmepumpe", "Montering av kjøkken", "Befaring", "Utskifting av sikringsskap",
    "Årlig kontroll", "Reparasjon av vannlekkasje", "Levering av materialer",
    "Oppfølging tilbud", "Møte med kunde", "Feilsøking ventilasjon", "Rehabilitering bad",
    "Kontroll brannalarm", "Internt møte", "Kurs", "Reise"};
const int kSubjectCount = sizeof(kSubjects) / sizeof(kSubjects[0]);

}  // namespace words
