#include "app/model/CountRules.h"

#include "base/Text.h"

namespace counts {

int32_t ReadCartonTotal(QStringView text) {
    return vantric::TextToInt(text);
}

int32_t ReadTicketCount(QStringView text) {
    return vantric::TextToInt(text.left(kCountTextLength));
}

}  // namespace counts
