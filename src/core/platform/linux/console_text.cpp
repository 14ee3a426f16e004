#include "platform/console_text.h"

namespace velsnap {

void writeText(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace velsnap
