#include "main_form.h"

namespace ostrevo {

std::string AccessibleName(const Control& control) {
    if (control.accessible.name != nullptr) return control.accessible.name;
    if (control.field) {
        const Field& field = FieldOf(*control.field);
        return std::string(field.name) + " [" + field.unit + "]";
    }
    return control.caption;
}

namespace form1 {

// The fields of the real circuit, in the order of the table.
std::vector<ControlText> ExampleFilling(Example example) {
    std::vector<ControlText> filling;
    for (const Field& field : kFields) {
        const char* text = ExampleText(field, example);
        if (*text != '\0') filling.push_back({FieldControl(field.id), text});
    }
    return filling;
}

}  // namespace form1
}  // namespace ostrevo
