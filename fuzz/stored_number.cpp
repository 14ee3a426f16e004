// A stored "port" or "View" text, whatever the settings file says: it reads
// as a number, never as "not a number", and what the program makes of it
// fits 16 bits; a plain whole number reads as itself.
#include "settings/stored_number.h"
#include "fuzz_support.h"

#include <QRegularExpression>
#include <cmath>

using namespace velsnap;

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(bytes), qsizetype(size));
    const double value = storedNumberValue(text);
    fuzz::require(!std::isnan(value), "a text read as not a number");
    const std::int16_t number = readStoredInt16(text);
    static const QRegularExpression plain(QStringLiteral("^[ \\t\\r\\n]*-?[0-9]{1,5}[ \\t\\r\\n]*$"));
    if (plain.match(text).hasMatch() && std::abs(text.trimmed().toInt()) <= 32767)
        fuzz::require(number == text.trimmed().toInt(), "a plain whole number read as another");
    return 0;
}
