// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <algorithm>

namespace {

const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// units * base / divisor, rounded to the nearest pixel.
int Scale(int units, int base, int divisor)
{
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : -((-product + half) / divisor));
}

int AverageLetterWidth(const QFontMetrics& metrics)
{
    const int letters = static_cast<int>(kLetters.size());
    const int total = metrics.horizontalAdvance(kLetters);
    return (total + letters / 2) / letters;
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font)
    : DialogUnits(AverageLetterWidth(QFontMetrics(font)), QFontMetrics(font).height())
{
}

DialogUnits::DialogUnits(int baseWidth, int baseHeight)
    : m_baseWidth(std::max(baseWidth, 1)), m_baseHeight(std::max(baseHeight, 1))
{
}

int DialogUnits::X(int units) const
{
    return Scale(units, m_baseWidth, 4);
}

int DialogUnits::Y(int units) const
{
    return Scale(units, m_baseHeight, 8);
}

QSize DialogUnits::Size(int width, int height) const
{
    return {X(width), Y(height)};
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const
{
    // Both edges are converted, as a dialog maps a rectangle, so that
    // controls that meet in dialog units meet in pixels too.
    return QRect(QPoint(X(x), Y(y)), QPoint(X(x + width) - 1, Y(y + height) - 1));
}
