// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/CFlatToolBar.h"

#include "base/ImageStrip.h"
#include "xp/FilterChain.h"

#include <QAction>
#include <QWidgetAction>

CFlatToolBar::CFlatToolBar(QWidget* parent) : QToolBar(parent)
{
}

CFlatToolBar::CFlatToolBar(const QString& title, QWidget* parent) : QToolBar(title, parent)
{
}

CFlatToolBar::~CFlatToolBar() = default;

void CFlatToolBar::BuildToolBarImages(const QString& bitmapPath, const QColor& maskColour)
{
    BuildToolBarImages(QImage(bitmapPath), maskColour);
}

void CFlatToolBar::BuildToolBarImages(const QImage& strip, const QColor& maskColour)
{
    const int size = iconSize().height();
    // Each set starts from its own copy of the strip; a failed filter chain
    // leaves its copy unfiltered, so that set shows the plain images.
    m_hotSource = strip;
    m_disabledSource = CFilterBitmap(strip, CFilterBitmap::kWhite);
    m_normalSource = CFilterBitmap(strip, CFilterBitmap::kWhite);
    if (m_disabledSource.HasBitmap())
        MakeDisabledImage(m_disabledSource, FilterKeyColour());
    if (m_normalSource.HasBitmap())
        MakeNormalImage(m_normalSource, FilterKeyColour());

    m_hotImages = ImageStrip::Split(m_hotSource, size, maskColour);
    m_disabledImages = ImageStrip::Split(m_disabledSource.Image(), size, maskColour);
    m_normalImages = ImageStrip::Split(m_normalSource.Image(), size, maskColour);
    ApplyButtonImages();
}

void CFlatToolBar::SetHotImageList(const QList<QPixmap>& images)
{
    m_hotImages = images;
    ApplyButtonImages();
}

void CFlatToolBar::SetDisabledImageList(const QList<QPixmap>& images)
{
    m_disabledImages = images;
    ApplyButtonImages();
}

void CFlatToolBar::SetImageList(const QList<QPixmap>& images)
{
    m_normalImages = images;
    ApplyButtonImages();
}

QIcon CFlatToolBar::ButtonIcon(int index) const
{
    QIcon icon;
    if (index < 0)
        return icon;
    if (index < m_normalImages.size())
        icon.addPixmap(m_normalImages.at(index), QIcon::Normal);
    if (index < m_hotImages.size()) {
        icon.addPixmap(m_hotImages.at(index), QIcon::Active);
        icon.addPixmap(m_hotImages.at(index), QIcon::Selected);
    }
    if (index < m_disabledImages.size())
        icon.addPixmap(m_disabledImages.at(index), QIcon::Disabled);
    return icon;
}

void CFlatToolBar::ApplyButtonImages()
{
    int index = 0;
    for (QAction* action : actions()) {
        if (action->isSeparator() || qobject_cast<QWidgetAction*>(action))
            continue;
        action->setIcon(ButtonIcon(index));
        ++index;
    }
}
