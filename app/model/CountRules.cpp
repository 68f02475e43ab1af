#include "app/model/CountRules.h"

#include "base/Text.h"

namespace counts {

int32_t ReadCartonTotal(QStringView text) {
    return vantric::TextToInt(text);
}

}  // namespace counts
