#include "ui/app/TimeFields.h"

#include "core/base/Firing.h"
#include "core/base/NumberText.h"
#include "ui/app/QtText.h"

#include <QLineEdit>

#include <utility>

namespace domora {

std::optional<QString> ReadTimeFields(const QLineEdit& hourField, const QLineEdit& minuteField, int& hour,
                                      int& minute) {
    const std::pair<const QLineEdit*, int*> fields[] = {{&hourField, &hour}, {&minuteField, &minute}};
    for (const auto& [field, target] : fields) {
        const auto value = ParseInt32(ss(field->text()));
        if (!value) {
            return qs(FiringText(UnreadableTimeFiring(ss(field->text()))));
        }
        *target = *value;
    }
    return std::nullopt;
}

} // namespace domora
