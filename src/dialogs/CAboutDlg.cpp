// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CAboutDlg.h"

#include "base/CHelpWindow.h"
#include "base/CHyperLink.h"
#include "base/DialogUnits.h"

#include <BuildConfig.h>

#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <array>

namespace {

// Box size in dialog units.
constexpr int kBoxWidth = 265;
constexpr int kBoxHeight = 145;

// Bar heights of the emblem's wave, in pixels of the 128-pixel emblem.
constexpr std::array<int, 11> kWaveBars = {14, 30, 50, 36, 68, 84, 60, 42, 56, 28, 14};

void PaintBackground(QPainter& painter, const QRectF& square)
{
    QLinearGradient fill(square.topLeft(), square.bottomLeft());
    fill.setColorAt(0.0, QColor(0x3f, 0x8c, 0xd8));
    fill.setColorAt(1.0, QColor(0x17, 0x3f, 0x7a));
    QPainterPath shape;
    shape.addRoundedRect(square, 22, 22);
    painter.fillPath(shape, fill);
    painter.setPen(QPen(QColor(0x10, 0x2c, 0x57), 2));
    painter.drawPath(shape);

    // A soft light over the upper half.
    QPainterPath gloss;
    gloss.addRoundedRect(square.adjusted(4, 4, -4, -square.height() / 2), 18, 18);
    QLinearGradient light(square.topLeft(), QPointF(square.left(), square.center().y()));
    light.setColorAt(0.0, QColor(255, 255, 255, 70));
    light.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillPath(gloss, light);
}

void PaintWave(QPainter& painter, const QRectF& square)
{
    const qreal barWidth = 6.0;
    const qreal gap = 3.6;
    const qreal total = kWaveBars.size() * barWidth + (kWaveBars.size() - 1) * gap;
    qreal x = square.center().x() - total / 2;
    const qreal middle = square.center().y();

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 235));
    for (int height : kWaveBars) {
        painter.drawRoundedRect(QRectF(x, middle - height / 2.0, barWidth, height), barWidth / 2, barWidth / 2);
        x += barWidth + gap;
    }
    // The middle line the wave swings about.
    painter.setBrush(QColor(255, 255, 255, 110));
    painter.drawRect(QRectF(square.left() + 12, middle - 1, square.width() - 24, 2));
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(kCaption());
    const DialogUnits units(font());

    m_picture = new QLabel(this);
    m_picture->setPixmap(Emblem());
    m_picture->setGeometry(QRect(QPoint(units.X(32), units.Y(31)), QSize(kEmblemSize, kEmblemSize)));

    m_product = AddText(kProductName, units.Rect(134, 32, 74, 15), Qt::AlignHCenter | Qt::AlignTop);
    QFont productFont = m_product->font();
    productFont.setBold(true);
    m_product->setFont(productFont);
    m_version = AddText(kVersion(), units.Rect(135, 48, 74, 15), Qt::AlignHCenter | Qt::AlignTop);
    m_maker = AddText(kMakerLine(), units.Rect(7, 127, 251, 11), Qt::AlignHCenter | Qt::AlignTop);

    m_link = new CHyperLink(LinkText(), this);
    m_link->SetLinkTarget(LinkTarget());
    m_link->SetOpener([this](const QUrl& target) { OpenLink(target); });
    QRect linkRect = units.Rect(142, 83, 74, 13);
    // The whole address shows even where the font runs wider than planned.
    linkRect.setWidth(std::max(linkRect.width(), m_link->sizeHint().width()));
    m_link->setGeometry(linkRect);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setDefault(true);
    m_ok->setGeometry(units.Rect(51, 107, 31, 12));
    connect(m_ok, &QPushButton::clicked, this, &CAboutDlg::accept);
    m_ok->setFocus();

    setFixedSize(units.Size(kBoxWidth, kBoxHeight));
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::OpenLink(const QUrl& target)
{
    const Launcher launch = m_launcher ? m_launcher : [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    if (launch(target))
        return;
    // The help window shows pages of the help folder only; for the home
    // page it shows the first of them, which tells what the home page would.
    const QString page = target.isLocalFile() ? QFileInfo(target.toLocalFile()).fileName() : QString();
    if (!m_helpWindow)
        m_helpWindow = new CHelpWindow(this);  // a child of this modal box stays usable
    m_helpWindow->ShowTopic(page.isEmpty() ? QStringLiteral("intro.htm") : page);
}

void CAboutDlg::SetLauncher(Launcher launcher)
{
    m_launcher = std::move(launcher);
}

QString CAboutDlg::LinkTarget()
{
    const QString homePage = QStringLiteral(VORLANTA_HOME_PAGE);
    if (!homePage.isEmpty())
        return homePage;
    return QUrl::fromLocalFile(CHelpWindow::HelpFolder() + QStringLiteral("/intro.htm")).toString();
}

QString CAboutDlg::LinkText()
{
    const QString homePage = QStringLiteral(VORLANTA_HOME_PAGE);
    return homePage.isEmpty() ? kHelpLinkText() : homePage;
}

QLabel* CAboutDlg::AddText(const QString& text, const QRect& geometry, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, this);
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    return label;
}

QPixmap CAboutDlg::Emblem()
{
    QPixmap emblem(kEmblemSize, kEmblemSize);
    emblem.fill(Qt::transparent);
    QPainter painter(&emblem);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square(4, 4, kEmblemSize - 8, kEmblemSize - 8);
    PaintBackground(painter, square);
    PaintWave(painter, square);
    return emblem;
}
