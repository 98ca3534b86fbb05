// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/JobStatus.h"

#include <utility>

JobStatus::JobStatus(QString text, bool error, int number) : m_text(std::move(text)), m_error(error), m_number(number)
{
}

JobStatus JobStatus::FromCell(const QString& cellText)
{
    QString text = cellText.left(kReadLength);
    const bool error = text == QLatin1String(kFailed);
    const int number = error ? 0 : JobVocabulary::LeadingNumber(text.toStdString());
    return JobStatus(std::move(text), error, number);
}
