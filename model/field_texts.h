#pragma once
#include <string>

#include "fields.h"

namespace ostrevo {

// The texts typed into the fields, as UTF-16 code units: what the entry check
// and the reading of the numbers see.
class FieldTexts {
public:
    virtual ~FieldTexts() = default;
    virtual std::u16string fieldText(FieldId field) const = 0;
};

}  // namespace ostrevo
