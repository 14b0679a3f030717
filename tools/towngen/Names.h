#pragma once
// The words a town is made of: owner names, street names, places. The lists deliberately hold
// the awkward values real assessor data has: apostrophes (O'BRIEN), accented letters in UTF-8
// (GONZÁLEZ, NGUYỄN), hyphens, and a place whose postal code is not five digits.

#include <array>
#include <string_view>

namespace towngen::names {

inline constexpr std::string_view kTownName = "MILLBROOK";
inline constexpr std::string_view kTownState = "MA";
inline constexpr std::array<std::string_view, 3> kTownZips = {"01790", "01791", "01792"};

inline constexpr std::array<std::string_view, 64> kSurnames = {
    "SMITH",  "JOHNSON",  "O'BRIEN",  "MURPHY",      "NGUYỄN",   "GONZÁLEZ", "MÜLLER",     "CÔTÉ",
    "O'NEIL", "D'ANGELO", "SULLIVAN", "KELLY",       "CHEN",     "PATEL",    "SILVA",      "PEÑA",
    "BJÖRK",  "DUBOIS",   "MCCARTHY", "WALSH",       "LEE",      "KIM",      "ROSSI",      "FERREIRA",
    "COHEN",  "GARCIA",   "BROWN",    "DAVIS",       "WILSON",   "MOORE",    "TAYLOR",     "ANDERSON",
    "THOMAS", "JACKSON",  "WHITE",    "HARRIS",      "MARTIN",   "THOMPSON", "YOUNG",      "KING",
    "WRIGHT", "LOPEZ",    "HILL",     "SCOTT",       "GREEN",    "ADAMS",    "BAKER",      "NELSON",
    "CARTER", "MITCHELL", "ROBERTS",  "CAMPBELL",    "O'CONNOR", "DOYLE",    "FITZGERALD", "LEBLANC",
    "GAGNON", "SANTOS",   "OLIVEIRA", "SMITH-JONES", "FORTIER",  "ÅBERG",    "SCHÄFER",    "MCDONALD"};

inline constexpr std::array<std::string_view, 32> kGivenNames = {
    "JOHN",  "MARY",   "JOSÉ",      "ZOË",   "RENÉE",    "FRANÇOIS", "SEÁN",  "ANA",     "MICHAEL", "PATRICIA", "JAMES",
    "LINDA", "ROBERT", "ELIZABETH", "DAVID", "SUSAN",    "THOMAS",   "KAREN", "WEI",     "PRIYA",   "LUCAS",    "SOFIA",
    "OMAR",  "FATIMA", "HIROSHI",   "AOIFE", "MARGARET", "PETER",    "ANNE",  "CHARLES", "BRIDGET", "ÉMILE"};

inline constexpr std::array<std::string_view, 26> kInitials = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                                               "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                                               "S", "T", "U", "V", "W", "X", "Y", "Z"};

// Nicknames an assessor's clerk put in double quotes.
inline constexpr std::array<std::string_view, 6> kNicknames = {"JACK", "BUD", "PEGGY", "SKIP", "BETTY", "RED"};

// East-west streets: the first few names already hold an apostrophe and an accent, so even a
// small town has them in its locations.
inline constexpr std::array<std::string_view, 40> kStreetBases = {
    "ELM",     "OAK",   "MAPLE",    "O'CONNELL", "CHESTNUT", "PROSPECT", "BÉLANGER", "WILLOW",  "CHURCH", "SCHOOL",
    "SPRING",  "HIGH",  "PLEASANT", "WALNUT",    "CEDAR",    "PINE",     "HANCOCK",  "WINTER",  "SUMMER", "CENTRAL",
    "UNION",   "WATER", "MILL",     "BROOK",     "HAWTHORN", "LINDEN",   "ASH",      "BIRCH",   "HOLLIS", "D'ARCY",
    "FAYETTE", "PEARL", "FRANKLIN", "ASHTON",    "GROVE",    "MEADOW",   "RIVER",    "ORCHARD", "LAUREL", "BEACON"};
inline constexpr std::array<std::string_view, 6> kStreetSuffixes = {"ST", "RD", "PL", "TER", "WAY", "LN"};
inline constexpr std::array<std::string_view, 9> kStreetPrefixes = {"",       "NORTH ", "SOUTH ", "EAST ", "WEST ",
                                                                    "UPPER ", "LOWER ", "OLD ",   "NEW "};

// Where absentee owners get their mail.
struct Place {
    std::string_view city;
    std::string_view state;
    std::string_view zip;
};
inline constexpr std::array<Place, 10> kPlaces = {{
    {"BOSTON", "MA", "02116"},
    {"SOMERVILLE", "MA", "02143"},
    {"WORCESTER", "MA", "01608"},
    {"NEW YORK", "NY", "10001"},
    {"PROVIDENCE", "RI", "02903"},
    {"HARTFORD", "CT", "06103"},
    {"PORTLAND", "ME", "04101"},
    {"SAN JOSÉ", "CA", "95112"},
    {"MONTRÉAL", "QC", "H2X 1Y4"},
    {"CAMBRIDGE", "MA", "02139"},
}};

inline constexpr std::array<std::string_view, 6> kCompanyForms = {"REALTY TRUST",    "FAMILY LLC",    "& SONS, INC.",
                                                                  "PROPERTIES, LLC", "NOMINEE TRUST", "HOLDINGS LP"};

}  // namespace towngen::names
