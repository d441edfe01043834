#include "core/timeservices/WorldClocks.h"

namespace domora {

const std::array<WorldClock, 14> kWorldClocks = {{
    {"StaticText16", "Киев", 2, 0, 0},
    {"StaticText1", "Стамбул", 2, 0, 1},
    {"StaticText2", "Рига, Талин", 2, 0, 2},
    {"StaticText5", "Претория", 2, 0, 3},
    {"StaticText14", "Минск", 2, 0, 4},
    {"StaticText15", "Севастополь", 2, 0, 5},
    {"StaticText11", "Москва", 3, 0, 6},
    {"StaticText9", "Екатеринбург", 5, 0, 7},
    {"StaticText3", "Красноярск", 7, 0, 8},
    {"StaticText10", "Гон-конг", 8, 0, 9},
    {"StaticText8", "Токио", 9, 0, 10},
    {"StaticText7", "Владивосток", 10, 0, 11},
    {"StaticText12", "Гринвич, Лондон (GMT)", 0, 1, 0},
    {"StaticText6", "Нью Йорк", -5, 1, 1},
}};

const WorldClock kCentralEuropeanClock = {
    "StaticText13",
    "   Центральное европейское время             (CET: Амстердам, Рим,              "
    " Париж, Мадрид, Берлин, Белград)",
    1, 2, 0};

const std::array<std::string_view, 15> kWorldClockTickOrder = {
    "StaticText16", "StaticText1",  "StaticText14", "StaticText15", "StaticText2",
    "StaticText5",  "StaticText3",  "StaticText12", "StaticText7",  "StaticText8",
    "StaticText9",  "StaticText10", "StaticText11", "StaticText6",  "StaticText13",
};

} // namespace domora
