#include "jobs/JobStatus.h"

#include <utility>

JobStatus::JobStatus(QString text, bool error, int number)
    : m_text(std::move(text)), m_error(error), m_number(number)
{
}

JobStatus JobStatus::FromCell(const QString& cellText)
{
    QString text = cellText.left(kReadLength);
    const bool error = text == QLatin1String(kFailed);
    const int number = error ? 0 : LeadingNumber(text);
    return JobStatus(std::move(text), error, number);
}

// Reads a number the way atol does: leading blanks, an optional sign, then
// digits up to the first non-digit.
int JobStatus::LeadingNumber(const QString& text)
{
    int pos = 0;
    while (pos < text.size() && text.at(pos).isSpace())
        ++pos;
    int sign = 1;
    if (pos < text.size() && (text.at(pos) == u'+' || text.at(pos) == u'-')) {
        sign = text.at(pos) == u'-' ? -1 : 1;
        ++pos;
    }
    int number = 0;
    for (; pos < text.size(); ++pos) {
        const QChar c = text.at(pos);
        if (c < u'0' || c > u'9')
            break;
        number = number * 10 + (c.unicode() - u'0');
    }
    return sign * number;
}
