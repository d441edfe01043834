#pragma once

#include <QString>

#include <optional>

class QLineEdit;

namespace domora {

// Reads an editor's hour and minute fields into `hour` and `minute` without a word to the
// user; when one of them is no whole number, the next-firing line that says so instead.
std::optional<QString> ReadTimeFields(const QLineEdit& hourField, const QLineEdit& minuteField, int& hour,
                                      int& minute);

} // namespace domora
