// Whatever a user types where a date or a time is expected. A text that reads as a date names a moment of
// the years 1 to 9999, and the text that moment is shown as reads back as the same moment.
#include "common/DateRecognition.h"
#include "common/DateText.h"

#include <QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto value = common::recogniseDateTime(text);
    if (!value)
        return 0;
    if (!value->isValid())
        std::abort();
    const auto back = common::recogniseDateTime(common::dateTimeText(*value));
    if (!back || *back != *value)
        std::abort();
    return 0;
}
